#include "tests/engine/support/table_fixture.h"

#include <gtest/gtest.h>

TEST(CardPicture, FaceAndBackChooseTheirSlots)
{
    struct Case {
        int cardFace;
        int slot;
    } faces[] = {{0, 87}, {257, 1}, {256 + 13, 13}, {2 * 256 + 1, 14}, {4 * 256 + 13, 52}, {0x10000 + 257, 1}};
    for (const Case &c : faces)
        EXPECT_EQ(TCard::FacePictureSlot(c.cardFace), c.slot) << c.cardFace;

    struct BackCase {
        int cardBack;
        int slot;
    } backs[] = {{0, 53}, {-5, 53}, {1, 53}, {13, 65}, {20, 65}, {7, 59}, {100, 53}};
    for (const BackCase &c : backs)
        EXPECT_EQ(TCard::BackPictureSlot(c.cardBack), c.slot) << c.cardBack;
}

TEST(CardPicture, CustomBackIsUsedOnlyWhenLoaded)
{
    TableFixture table;
    TCard *card = table.Card(1);
    card->SetCardBack(100);
    cardPictures().SetPicture(53, QImage(71, 96, QImage::Format_ARGB32));
    EXPECT_EQ(&card->Picture(), &cardPictures().Picture(53));
    QImage custom(71, 96, QImage::Format_ARGB32);
    cardPictures().SetCustomBack(custom);
    EXPECT_EQ(&card->Picture(), &cardPictures().CustomBack());
    card->SetFace(true);
    EXPECT_EQ(&card->Picture(), &cardPictures().Picture(1));
    cardPictures().Clear();
}

TEST(CardFace, TurningInAPileIsJournaledOnceAndKeptInTheLocationRow)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0, 20);
    table.Fill(pile, 3, false);
    TCard *top = pile->TopCard();

    top->SetFace(false); // already face down: nothing to journal
    EXPECT_EQ(table.board->JournalPos, -1);

    top->SetFace(true);
    ASSERT_EQ(table.board->JournalPos, 0);
    const JournalEntry &entry = table.board->Journal()[0];
    EXPECT_EQ(entry.Flip, 1);
    EXPECT_EQ(entry.Card, top->CardID);
    EXPECT_EQ(entry.Source, 0);
    EXPECT_EQ(table.board->Locations.At(top->CardID)->Face, 1);
    EXPECT_EQ(table.board->MoveCount, 0); // face changes are not moves

    table.board->Recording = false;
    top->SetFace(false);
    EXPECT_EQ(table.board->JournalPos, 0);
    EXPECT_EQ(table.board->Locations.At(top->CardID)->Face, 0);
}

TEST(CardFace, TurningResetsTheMoveSearchAndKeepsTheSelection)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0);
    table.Fill(pile, 1, false);
    table.board->Candidates.Add(pile, pile->TopCard());
    table.board->Candidates.Current = 1;
    pile->TopCard()->SetSelected(true);
    pile->TopCard()->SetFace(true);
    EXPECT_EQ(table.board->Candidates.Count, 0);
    EXPECT_EQ(table.board->Candidates.Current, 0);
    EXPECT_TRUE(pile->TopCard()->Selected());
}

TEST(CardState, HighlightNeedsAPileAndHostBoardIgnoresNull)
{
    TableFixture table;
    TCard *loose = table.Card(1);
    loose->SetHighLighted(true);
    EXPECT_FALSE(loose->HighLighted());

    TDeck *pile = table.AddPile(0, 0);
    pile->AddCard(loose);
    loose->SetHighLighted(true);
    EXPECT_TRUE(loose->HighLighted());
    loose->SetHostBoard(nullptr);
    EXPECT_EQ(loose->HostBoard(), table.board.get());

    table.board->SetHighLightedDeck(pile);
    table.board->SetHighLightedDeck(nullptr);
    EXPECT_FALSE(loose->HighLighted());
}

TEST(CardState, CardAboveAndSelectGroupWalkThePile)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0, 20);
    table.Fill(pile, 4, true);
    TCard *second = pile->GetCard(3);
    EXPECT_EQ(second->CardAbove(), pile->GetCard(2));
    EXPECT_EQ(pile->TopCard()->CardAbove(), nullptr);
    EXPECT_EQ(table.Card(40)->CardAbove(), nullptr);

    second->SelectGroup(true);
    EXPECT_TRUE(pile->GetCard(1)->Selected());
    EXPECT_TRUE(pile->GetCard(2)->Selected());
    EXPECT_TRUE(pile->GetCard(3)->Selected());
    EXPECT_FALSE(pile->GetCard(4)->Selected());
}
