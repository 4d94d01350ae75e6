#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/carpet.h"
#include "games/catalogue.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Carpet's deal stated on its own: twenty face-up cards to the carpet in place order, the
// other 32 face down to the stock.
struct CarpetModel {
    std::vector<std::string> carpet;
    std::vector<std::string> stock;

    explicit CarpetModel(quint32 number)
    {
        ModelPack pack(number);
        for (int i = 0; i < 20; ++i)
            carpet.push_back(ModelPack::Up(pack.Draw()));
        for (int i = 0; i < 32; ++i)
            stock.push_back(pack.Draw());
    }
};

class Carpet : public ::testing::Test, public TableFixture {
protected:
    Carpet()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
    void deal(quint32 number) { DealGame(table, CarpetGame, number); }
    TCard *find(const std::string &code) { return FindCard(table, code); }
    bool accepts(TDeck *target, TCard *card)
    {
        bool action = false;
        target->OnAddWithRule(target, card, action, true);
        return action;
    }
    // Takes the carpet place's card off the table.
    void clearPlace(int i)
    {
        if (!outside)
            outside = Pile();
        TCard *card = table.Tableau[i]->TopCard();
        table.Tableau[i]->RemoveCard(card);
        outside->AddCard(card);
    }
    TDeck *outside = nullptr;
};

TEST_F(Carpet, DealsInTheFixedDrawOrder)
{
    for (quint32 number : {0u, 17u, 4294967295u, 555u}) {
        SCOPED_TRACE(number);
        deal(number);
        const CarpetModel expected(number);
        for (int i = 1; i <= 20; ++i)
            EXPECT_EQ(Text(table.Tableau[i]), expected.carpet[std::size_t(i - 1)]) << "place " << i;
        EXPECT_EQ(Text(table.Stock), ModelPack::Join(expected.stock));
        EXPECT_EQ(table.Waste->CardsCount(), 0);
        EXPECT_EQ(table.WasteFan, nullptr);
        EXPECT_EQ(board.Score(), -52);
        EXPECT_EQ(board.Rotation_Number, -1);
        EXPECT_EQ(table.Stock->ShowEmpty(), StockNoRedeal);
        EXPECT_TRUE(LocationsAgree(table));
    }
}

TEST_F(Carpet, GoldenDealOfNumberOne)
{
    deal(1);
    EXPECT_EQ(Text(table.Tableau[1]) + " " + Text(table.Tableau[20]), "QS AD");
    const CarpetModel expected(1);
    EXPECT_EQ(Text(table.Tableau[1]) + " " + Text(table.Tableau[20]), expected.carpet[0] + " " + expected.carpet[19]);
}

TEST_F(Carpet, GapsAreFilledFromTheWasteOnly)
{
    deal(2);
    clearPlace(7);
    TDeck *gap = table.Tableau[7];
    EXPECT_FALSE(accepts(gap, table.Tableau[3]->TopCard())) << "carpet to carpet";
    table.Stock->Click();
    ASSERT_EQ(table.Waste->CardsCount(), 1);
    EXPECT_TRUE(accepts(gap, table.Waste->TopCard()));
    EXPECT_FALSE(accepts(table.Tableau[8], table.Waste->TopCard())) << "nothing is built on the carpet";
    table.Waste->Click();
    gap->Click();
    EXPECT_EQ(gap->CardsCount(), 1);
    EXPECT_EQ(table.Waste->CardsCount(), 0);
    EXPECT_TRUE(LocationsAgree(table));
}

TEST_F(Carpet, DoubleClickPrefersAFoundationThenTheFirstGap)
{
    deal(3);
    clearPlace(12);
    clearPlace(5);
    // A card that no foundation takes goes to the first gap.
    while (table.Stock->CardsCount() > 0) {
        table.Stock->Click();
        if (table.Waste->TopCard()->Rank() > 2)
            break;
    }
    TCard *card = table.Waste->TopCard();
    ASSERT_GT(card->Rank(), 2);
    CarpetDoubleClick(table, table.Waste);
    EXPECT_EQ(card->HostDeck(), table.Tableau[5]);

    // A card that fits a foundation goes there.
    TCard *ace = find("ah");
    TCard *two = find("2h");
    for (TCard *c : {ace, two}) {
        c->HostDeck()->RemoveCard(c);
        c->SetFace(true);
    }
    table.Foundations[3]->AddCard(ace);
    table.Waste->AddCard(two);
    CarpetDoubleClick(table, table.Waste);
    EXPECT_EQ(two->HostDeck(), table.Foundations[3]);
    EXPECT_EQ(table.Tableau[12]->CardsCount(), 0);
}

TEST_F(Carpet, StockIsNotRedealtAndTheEmptyGameIsStuck)
{
    deal(4);
    while (table.Stock->CardsCount() > 0)
        table.Stock->Click();
    EXPECT_EQ(table.Waste->CardsCount(), 32);
    table.Stock->Click();
    EXPECT_EQ(table.Stock->CardsCount(), 0);
    EXPECT_EQ(table.Waste->CardsCount(), 32);

    // Aces on the foundations, the carpet full of Clubs and Diamonds from the 4 up, a 3 of
    // Spades on the waste: no card fits anywhere.
    TDeck *aside = Pile();
    aside->SetVisible(false);
    for (int index = 0; index < 52; ++index) {
        TCard *card = table.Card(index);
        card->HostDeck()->RemoveCard(card);
        card->SetFace(true);
        aside->AddCard(card);
    }
    const auto put = [](TCard *card, TDeck *pile) {
        card->HostDeck()->RemoveCard(card);
        pile->AddCard(card);
    };
    for (int suit = 0; suit < 4; ++suit)
        put(table.Card(suit * 13), table.Foundations[suit + 1]);
    for (int i = 1; i <= 20; ++i)
        put(table.Card((i - 1) / 10 * 13 + 3 + (i - 1) % 10), table.Tableau[i]);
    put(find("3s"), table.Waste);
    EXPECT_TRUE(IsGameBlocked(table));
    // One gap more, and the waste card has a place.
    put(table.Tableau[20]->TopCard(), aside);
    EXPECT_FALSE(IsGameBlocked(table));
}

TEST_F(Carpet, CycleSendsAcesOnly)
{
    deal(6);
    table.Play.AutomaticMoves = true;
    clearPlace(1);
    clearPlace(2);
    TCard *ace = find("ac");
    TCard *two = find("2c");
    for (TCard *c : {ace, two}) {
        if (c->HostDeck())
            c->HostDeck()->RemoveCard(c);
        c->SetFace(true);
    }
    table.Tableau[1]->AddCard(ace);
    table.Tableau[2]->AddCard(two);
    CarpetCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(ace->HostDeck()->ShowEmpty(), FoundationPile);
    EXPECT_EQ(two->HostDeck(), table.Tableau[2]);
}

TEST_F(Carpet, RandomPlayKeepsTheLocationTablesTrue)
{
    std::mt19937 random(17);
    for (int game = 0; game < 4; ++game) {
        deal(random());
        const std::vector<std::function<void()>> extras = {
            [this] { table.Stock->Click(); },
            [this] { CarpetDoubleClick(table, table.Waste); },
        };
        ASSERT_TRUE(PlayRandomly(table, random, 300, [this] { CarpetCycle(table); }, extras)) << "game " << game;
    }
}

} // namespace
