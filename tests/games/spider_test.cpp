#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "games/spider.h"
#include "support/table_checks.h"
#include "support/table_fixture.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>

namespace {

const std::string run = "KS QS JS TS 9S 8S 7S 6S 5S 4S 3S 2S AS";

class Spider : public ::testing::Test, public TableFixture {
protected:
    Spider()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [this](const QString &text) { messages << text; };
    }
    void deal(quint32 number, int gameId = GameIds::Spider)
    {
        table.ForgetPiles();
        board.FreeDecks();
        board.IDCounter = 0;
        for (int index = 0; index < GameTable::CardCount; ++index)
            if (TDeck *pile = table.Card(index)->HostDeck())
                pile->RemoveCard(table.Card(index));
        DealForPrinting(table, gameId, number);
        board.ClearJournal();
    }
    std::string column(int i) const { return Text(table.Tableau[i]); }
    MovePlayer player{table};
    QStringList messages;
};

TEST_F(Spider, DealsTenColumnsAndAStockOfFifty)
{
    deal(181);
    for (int i = 1; i <= 10; ++i) {
        const TDeck *pile = table.Tableau[i];
        EXPECT_EQ(pile->CardsCount(), i <= 4 ? 6 : 5) << "column " << i;
        EXPECT_TRUE(pile->TopCard()->Face());
        EXPECT_FALSE(pile->TopCard()->Below->Face());
    }
    EXPECT_EQ(table.Stock->CardsCount(), 50);
    EXPECT_EQ(table.Waste->CardsCount(), 0);
    EXPECT_EQ(table.Foundations.Count(), 8);
    EXPECT_EQ(board.Score(), -104);
    EXPECT_TRUE(LocationsAgree(table));
    const QString printed = DealPrintout(table, GameIds::Spider, 181);
    deal(181);
    EXPECT_EQ(DealPrintout(table, GameIds::Spider, 181), printed);
}

// The two variants deal Spider itself, under their own ids, with two and one suits.
TEST_F(Spider, VariantsDealSpiderWithFewerSuits)
{
    struct Case {
        int gameId;
        std::set<int> suits;
    };
    for (const Case &c : {Case{GameIds::Spider, {1, 2, 3, 4}}, Case{GameIds::SpiderTwoSuit, {3, 4}},
                          Case{GameIds::SpiderOneSuit, {4}}}) {
        SCOPED_TRACE(c.gameId);
        deal(7, c.gameId);
        EXPECT_EQ(table.CurrentGameId, c.gameId);
        EXPECT_EQ(table.Tableau.Count(), 10);
        std::set<int> suits;
        for (const auto &pile : board.Decks())
            for (const TCard *card = pile->TopCard(); card; card = card->Below)
                suits.insert(card->Suit());
        EXPECT_EQ(suits, c.suits);
        EXPECT_EQ(CardsInPiles(table), 104);
    }
}

TEST_F(Spider, AnyCardGoesOneRankLowerButOnlyRunsInSuitMoveTogether)
{
    deal(1);
    LayOut(table, {{"Tableau1", "8S 7H"}, {"Tableau2", "9D"}, {"Tableau3", "8C"}, {"Tableau4", "AH"},
                   {"Tableau5", "9S 8H 7H"}, {"Stock", "ks"}});
    EXPECT_FALSE(player.Run(QStringLiteral("Tableau1 Tableau2 8S"))) << "7H does not run with 8S";
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Tableau3")));
    EXPECT_EQ(column(3), "8C 7H");
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Tableau2")));
    EXPECT_FALSE(player.Run(QStringLiteral("Tableau5 Tableau4"))) << "nothing goes on an Ace";
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau5 Tableau1 8H")));
    EXPECT_EQ(column(1), "8H 7H");
    // A clicked top card takes the run below it that fits the target.
    LayOut(table, {{"Tableau1", "9H 8H 7H"}, {"Tableau2", "TC"}});
    table.Tableau[1]->Click();
    table.Tableau[2]->Click();
    EXPECT_EQ(column(2), "TC 9H 8H 7H");
}

TEST_F(Spider, StockDealsOneCardPerColumnOnlyWithNoColumnEmpty)
{
    deal(3);
    LayOut(table, {{"Tableau1", "5C"}, {"Tableau2", "5D"}, {"Tableau3", "5H"}, {"Tableau4", "5S"}, {"Tableau5", "6C"},
                   {"Tableau6", "6D"}, {"Tableau7", "6H"}, {"Tableau8", "6S"}, {"Tableau9", "8C 7C"},
                   {"Stock", "ac ad ah as 2c 2d 2h 2s 3c 3d 3h"}});
    board.ClearJournal();
    EXPECT_FALSE(player.Run(QStringLiteral("click Stock")));
    EXPECT_EQ(messages, QStringList{QStringLiteral("All empty tableau piles must be filled")});
    EXPECT_EQ(table.Stock->CardsCount(), 11);
    player.Run(QStringLiteral("Tableau9 Tableau10"));
    EXPECT_TRUE(player.Run(QStringLiteral("click Stock")));
    EXPECT_EQ(table.Stock->CardsCount(), 1);
    EXPECT_EQ(column(1), "5C 3H");
    EXPECT_EQ(column(10), "7C AD");
    EXPECT_TRUE(player.Run(QStringLiteral("undo")));
    EXPECT_EQ(table.Stock->CardsCount(), 11);
    EXPECT_EQ(Text(table.Stock), "ac ad ah as 2c 2d 2h 2s 3c 3d 3h");
    EXPECT_TRUE(LocationsAgree(table));
}

// A complete run in suit leaves for a foundation automatically, by a double-click and by a drag.
TEST_F(Spider, CompleteRunGoesHomeByEveryRoute)
{
    enum Route { Cycle, DoubleClick, Drag, Click };
    for (Route route : {Cycle, DoubleClick, Drag, Click}) {
        SCOPED_TRACE(route);
        deal(9);
        LayOut(table, {{"Tableau1", "4d " + run}, {"Tableau2", "5C"}, {"Stock", "kc"}});
        board.ClearJournal();
        table.Play.AutomaticMoves = route == Cycle;
        switch (route) {
        case Cycle:
            player.RunCycle();
            break;
        case DoubleClick:
            player.RunCycle();
            EXPECT_EQ(table.Foundations[1]->CardsCount(), 0) << "automatic moves are off";
            table.Tableau[1]->OnDoubleSelect(table.Tableau[1]);
            break;
        case Drag:
            EXPECT_FALSE(player.Run(QStringLiteral("Tableau1 Foundation1 QS")));
            EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Foundation1 KS")));
            break;
        case Click:
            table.Tableau[1]->Click();
            table.Foundations[1]->Click();
            break;
        }
        EXPECT_EQ(Text(table.Foundations[1]), run);
        EXPECT_EQ(column(1), "4D");
        player.RunCycle();
        EXPECT_EQ(board.Score(), 13 * 5 - 104);
        board.Undo();
        EXPECT_EQ(column(1), "4d " + run) << "the run and the turn go back together";
        EXPECT_EQ(board.Score(), 12 * 5 - 104);
        table.Play.AutomaticMoves = true;
    }
}

TEST_F(Spider, ScoreCountsRunLinksAndFollowsUndoAndRedo)
{
    deal(11);
    LayOut(table, {{"Tableau1", "9h 8C 7C"}, {"Tableau2", "9C"}, {"Tableau3", "6D"}, {"Stock", "kc"}});
    player.RunCycle();
    EXPECT_EQ(board.Score(), 1 * 5 - 104);
    ASSERT_TRUE(player.Run(QStringLiteral("Tableau1 Tableau2 8C")));
    player.RunCycle();
    EXPECT_EQ(board.Score(), 2 * 5 - 104) << "9C 8C 7C";
    board.Undo();
    EXPECT_EQ(board.Score(), 1 * 5 - 104);
    board.Redo();
    EXPECT_EQ(board.Score(), 2 * 5 - 104);
}

TEST_F(Spider, RandomPlayKeepsTheTableConsistent)
{
    std::mt19937 random(181);
    for (int game = 0; game < 4; ++game) {
        deal(random(), game % 2 ? GameIds::SpiderOneSuit : GameIds::Spider);
        for (int step = 0; step < 400; ++step) {
            RandomStep(table, random);
            ASSERT_TRUE(LocationsAgree(table)) << "game " << game << " step " << step;
            ASSERT_EQ(CardsInPiles(table), 104) << "game " << game << " step " << step;
            for (int i = 1; i <= 8; ++i)
                ASSERT_TRUE(table.Foundations[i]->CardsCount() % 13 == 0);
        }
    }
}

} // namespace
