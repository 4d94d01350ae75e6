#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/nestor.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

// Nestor's deal stated on its own: six cards to each column in turn; a card whose rank the
// column already holds goes back on top of the pack and another is drawn. With stopEndless
// the duplicate is kept once no card left in the pack could replace it; without it the model
// gives up after maxRedraws, where the deal as first written would never end.
struct NestorModel {
    std::vector<std::string> columns[8];
    std::vector<std::string> reserve;
    bool finished = true;

    NestorModel(quint32 number, bool stopEndless, int maxRedraws = 100000)
    {
        ModelPack pack(number);
        const auto holds = [](const std::vector<std::string> &column, char rank) {
            for (const std::string &card : column)
                if (ModelPack::Rank(card) == rank)
                    return true;
            return false;
        };
        int redraws = 0;
        for (auto &column : columns) {
            for (int j = 0; j < 6; ++j) {
                std::string card = pack.Draw();
                while (holds(column, ModelPack::Rank(card))) {
                    bool replaceable = false;
                    for (const std::string &left : pack.cards)
                        replaceable = replaceable || !holds(column, ModelPack::Rank(left));
                    if (stopEndless && !replaceable)
                        break;
                    if (++redraws > maxRedraws) {
                        finished = false;
                        return;
                    }
                    pack.cards.push_back(card);
                    card = pack.Draw();
                }
                column.push_back(ModelPack::Up(card));
            }
        }
        for (int i = 0; i < 4; ++i)
            reserve.push_back(ModelPack::Up(pack.Draw()));
    }
};

class Nestor : public ::testing::Test, public TableFixture {
protected:
    Nestor()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
        table.Play.GameWon = [this] { ++wins; };
    }
    void deal(quint32 number) { DealGame(table, NestorGame, number); }
    TCard *find(const std::string &code) { return FindCard(table, code); }
    void put(const std::string &code, TDeck *pile)
    {
        TCard *card = find(code);
        card->HostDeck()->RemoveCard(card);
        pile->AddCard(card);
    }
    ::testing::AssertionResult matches(const NestorModel &expected)
    {
        for (int i = 1; i <= 8; ++i)
            if (Text(table.Tableau[i]) != ModelPack::Join(expected.columns[i - 1]))
                return ::testing::AssertionFailure() << "column " << i << ": " << Text(table.Tableau[i]) << " expected "
                                                     << ModelPack::Join(expected.columns[i - 1]);
        for (int i = 1; i <= 4; ++i)
            if (Text(table.Cells[i]) != expected.reserve[std::size_t(i - 1)])
                return ::testing::AssertionFailure() << "reserve " << i;
        return ::testing::AssertionSuccess();
    }
    bool columnsWithoutRepeatedRank() const
    {
        for (int i = 1; i <= 8; ++i) {
            std::set<int> ranks;
            for (const TCard *card = table.Tableau[i]->TopCard(); card; card = card->Below)
                if (!ranks.insert(card->Rank()).second)
                    return false;
        }
        return true;
    }
    int wins = 0;
};

TEST_F(Nestor, DealsInTheFixedDrawOrderWithItsRedraws)
{
    for (quint32 number : {0u, 1u, 71u, 4294967295u, 86420u}) {
        SCOPED_TRACE(number);
        deal(number);
        const NestorModel expected(number, false);
        ASSERT_TRUE(expected.finished);
        EXPECT_TRUE(matches(expected));
        EXPECT_TRUE(columnsWithoutRepeatedRank());
        EXPECT_EQ(table.Tableau[1]->DeckTag, 12);
        EXPECT_EQ(table.Tableau[9], table.Cells[1]);
        EXPECT_EQ(table.Waste, nullptr);
        EXPECT_EQ(table.Stock, nullptr);
        EXPECT_EQ(board.Decks().size(), 13u) << "pack and stock served only the deal";
        EXPECT_EQ(board.Score(), -52);
        EXPECT_TRUE(LocationsAgree(table));
    }
}

TEST_F(Nestor, GoldenDealOfNumberOne)
{
    deal(1);
    EXPECT_EQ(Text(table.Tableau[1]), "QS 8C 2S JH 4D 9H");
    EXPECT_EQ(Text(table.Tableau[1]), ModelPack::Join(NestorModel(1, false).columns[0]));
}

// Some numbers leave only cards of ranks the column already holds; the deal keeps the drawn
// card then instead of drawing for ever. Every other deal is the one it always was.
TEST_F(Nestor, EndlessRedrawsStopAndEveryFinishingDealStaysTheSame)
{
    std::vector<quint32> endless;
    for (quint32 number = 0; number < 1000; ++number) {
        const NestorModel original(number, false, 20000);
        deal(number);
        if (original.finished) {
            ASSERT_TRUE(matches(original)) << "number " << number;
            ASSERT_TRUE(columnsWithoutRepeatedRank()) << "number " << number;
        } else {
            endless.push_back(number);
            ASSERT_TRUE(matches(NestorModel(number, true))) << "number " << number;
        }
        int dealt = 0;
        for (int i = 1; i <= 12; ++i)
            dealt += table.Tableau[i]->CardsCount();
        ASSERT_EQ(dealt, 52) << "number " << number;
    }
    EXPECT_NE(std::find(endless.begin(), endless.end(), 188u), endless.end());
    EXPECT_NE(std::find(endless.begin(), endless.end(), 314u), endless.end());
    EXPECT_LT(endless.size(), 20u);
}

TEST_F(Nestor, PairsAcrossColumnsAndReserveGoToTheDiscardPile)
{
    deal(5);
    TDeck *column = table.Tableau[2];
    TDeck *reserve = table.Cells[3];
    put("9h", column);
    put("9c", reserve);
    TCard *nine = find("9c");
    bool action = false;
    reserve->OnAddWithRule(reserve, nine, action, false);
    EXPECT_FALSE(action) << "a card never pairs within its own pile";
    TCard *other = table.Tableau[5]->TopCard();
    if (other->Rank() != 9) {
        action = true;
        column->OnAddWithRule(column, other, action, false);
        EXPECT_FALSE(action) << "different ranks";
    }
    const int columnCards = column->CardsCount();
    reserve->Click();
    column->Click();
    EXPECT_EQ(Text(table.Foundations[1]), "9H 9C");
    EXPECT_EQ(column->CardsCount(), columnCards - 1);
    EXPECT_EQ(board.Score(), -42);
    EXPECT_TRUE(LocationsAgree(table));

    // One Undo takes back the pair.
    board.Undo();
    EXPECT_EQ(table.Foundations[1]->CardsCount(), 0);
    EXPECT_EQ(Text(column).substr(Text(column).size() - 2), "9H");
    EXPECT_EQ(Text(reserve).substr(Text(reserve).size() - 2), "9C");
    EXPECT_EQ(board.Score(), -52);
    EXPECT_TRUE(LocationsAgree(table));
}

TEST_F(Nestor, DoubleClickPairsWithTheFirstMatchingPile)
{
    deal(6);
    put("7d", table.Tableau[4]);
    put("7s", table.Cells[2]);
    put("7h", table.Tableau[6]);
    NestorDoubleClick(table, table.Cells[2]);
    EXPECT_EQ(Text(table.Foundations[1]), "7D 7S");
    EXPECT_EQ(Text(table.Tableau[6]).substr(Text(table.Tableau[6]).size() - 2), "7H");
}

TEST_F(Nestor, StuckWhenNoTwoExposedCardsShareARank)
{
    deal(7);
    TDeck *aside = Pile();
    aside->SetVisible(false);
    for (int index = 0; index < 52; ++index) {
        TCard *card = table.Card(index);
        card->HostDeck()->RemoveCard(card);
        aside->AddCard(card);
    }
    // Twelve different ranks on top of the twelve piles.
    const char *tops[] = {"AC", "2C", "3C", "4C", "5C", "6C", "7C", "8C", "9C", "TC", "JC", "QC"};
    for (int i = 1; i <= 12; ++i)
        put(tops[i - 1], table.Tableau[i]);
    EXPECT_TRUE(IsGameBlocked(table));
    put("5d", table.Tableau[11]);
    EXPECT_FALSE(IsGameBlocked(table));
}

TEST_F(Nestor, WonWhenEveryCardIsDiscarded)
{
    deal(8);
    for (int index = 0; index < 52; ++index) {
        TCard *card = table.Card(index);
        card->HostDeck()->RemoveCard(card);
        table.Foundations[1]->AddCard(card);
    }
    NestorCycle(table);
    EXPECT_EQ(wins, 1);
    EXPECT_EQ(board.Score(), 208);
}

TEST_F(Nestor, RandomPlayKeepsTheLocationTablesTrue)
{
    std::mt19937 random(71);
    for (int game = 0; game < 4; ++game) {
        deal(random());
        const std::vector<std::function<void()>> extras = {
            [this, &random] { NestorDoubleClick(table, table.Tableau[int(random() % 12) + 1]); },
        };
        ASSERT_TRUE(PlayRandomly(table, random, 300, [this] { NestorCycle(table); }, extras)) << "game " << game;
        int cards = table.Foundations[1]->CardsCount();
        for (int i = 1; i <= 12; ++i)
            cards += table.Tableau[i]->CardsCount();
        EXPECT_EQ(cards, 52);
        EXPECT_EQ(table.Foundations[1]->CardsCount() % 2, 0);
    }
}

} // namespace
