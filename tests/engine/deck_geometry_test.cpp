#include "tests/engine/support/table_fixture.h"

#include <gtest/gtest.h>

TEST(PileGeometry, EffectiveSpreadsScaleWithTheCardSize)
{
    struct Case {
        int cardHeight;
        int vShift, vbShift;
        int effective, effectiveBack;
    } cases[] = {
        {96, 20, 0, 20, 0},  {72, 20, 0, 15, 0},   {120, 20, 0, 25, 0}, {72, 2, 0, 2, 0},
        {96, 20, 30, 20, 20}, {72, 20, 6, 15, 4}, {74, 3, 0, 3, 0},    // 3 * 74 / 96 = 2.3: kept unscaled
    };
    for (const Case &c : cases) {
        TableFixture table;
        cardPictures().SetCardSize(71 * c.cardHeight / 96, c.cardHeight);
        TDeck *pile = table.AddPile(0, 0);
        pile->SetVShift(c.vShift);
        pile->SetVBShift(c.vbShift);
        EXPECT_EQ(pile->EffectiveVShift(), c.effective) << c.cardHeight << " " << c.vShift;
        EXPECT_EQ(pile->EffectiveVBShift(), c.effectiveBack) << c.cardHeight << " " << c.vbShift;
    }
    cardPictures().SetCardSize(71, 96);
}

TEST(PileGeometry, StackedPileGrowsOneStepEveryDeckScaleCards)
{
    TableFixture table;
    TDeck *pile = table.AddPile(10, 10, 2);
    table.Fill(pile, 20, false);
    EXPECT_FALSE(pile->IsSpread());
    EXPECT_EQ(pile->TopCard()->Top(), pile->Top() + 2 * 2); // (20 - 1) div 9 = 2 steps of 2 pixels
    EXPECT_EQ(pile->Height(), 96 + 2 * 2);
    EXPECT_FALSE(pile->GetCard(2)->Visible()); // only the top card of a stacked pile shows
    EXPECT_TRUE(pile->TopCard()->Visible());

    // Removing shrinks the pile to (count before - 1) div DeckScale steps.
    pile->RemoveCard(pile->TopCard());
    EXPECT_TRUE(pile->TopCard()->Visible());
    EXPECT_EQ(pile->Height(), 96 + 2 * 2);
    for (int i = 0; i < 10; ++i)
        pile->RemoveCard(pile->TopCard());
    EXPECT_EQ(pile->Height(), 96 + 2);
    for (int i = 0; i < 8; ++i)
        pile->RemoveCard(pile->TopCard());
    EXPECT_EQ(pile->Height(), 96);
}

TEST(PileGeometry, RaisedPileShowsItsTopCardTwoPixelsOff)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0, 20);
    pile->SetFlatPile(false);
    EXPECT_EQ(pile->VShift(), 0);
    EXPECT_EQ(pile->EffectiveVShift(), 0);
    table.Fill(pile, 3, false);
    EXPECT_EQ(pile->TopCard()->BoundsRect().topLeft(), pile->BoundsRect().topLeft() + QPoint(2, 2));
    EXPECT_EQ(pile->GetCard(3)->BoundsRect().topLeft(), pile->BoundsRect().topLeft());
    EXPECT_EQ(pile->Width(), 71 + 2);
    pile->RemoveCard(pile->TopCard());
    pile->RemoveCard(pile->TopCard());
    EXPECT_EQ(pile->Width(), 71);
}

TEST(PileGeometry, SpreadPileUsesBackSpreadAfterFaceDownCards)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 100, 20);
    pile->SetVBShift(6);
    table.Fill(pile, 2, false);
    table.Fill(pile, 2, true);
    EXPECT_EQ(pile->GetCard(4)->Top(), 100);
    EXPECT_EQ(pile->GetCard(3)->Top(), 106);
    EXPECT_EQ(pile->GetCard(2)->Top(), 112);
    EXPECT_EQ(pile->GetCard(1)->Top(), 132);

    // Changing the spread re-places the cards from the origin up.
    pile->SetVShift(10);
    pile->SetVBShift(4);
    EXPECT_EQ(pile->GetCard(1)->Top(), 100 + 4 + 4 + 10);
}

TEST(PileGeometry, LayoutUnitsRoundHalfToEven)
{
    TableFixture table;
    table.board->HorizontalScale = 1.5;
    table.board->VerticalScale = 1.5;
    struct Case {
        int units, pixels;
    } cases[] = {{1, 2}, {3, 4}, {5, 8}, {7, 10}, {0, 0}};
    for (const Case &c : cases) {
        EXPECT_EQ(table.board->LayoutToPixelsX(c.units), c.pixels) << c.units;
        EXPECT_EQ(table.board->LayoutToPixelsY(c.units), c.pixels) << c.units;
    }
    table.board->HorizontalOffset = 7;
    EXPECT_EQ(table.board->LayoutToPixelsX(3), 12); // 11.5
    // Small cards widen the layout by 5 percent.
    EXPECT_EQ(TBoard::UnitsToPixels(100, 55, 71, 1.0, 0), 81); // 100 * 1.05 * 55 / 71 = 81.3
}

TEST(PileGeometry, GetCardCountsFromTheTop)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0, 20);
    EXPECT_EQ(pile->GetCard(1), nullptr);
    table.Fill(pile, 5, true);
    EXPECT_EQ(pile->GetCard(0), pile->TopCard());
    EXPECT_EQ(pile->GetCard(-3), pile->TopCard());
    EXPECT_EQ(pile->GetCard(1), pile->TopCard());
    EXPECT_EQ(pile->GetCard(5), table.Card(1));
    EXPECT_EQ(pile->GetCard(6), nullptr);
}

TEST(PileGeometry, RealignFollowsTheOtherPilesTopCard)
{
    TableFixture table;
    TDeck *fan = table.AddPile(100, 0);
    fan->SetGShift(15);
    TDeck *waste = table.AddPile(0, 0);
    waste->SetDeckToAlign(fan);
    EXPECT_EQ(fan->AlignedFollower(), waste);
    waste->Realign();
    EXPECT_EQ(waste->BoundsRect().topLeft(), fan->BoundsRect().topLeft());
    table.Fill(fan, 3, true);
    waste->Realign();
    EXPECT_EQ(waste->Left(), fan->TopCard()->Left());
}

TEST(TableExtent, CoversEveryPileAndItsSpreadCards)
{
    TableFixture table;
    TDeck *column = table.AddPile(0, 0, 20);
    table.Fill(column, 5, true);
    TDeck *far = table.AddPile(300, 0);
    EXPECT_EQ(table.board->TableRight(), far->Left() + 71 + 15);
    EXPECT_EQ(table.board->TableBottom(), 4 * 20 + 96 + 15);
    EXPECT_EQ(table.board->LayoutRight(), 371);
    EXPECT_EQ(table.board->LayoutBottom(), 4 * 20 + 96 + 10 + 15);
}

TEST(TableFit, NeverShrinksAndDoesNothingUnlessAsked)
{
    TableFixture table;
    TDeck *pile = table.AddPile(500, 400);
    table.board->resize(300, 200);
    table.board->FitVert = table.board->FitHorz = true;
    EXPECT_FALSE(table.board->FitToWindow());
    table.board->SpreadCards = true;
    EXPECT_TRUE(table.board->FitToWindow());
    EXPECT_EQ(table.board->VerticalScale, 1.0);
    EXPECT_EQ(table.board->HorizontalScale, 1.0);

    table.board->resize(2000, 1500);
    EXPECT_TRUE(table.board->FitToWindow());
    EXPECT_GT(table.board->HorizontalScale, 1.0);
    EXPECT_GT(table.board->VerticalScale, 1.0);
    EXPECT_EQ(pile->Left(), table.board->LayoutToPixelsX(500));

    table.board->FitVert = table.board->FitHorz = false;
    table.board->CenterHorz = true;
    table.board->HorizontalScale = table.board->VerticalScale = 1.0;
    table.board->LayoutHalfSize = QPoint(100, 0);
    EXPECT_TRUE(table.board->FitToWindow());
    EXPECT_EQ(table.board->HorizontalOffset, 1000 - 100);
}
