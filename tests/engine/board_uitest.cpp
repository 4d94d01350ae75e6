#include "engine/Cardscmp.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A shown table in its scroll box, with two piles and a few cards.
struct ShownTable {
    ShownTable()
    {
        engineState() = EngineState{};
        engineState().Options.ClickSteps = 6; // four frames
        cardPictures().SetCardSize(71, 96);
        box.resize(400, 300);
        board = new TBoard;
        box.SetBoard(board);
        from = addPile(10, 10);
        to = addPile(200, 10);
        for (int i = 0; i < 3; ++i) {
            TCard *card = board->NewCard();
            card->CardID = i + 1;
            card->SetCardFace(3 * 256 + i + 1);
            card->SetFace(true);
            from->AddCard(card);
        }
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    TDeck *addPile(int left, int top)
    {
        TDeck *deck = board->NewDeck();
        deck->SetHostBoard(board);
        deck->SetVLeft(left);
        deck->SetVTop(top);
        deck->SetVShift(20);
        return deck;
    }
    QColor pixelAt(QPoint point) { return board->grab().toImage().pixelColor(point); }

    TBoardScrollBox box;
    TBoard *board = nullptr;
    TDeck *from = nullptr;
    TDeck *to = nullptr;
};

} // namespace

TEST(ShownTable, AFlownCardIsDrawnAtItsNewPlaceAndGoneFromTheOld)
{
    ShownTable table;
    const QPoint oldPlace = table.from->TopCard()->BoundsRect().center();
    const QPoint newPlace = table.to->BoundsRect().center();
    EXPECT_EQ(table.pixelAt(oldPlace), QColor(Qt::white));
    EXPECT_NE(table.pixelAt(newPlace), QColor(Qt::white));

    EXPECT_TRUE(table.to->MoveCard(table.from->TopCard()));
    EXPECT_FALSE(engineState().Busy);
    EXPECT_EQ(table.pixelAt(newPlace), QColor(Qt::white));
    // The old place now shows the table between the cards below (the spread is 20 pixels).
    EXPECT_EQ(table.pixelAt(oldPlace + QPoint(0, 40)), table.board->Color);
}

TEST(ShownTable, ScrollRangeFollowsTheExtentOfThePiles)
{
    ShownTable table;
    table.to->SetVTop(600);
    table.board->Relayout();
    EXPECT_GE(table.board->height(), table.board->TableBottom());
    EXPECT_GT(table.box.verticalScrollBar()->maximum(), 0);
    table.to->SetVTop(10);
    table.board->Relayout();
    EXPECT_EQ(table.box.verticalScrollBar()->maximum(), 0);
}

TEST(ShownTable, AButtonAddedToATableOnScreenShowsAtItsLayoutPlace)
{
    ShownTable table;
    TBoardButton *button = table.board->NewButton();
    button->resize(75, 25);
    button->SetVLeft(10);
    button->SetVTop(120);
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->pos(), QPoint(10, 120));
    table.board->HorizontalScale = 2.0;
    button->Tag = 100;
    table.board->Relayout();
    EXPECT_EQ(button->pos(), QPoint(20, 120));
}
