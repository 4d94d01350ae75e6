#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/new_game.h"
#include "support/fake_host.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

class NewGameFlow : public ::testing::Test {
protected:
    NewGameFlow()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
        board.Animate = false;
        table.CurrentGameId = GameIds::Klondike;
        table.Random = SeededRandom([this] { return nextSeed++; });
    }
    std::string printout() const { return DealPrintout(table, 108, session.GameNumber).toStdString(); }
    // A first move: the game counts as started.
    void move() { table.Stock->Click(); }
    void finishGame()
    {
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 1; rank <= 13; ++rank) {
                TCard *card = table.Card((suit - 1) * 13 + rank - 1);
                card->HostDeck()->RemoveCard(card);
                card->SetFace(true);
                table.Foundations[suit]->AddCard(card);
            }
    }

    TBoard board;
    GameTable table{&board};
    FakeHost host;
    GameSession session{table, host};
    quint32 nextSeed = 1000;
};

TEST_F(NewGameFlow, SameNumberDealsTheSameCardsAndRestartRepeatsIt)
{
    session.NewGame();
    EXPECT_EQ(session.GameNumber, 1000u);
    EXPECT_EQ(host.caption, QStringLiteral(" Klondike [#1000]"));
    EXPECT_TRUE(session.CountsForStatistics);
    const std::string first = printout();
    move();
    session.RestartGame();
    EXPECT_EQ(printout(), first);
    EXPECT_EQ(session.GameNumber, 1000u);
    EXPECT_FALSE(session.CountsForStatistics);
    EXPECT_EQ(host.questions, QStringList{QStringLiteral("Do you want to replay this game?")});
    session.NewGame();
    EXPECT_EQ(session.GameNumber, 1001u);
    EXPECT_NE(printout(), first);
}

TEST_F(NewGameFlow, AbandonedGameIsLoggedOnceAndAnUnstartedOneNever)
{
    session.NewGame();
    session.NewGame();
    EXPECT_TRUE(host.notWon.empty());
    EXPECT_TRUE(host.questions.isEmpty());
    move();
    move();
    session.NewGame();
    ASSERT_EQ(host.notWon.size(), 1u);
    EXPECT_EQ(host.notWon[0].GameNumber, 1001u);
    EXPECT_EQ(host.notWon[0].GameId, GameIds::Klondike);
    EXPECT_EQ(host.notWon[0].Moves, 2);
    EXPECT_EQ(host.notWon[0].Score, -52);
    EXPECT_EQ(host.questions.size(), 1);
    session.NewGame();
    EXPECT_EQ(host.notWon.size(), 1u);
}

TEST_F(NewGameFlow, CancelledConfirmationKeepsTheGameOnTheTable)
{
    session.NewGame();
    move();
    const std::string dealt = printout();
    table.PreviousGameId = GameIds::Klondike;
    table.CurrentGameId = GameIds::FreeCell;
    host.answer = {false, true};
    session.NewGame();
    EXPECT_EQ(table.CurrentGameId, GameIds::Klondike);
    EXPECT_EQ(printout(), dealt);
    EXPECT_TRUE(host.notWon.empty());
    EXPECT_FALSE(host.confirmNewGame); // "Don't show this message again"
}

TEST_F(NewGameFlow, RecentNumbersHoldTwentyWithoutDuplicates)
{
    for (int i = 0; i < 25; ++i)
        session.NewGame();
    EXPECT_EQ(session.RecentGameNumbers.size(), GameSession::RecentNumbersLimit);
    EXPECT_EQ(session.RecentGameNumbers.first(), QStringLiteral("1024"));
    nextSeed = 1010;
    session.NewGame();
    EXPECT_EQ(session.RecentGameNumbers.size(), GameSession::RecentNumbersLimit);
    EXPECT_EQ(session.RecentGameNumbers.first(), QStringLiteral("1010"));
    EXPECT_EQ(session.RecentGameNumbers.count(QStringLiteral("1010")), 1);
}

TEST_F(NewGameFlow, SelectedShuffleLogsTheOldGameUnderItsOwnNumber)
{
    session.NewGame();
    move();
    host.shuffleNumber = 0;
    session.SelectShuffle();
    EXPECT_EQ(session.GameNumber, 1000u); // not yet dealt
    ASSERT_TRUE(session.RedealTimer().isActive());
    session.RedealTimer().stop();
    session.NewGame();
    ASSERT_EQ(host.notWon.size(), 1u);
    EXPECT_EQ(host.notWon[0].GameNumber, 1000u);
    EXPECT_EQ(session.GameNumber, 0u);
    EXPECT_FALSE(session.CountsForStatistics);
    EXPECT_EQ(host.offeredNumbers, QStringList{QStringLiteral("1000")});

    TBoard otherBoard;
    GameTable reference(&otherBoard);
    DealForPrinting(reference, 108, 0);
    EXPECT_EQ(DealPrintout(reference, 108, 0).toStdString(), printout());
}

TEST_F(NewGameFlow, AWinIsRecordedOnceAndTheDialogChoiceRuns)
{
    host.wonChoice = WonChoice::NewGame;
    session.NewGame();
    move();
    finishGame();
    Uni_Timer(table);
    ASSERT_EQ(host.wins.size(), 1u);
    EXPECT_TRUE(host.wins[0].Won);
    EXPECT_EQ(host.wins[0].GameNumber, 1000u);
    EXPECT_EQ(host.wins[0].Score, -52 + 52 * 5);
    EXPECT_EQ(host.wonDialogCaption, QStringLiteral("Klondike"));
    EXPECT_EQ(host.flashes, 8);
    EXPECT_EQ(board.Score(), -1000);
    EXPECT_FALSE(host.wonBackground);
    EXPECT_FALSE(session.WinTimer().isActive());
    EXPECT_TRUE(session.RedealTimer().isActive());
    session.RedealTimer().stop();
    session.NewGame();
    EXPECT_TRUE(host.notWon.empty());
    EXPECT_EQ(host.wins.size(), 1u);
}

TEST_F(NewGameFlow, NewGameWaitsForAMoveInFlight)
{
    session.NewGame();
    engineState().Busy = true;
    session.NewGame();
    EXPECT_EQ(session.GameNumber, 1000u);
    EXPECT_TRUE(session.RedealTimer().isActive());
    engineState().Busy = false;
    session.RedealTimer().stop();
    session.NewGame();
    EXPECT_EQ(session.GameNumber, 1001u);
}

TEST_F(NewGameFlow, ShowerOfCardsStartsAgainAfterNinetyCards)
{
    session.NewGame();
    session.ClearTable();
    int shown = 0;
    for (int tick = 0; tick < 2000 && session.ShowerCount() < GameSession::ShowerCardCount - 1; ++tick)
        session.Game_over_Timer();
    for (int index = 0; index < GameTable::CardCount; ++index)
        shown += table.Card(index)->Visible() ? 1 : 0;
    EXPECT_EQ(shown, GameSession::ShowerCardCount - 1);
    while (session.ShowerCount() != 0)
        session.Game_over_Timer();
    for (int index = 0; index < GameTable::CardCount; ++index)
        EXPECT_FALSE(table.Card(index)->Visible());
}

TEST_F(NewGameFlow, SuitsFollowTheSpiderVariants)
{
    session.SetDeckSuits(2);
    EXPECT_EQ(table.Card(0)->Suit(), 4);  // Clubs become Spades
    EXPECT_EQ(table.Card(13)->Suit(), 3); // Diamonds become Hearts
    session.SetDeckSuits(1);
    EXPECT_EQ(table.Card(13)->Suit(), 4);
    session.SetDeckSuits(4);
    EXPECT_EQ(table.Card(13)->Suit(), 2);
    EXPECT_EQ(table.Card(13)->Rank(), 1);
}

TEST_F(NewGameFlow, AnIdWithoutADealGetsBisleyUnderBisleysIdAndName)
{
    for (int id : {GameIds::SpiderTwoSuit, GameIds::SpiderOneSuit, GameIds::Windmill, 400}) {
        if (DealRoutineFor(BaseGameId(id, nullptr)))
            continue;
        SCOPED_TRACE(id);
        session.SetDeckSuits(2);
        table.CurrentGameId = id;
        session.NewGame();
        EXPECT_EQ(table.CurrentGameId, GameIds::Bisley);
        EXPECT_EQ(table.BaseGameId, GameIds::Bisley);
        EXPECT_EQ(session.DeckSuits, 4);
        // Bisley's second foundation starts with its own Ace of Diamonds.
        ASSERT_EQ(table.Foundations[2]->CardsCount(), 1);
        EXPECT_EQ(table.Foundations[2]->TopCard()->CardFace(), 2 * 256 + 1);
        EXPECT_TRUE(host.caption.startsWith(QStringLiteral(" Bisley [#")));
    }
}

// What a game hangs on the table goes with it: the next game is neither centred on Carpet's
// layout size nor restacks Flower Garden's reserve after its own undo.
TEST_F(NewGameFlow, TheNextGameStartsWithoutWhatTheLastOneHungOnTheTable)
{
    table.CurrentGameId = GameIds::Carpet;
    session.NewGame();
    EXPECT_NE(board.LayoutHalfSize, QPoint());
    table.CurrentGameId = GameIds::Nestor;
    session.NewGame();
    EXPECT_EQ(board.LayoutHalfSize, QPoint());
    table.CurrentGameId = GameIds::FlowerGarden;
    session.NewGame();
    EXPECT_TRUE(board.OnAfterUndo);
    table.CurrentGameId = GameIds::Klondike;
    session.NewGame();
    EXPECT_FALSE(board.OnAfterUndo);
}

} // namespace
