#include "engine/Cardscmp.h"
#include "engine/board_button.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/monte_carlo.h"
#include "games/move_player.h"
#include "support/dealt_game_checks.h"
#include "support/table_checks.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

namespace {

class MonteCarlo : public ::testing::Test, public TableFixture {
protected:
    MonteCarlo()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
    void deal(quint32 number)
    {
        ClearTable(table);
        DealForPrinting(table, GameIds::MonteCarlo, number);
        board.ClearJournal();
    }
    TBoardButton *button() const { return board.Buttons().empty() ? nullptr : board.Buttons().front(); }
    // Places 1..25 as text, "-" for an empty place.
    std::string grid() const
    {
        std::string text;
        for (int i = 1; i <= 25; ++i) {
            if (i > 1)
                text += ' ';
            text += table.Tableau[i]->TopCard() ? Code(table.Tableau[i]->TopCard()) : std::string("-");
        }
        return text;
    }
    MovePlayer player{table};
};

TEST_F(MonteCarlo, DealsTwentyFiveFaceUpAndAStockOfTwentySeven)
{
    deal(186);
    for (int i = 1; i <= 25; ++i) {
        ASSERT_EQ(table.Tableau[i]->CardsCount(), 1);
        EXPECT_TRUE(table.Tableau[i]->TopCard()->Face());
    }
    EXPECT_EQ(table.Tableau[1]->Tag, 101);
    EXPECT_EQ(table.Tableau[25]->Tag, 145);
    EXPECT_EQ(table.Stock->CardsCount(), 27);
    EXPECT_EQ(table.Waste, nullptr) << "the pack is freed";
    EXPECT_EQ(board.Decks().size(), 27u);
    EXPECT_EQ(board.Score(), -52);
    ASSERT_NE(button(), nullptr);
    EXPECT_EQ(button()->text(), QStringLiteral("Re&Arrange"));
    EXPECT_FALSE(button()->isEnabled()) << "no gap to close";
    EXPECT_TRUE(LocationsAgree(table));
    const QString printed = DealPrintout(table, GameIds::MonteCarlo, 186);
    deal(186);
    EXPECT_EQ(DealPrintout(table, GameIds::MonteCarlo, 186), printed);
}

TEST_F(MonteCarlo, NeighboursShareARowAColumnOrADiagonal)
{
    deal(1);
    struct Case {
        int first, second;
        bool neighbours;
    };
    const Case cases[] = {{1, 2, true},  {1, 6, true},   {2, 6, true},   {1, 7, true},  {1, 3, false},
                          {5, 6, false}, {10, 11, false}, {5, 10, true}, {25, 19, true}, {21, 17, true}};
    for (const Case &c : cases)
        EXPECT_EQ(MonteCarloNeighbours(table.Tableau[c.first], table.Tableau[c.second]), c.neighbours)
            << c.first << " and " << c.second;
}

TEST_F(MonteCarlo, PairGoesToTheDiscardAndUndoBringsBothBack)
{
    deal(1);
    LayOut(table, {{"Tableau1", "7H"}, {"Tableau2", "7S"}, {"Tableau5", "KC"}, {"Tableau6", "KD"}, {"Tableau3", "2C"},
                   {"Stock", "9c 9d"}});
    UpdateMonteCarloButton(table);
    board.ClearJournal();
    EXPECT_FALSE(player.Run(QStringLiteral("Tableau5 Tableau6"))) << "end of one row, start of the next";
    EXPECT_FALSE(player.Run(QStringLiteral("Tableau1 Tableau3"))) << "not of one rank";
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Tableau2")));
    EXPECT_EQ(Text(table.Foundations[1]), "7S 7H");
    EXPECT_EQ(table.Tableau[2]->CardsCount(), 0);
    EXPECT_EQ(board.Score(), -52 + 10);
    EXPECT_TRUE(button()->isEnabled());
    EXPECT_TRUE(player.Run(QStringLiteral("undo")));
    EXPECT_EQ(Text(table.Tableau[1]), "7H");
    EXPECT_EQ(Text(table.Tableau[2]), "7S");
    EXPECT_EQ(table.Foundations[1]->CardsCount(), 0);
    UpdateMonteCarloButton(table);
    EXPECT_TRUE(button()->isEnabled()) << "the layout's own gaps";
    // A double-click pairs the card with its first neighbour of the rank.
    table.Tableau[6]->OnDoubleSelect(table.Tableau[6]);
    EXPECT_EQ(Text(table.Tableau[6]), "KD") << "places 5 and 6 are no neighbours";
    EXPECT_EQ(table.Foundations[1]->CardsCount(), 0);
    table.Tableau[1]->OnDoubleSelect(table.Tableau[1]);
    EXPECT_EQ(Text(table.Foundations[1]), "7S 7H");
}

TEST_F(MonteCarlo, RearrangeClosesTheGapsAndRefillsInOneStep)
{
    deal(2);
    // Discard a pair somewhere in the grid, then re-arrange.
    LayOut(table, {{"Tableau1", "2C"}, {"Tableau2", "3C"}, {"Tableau3", "4C"}, {"Tableau7", "5C"},
                   {"Stock", "kh qh jh"}});
    board.ClearJournal();
    UpdateMonteCarloButton(table);
    ASSERT_TRUE(button()->isEnabled());
    EXPECT_TRUE(player.Run(QStringLiteral("click Button")));
    EXPECT_EQ(grid(), "2C 3C 4C 5C JH QH KH - - - - - - - - - - - - - - - - - -");
    EXPECT_EQ(table.Stock->CardsCount(), 0);
    EXPECT_FALSE(button()->isEnabled());
    EXPECT_TRUE(player.Run(QStringLiteral("undo")));
    EXPECT_EQ(grid(), "2C 3C 4C - - - 5C - - - - - - - - - - - - - - - - - -") << "one undo takes it all back";
    EXPECT_EQ(Text(table.Stock), "kh qh jh");
    EXPECT_TRUE(button()->isEnabled());

    // With only place 25 empty and cards in the stock, the button fills place 25.
    deal(3);
    TCard *last = table.Tableau[25]->TopCard();
    table.Tableau[25]->RemoveCard(last);
    UpdateMonteCarloButton(table);
    EXPECT_TRUE(button()->isEnabled());
    const int stock = table.Stock->CardsCount();
    player.Run(QStringLiteral("click Button"));
    EXPECT_EQ(table.Tableau[25]->CardsCount(), 1);
    EXPECT_TRUE(table.Tableau[25]->TopCard()->Face());
    EXPECT_EQ(table.Stock->CardsCount(), stock - 1);

    // With an empty stock the button only closes the gaps.
    LayOut(table, {{"Tableau2", "2C"}, {"Tableau4", "3C"}});
    UpdateMonteCarloButton(table);
    player.Run(QStringLiteral("click Button"));
    EXPECT_EQ(grid(), "2C 3C - - - - - - - - - - - - - - - - - - - - - - -");
}

TEST_F(MonteCarlo, WonWhenEveryCardIsDiscarded)
{
    deal(4);
    std::string all;
    for (const char *suit : {"C", "D", "H", "S"})
        for (const char *rank : {"A", "2", "3", "4", "5", "6", "7", "8", "9", "T", "J", "Q", "K"})
            all += std::string(all.empty() ? "" : " ") + rank + suit;
    LayOut(table, {{"Foundation1", all.substr(0, all.size() - 3)}, {"Tableau1", "KS"}});
    EXPECT_FALSE(player.IsWon());
    bool won = false;
    table.Play.GameWon = [&won] { won = true; };
    MonteCarloCycle(table);
    EXPECT_FALSE(won);
    table.Foundations[1]->MoveCard(table.Tableau[1]->TopCard());
    MonteCarloCycle(table);
    EXPECT_TRUE(won);
    EXPECT_TRUE(player.IsWon());
    table.Play.GameWon = nullptr;
}

TEST_F(MonteCarlo, RandomPlayKeepsTheTableConsistent)
{
    std::mt19937 random(186);
    for (int game = 0; game < 5; ++game) {
        deal(random());
        for (int step = 0; step < 400; ++step) {
            if (random() % 6 == 0)
                player.Run(QStringLiteral("click Button"));
            else
                RandomStep(table, random);
            ASSERT_TRUE(LocationsAgree(table)) << "game " << game << " step " << step;
            ASSERT_EQ(CardsInPiles(table), 52) << "game " << game << " step " << step;
            ASSERT_EQ(table.Foundations[1]->CardsCount() % 2, 0);
            for (int i = 1; i <= 25; ++i)
                ASSERT_LE(table.Tableau[i]->CardsCount(), 1);
        }
    }
}

} // namespace
