#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/flower_garden.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The shared deal stated on its own: the whole pack, one card to each of the sixteen reserve
// piles, then six rounds over the six beds.
struct FlowerGardenModel {
    std::vector<std::string> reserve;
    std::vector<std::string> beds[6];

    explicit FlowerGardenModel(quint32 number)
    {
        ModelPack pack(number);
        for (int i = 0; i < 16; ++i)
            reserve.push_back(ModelPack::Up(pack.Draw()));
        for (int i = 0; i < 36; ++i)
            beds[i % 6].push_back(ModelPack::Up(pack.Draw()));
    }
};

class FlowerGarden : public ::testing::TestWithParam<int>, public TableFixture {
protected:
    FlowerGarden()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
        table.Play.GameWon = [this] { ++wins; };
    }
    void deal(quint32 number, int gameId = GameIds::FlowerGarden)
    {
        DealGame(table, gameId == GameIds::Bouquet ? BouquetGame : FlowerGardenGame, number);
    }
    TCard *find(const std::string &code) { return FindCard(table, code); }
    void place(const std::string &code, TDeck *pile)
    {
        TCard *card = find(code);
        card->HostDeck()->RemoveCard(card);
        pile->AddCard(card);
    }
    // Empties a bed onto the first foundation's place outside play (a pile of its own).
    void emptyBed(int i)
    {
        if (!spare)
            spare = Pile();
        while (TCard *card = table.Cells[i]->TopCard()) {
            table.Cells[i]->RemoveCard(card);
            spare->AddCard(card);
        }
    }
    // The reserve pile holds only this card.
    void setReserve(int i, const std::string &code)
    {
        if (!spare)
            spare = Pile();
        while (TCard *card = table.Tableau[i]->TopCard()) {
            table.Tableau[i]->RemoveCard(card);
            spare->AddCard(card);
        }
        place(code, table.Tableau[i]);
    }
    // The player clicks the source and then the target.
    void clickMove(TDeck *from, TDeck *to)
    {
        from->Click();
        to->Click();
    }
    bool reserveDrawnLeftToRight() const
    {
        std::uint64_t last = 0;
        for (int i = 1; i <= 16; ++i) {
            const TCard *card = table.Tableau[i]->TopCard();
            if (!card)
                continue;
            if (card->ZOrder() <= last)
                return false;
            last = card->ZOrder();
        }
        return true;
    }
    TDeck *spare = nullptr;
    int wins = 0;
};

TEST_F(FlowerGarden, BothGamesDealTheSameCardsInTheFixedDrawOrder)
{
    for (quint32 number : {0u, 14u, 309u, 4294967295u, 123456u}) {
        SCOPED_TRACE(number);
        const FlowerGardenModel expected(number);
        for (int gameId : {GameIds::FlowerGarden, GameIds::Bouquet}) {
            deal(number, gameId);
            for (int i = 1; i <= 16; ++i)
                EXPECT_EQ(Text(table.Tableau[i]), expected.reserve[std::size_t(i - 1)]) << "reserve " << i;
            for (int i = 1; i <= 6; ++i)
                EXPECT_EQ(Text(table.Cells[i]), ModelPack::Join(expected.beds[i - 1])) << "bed " << i;
            for (int i = 1; i <= 4; ++i)
                EXPECT_EQ(table.Foundations[i]->CardsCount(), 0);
            EXPECT_EQ(board.Score(), -52);
            EXPECT_TRUE(LocationsAgree(table));
        }
    }
}

TEST_F(FlowerGarden, GoldenDealOfNumberOne)
{
    deal(1);
    EXPECT_EQ(Text(table.Cells[1]), "3H TH QH AC 3S 6D");
    EXPECT_EQ(Text(table.Cells[1]), ModelPack::Join(FlowerGardenModel(1).beds[0]));
}

TEST_F(FlowerGarden, ReserveCardsPlayAnywhereButTakeNothing)
{
    deal(40);
    place("9s", table.Cells[1]);
    setReserve(5, "8d");
    clickMove(table.Tableau[5], table.Cells[1]);
    EXPECT_EQ(Text(table.Cells[1]).substr(Text(table.Cells[1]).size() - 5), "9S 8D");
    EXPECT_EQ(table.Tableau[5]->CardsCount(), 0);
    // Nothing goes onto the reserve, not even onto its empty places.
    TCard *top = table.Cells[2]->TopCard();
    bool action = true;
    table.Tableau[6]->OnAddWithRule(table.Tableau[6], top, action, true);
    EXPECT_FALSE(action);
    action = true;
    table.Tableau[5]->OnAddWithRule(table.Tableau[5], top, action, true);
    EXPECT_FALSE(action);
}

TEST_F(FlowerGarden, FlowerGardenMovesARunAsAUnitAndBouquetOnlyThroughEmptyBeds)
{
    for (int gameId : {GameIds::FlowerGarden, GameIds::Bouquet}) {
        SCOPED_TRACE(gameId);
        deal(50, gameId);
        spare = nullptr;
        place("tc", table.Cells[1]);
        place("9d", table.Cells[1]);
        place("8s", table.Cells[1]);
        place("jh", table.Cells[2]);
        const int runStart = table.Cells[1]->CardsCount() - 2;
        clickMove(table.Cells[1], table.Cells[2]);
        if (gameId == GameIds::FlowerGarden) {
            EXPECT_EQ(Text(table.Cells[2]).substr(Text(table.Cells[2]).size() - 11), "JH TC 9D 8S");
            EXPECT_EQ(table.Cells[1]->CardsCount(), runStart - 1);
        } else {
            // No empty bed: the run stays.
            EXPECT_EQ(table.Cells[1]->CardsCount(), runStart + 2);
            // One empty bed carries two cards: 9D and 8S onto a ten.
            emptyBed(6);
            place("tc", table.Cells[3]);
            clickMove(table.Cells[1], table.Cells[3]);
            EXPECT_EQ(Text(table.Cells[3]).substr(Text(table.Cells[3]).size() - 8), "TC 9D 8S");
            EXPECT_EQ(table.Cells[6]->CardsCount(), 0);
        }
        EXPECT_TRUE(LocationsAgree(table));
    }
}

TEST_F(FlowerGarden, DraggingARunFollowsTheSameRule)
{
    for (int gameId : {GameIds::FlowerGarden, GameIds::Bouquet}) {
        SCOPED_TRACE(gameId);
        deal(51, gameId);
        spare = nullptr;
        place("tc", table.Cells[1]);
        place("9d", table.Cells[1]);
        place("8s", table.Cells[1]);
        place("jh", table.Cells[2]);
        bool action = false;
        table.Cells[1]->OnDragSelect(find("tc"), action);
        EXPECT_EQ(action, gameId == GameIds::FlowerGarden);
        action = false;
        table.Cells[1]->OnDragSelect(find("9d"), action);
        EXPECT_EQ(action, gameId == GameIds::FlowerGarden);
        emptyBed(6);
        action = false;
        table.Cells[1]->OnDragSelect(find("9d"), action);
        EXPECT_TRUE(action) << "one empty bed lets two cards go";
    }
}

TEST_F(FlowerGarden, EmptyBedTakesAnyCardOrRun)
{
    deal(60);
    emptyBed(4);
    setReserve(3, "5h");
    clickMove(table.Tableau[3], table.Cells[4]);
    EXPECT_EQ(Text(table.Cells[4]), "5H");
    emptyBed(5);
    bool action = false;
    table.Cells[5]->OnDragRule(find("5h"), table.Cells[5], action);
    EXPECT_TRUE(action);
}

TEST_F(FlowerGarden, ReserveIsDrawnLeftToRightAfterUndoAndCancelledDrag)
{
    deal(70);
    // Clear a place in the middle of the reserve and fill a bed from it.
    place("kc", table.Cells[2]);
    setReserve(8, "qd");
    clickMove(table.Tableau[8], table.Cells[2]);
    ASSERT_EQ(table.Tableau[8]->CardsCount(), 0);
    board.Undo();
    EXPECT_EQ(Text(table.Tableau[8]), "QD");
    EXPECT_TRUE(reserveDrawnLeftToRight());

    table.Tableau[3]->TopCard()->BringToFront();
    ASSERT_FALSE(reserveDrawnLeftToRight());
    table.Tableau[3]->OnAfterDragCancelled(table.Tableau[3]);
    EXPECT_TRUE(reserveDrawnLeftToRight());
}

TEST_F(FlowerGarden, CycleSendsAcesAndWaitsCarefully)
{
    deal(80);
    table.Play.AutomaticMoves = true;
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(table.Foundations[i]->Wait);
    place("ac", table.Tableau[1]);
    place("ad", table.Cells[3]);
    FlowerGardenCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(find("ac")->HostDeck()->ShowEmpty(), FoundationPile);
    EXPECT_EQ(find("ad")->HostDeck()->ShowEmpty(), FoundationPile);
    EXPECT_TRUE(LocationsAgree(table));
}

TEST_F(FlowerGarden, RandomPlayKeepsTheLocationTablesTrue)
{
    std::mt19937 random(14);
    for (int game = 0; game < 4; ++game) {
        const int gameId = game % 2 ? GameIds::Bouquet : GameIds::FlowerGarden;
        deal(random(), gameId);
        ASSERT_TRUE(PlayRandomly(table, random, 300, [this] { FlowerGardenCycle(table); })) << "game " << game;
    }
}

} // namespace
