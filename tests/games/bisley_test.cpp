#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/bisley.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/move_acceptance.h"
#include "games/new_game.h"
#include "games/rule_predicates.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

// Bisley's deal stated on its own: the Aces lie on their foundations, the 48 other cards
// make the pack in card-array order and are drawn round the twelve columns; a King on top of
// a column then goes to its King foundation.
struct BisleyModel {
    std::vector<std::string> columns[12];
    std::vector<std::string> kings[4];

    explicit BisleyModel(quint32 number)
    {
        ModelPack pack(number);
        std::erase_if(pack.cards, [](const std::string &card) { return card[0] == 'a'; });
        for (int i = 0; i < 48; ++i)
            columns[i % 12].push_back(ModelPack::Up(pack.Draw()));
        for (auto &column : columns) {
            if (column.back()[0] == 'K') {
                kings[std::string("CDHS").find(column.back()[1])].push_back(column.back());
                column.pop_back();
            }
        }
    }
    int kingsHome() const { return int(kings[0].size() + kings[1].size() + kings[2].size() + kings[3].size()); }
};

class Bisley : public ::testing::Test, public TableFixture {
protected:
    Bisley()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
        table.Play.GameWon = [this] { ++wins; };
    }
    void deal(quint32 number) { DealGame(table, BisleyGame, number); }
    // Moves the card straight onto the pile, outside the rules.
    void place(TCard *card, TDeck *pile)
    {
        card->HostDeck()->RemoveCard(card);
        pile->AddCard(card);
    }
    TCard *find(const std::string &code) { return FindCard(table, code); }
    int wins = 0;
};

TEST_F(Bisley, DealsInTheFixedDrawOrderAndSendsTopKingsHome)
{
    int kingsSeen = 0;
    for (quint32 number : {0u, 1u, 10u, 77u, 4294967295u, 2024u, 31337u, 99u}) {
        SCOPED_TRACE(number);
        deal(number);
        const BisleyModel expected(number);
        for (int i = 1; i <= 12; ++i)
            EXPECT_EQ(Text(table.Tableau[i]), ModelPack::Join(expected.columns[i - 1])) << "column " << i;
        for (int s = 1; s <= 4; ++s) {
            const std::string ace{'A', "CDHS"[s - 1]};
            EXPECT_EQ(Text(table.Foundations[s]), ace);
            EXPECT_EQ(Text(table.Cells[s]), ModelPack::Join(expected.kings[s - 1]));
        }
        kingsSeen += expected.kingsHome();
        EXPECT_EQ(board.Score(), -32 + 5 * expected.kingsHome());
        // The pack served only the deal.
        EXPECT_EQ(board.Decks().size(), 20u);
        EXPECT_EQ(table.Stock, nullptr);
        EXPECT_TRUE(LocationsAgree(table));
    }
    EXPECT_GT(kingsSeen, 0) << "no number of the list tried a King on top";
}

// Pinned once, so that a change of the generator or of the draw order cannot go unseen.
TEST_F(Bisley, GoldenDealOfNumberOne)
{
    deal(1);
    const QStringList lines = DealPrintout(table, GameIds::Bisley, 1).split('\n');
    EXPECT_EQ(lines[9].toStdString(), "10 Tableau1: QS 7C 6H TC");
    EXPECT_EQ(lines[9].toStdString(), "10 Tableau1: " + ModelPack::Join(BisleyModel(1).columns[0]));
}

TEST_F(Bisley, FoundationsBuildUpFromTheAceAndDownFromTheKing)
{
    deal(3);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(table.Foundations[i]->Rule, Rules::UpInSuit);
        EXPECT_EQ(table.Cells[i]->Rule, Rules::DownInSuit);
        EXPECT_EQ(table.Cells[i]->FillEmpty, 13);
    }
    EXPECT_EQ(table.Tableau[1]->Rule, Rules::UpOrDownInSuit);
    EXPECT_FALSE(table.Foundations[1]->Wait) << "up or down in suit beside up in suit plays freely";
}

TEST_F(Bisley, MeetingRowsJoinTheAceFoundation)
{
    deal(5);
    table.Play.AutomaticMoves = false;
    TDeck *hearts = table.Foundations[3];
    TDeck *heartKings = table.Cells[3];
    ASSERT_EQ(Text(hearts), "AH");
    for (const char *code : {"2h", "3h", "4h", "5h", "6h"})
        place(find(code), hearts);
    for (const char *code : {"kh", "qh", "jh", "th", "9h", "8h", "7h"})
        place(find(code), heartKings);
    BisleyCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(hearts->CardsCount(), 13);
    EXPECT_EQ(Text(hearts), "AH 2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH");
    EXPECT_EQ(heartKings->CardsCount(), 0);
    EXPECT_TRUE(LocationsAgree(table));
}

TEST_F(Bisley, RowsThatDoNotMeetStayApart)
{
    deal(5);
    table.Play.AutomaticMoves = false;
    for (const char *code : {"2h", "3h", "4h", "5h"})
        place(find(code), table.Foundations[3]);
    for (const char *code : {"kh", "qh", "jh", "th", "9h", "8h", "7h"})
        place(find(code), table.Cells[3]);
    BisleyCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(table.Foundations[3]->CardsCount(), 5);
    EXPECT_EQ(table.Cells[3]->CardsCount(), 7);
}

TEST_F(Bisley, CycleSendsKingsHomeEvenWithAutomaticMovesOff)
{
    deal(8);
    table.Play.AutomaticMoves = false;
    TDeck *column = table.Tableau[4];
    TCard *king = find("ks");
    place(king, column);
    const int before = column->CardsCount();
    BisleyCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(king->HostDeck(), table.Cells[4]);
    EXPECT_EQ(column->CardsCount(), before - 1);
}

TEST_F(Bisley, AutomaticPassGivesEachColumnAtMostOneCard)
{
    deal(12);
    place(find("3c"), table.Tableau[1]);
    place(find("2c"), table.Tableau[1]);
    place(find("kd"), table.Cells[2]);
    place(find("qd"), table.Tableau[2]);
    table.Play.AutomaticMoves = true;
    BisleyCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(find("2c")->HostDeck(), table.Foundations[1]);
    EXPECT_EQ(find("3c")->HostDeck(), table.Tableau[1]);
    EXPECT_EQ(find("qd")->HostDeck(), table.Cells[2]);
    BisleyCycle(table);
    board.AutoTimer()->stop();
    EXPECT_EQ(find("3c")->HostDeck(), table.Foundations[1]);
    EXPECT_TRUE(LocationsAgree(table));
}

TEST_F(Bisley, OnlyTheTopCardMovesAndAnEmptyColumnStaysEmpty)
{
    deal(21);
    TDeck *column = table.Tableau[7];
    while (column->CardsCount() > 0)
        place(column->TopCard(), table.Tableau[8]);
    TDeck *full = table.Tableau[8];
    // A run in suit under the top card: it still may not leave as a group.
    place(find("9c"), full);
    place(find("tc"), full);
    bool action = true;
    full->OnDragSelect(find("9c"), action);
    EXPECT_FALSE(action);
    full->OnDragSelect(full->TopCard(), action);
    EXPECT_TRUE(action);
    TCard *card = full->TopCard();
    action = true;
    column->OnAddWithRule(column, card, action, true);
    EXPECT_FALSE(action);
    EXPECT_EQ(column->FillEmpty, 0);
}

TEST_F(Bisley, WonWhenTheAceFoundationsHoldEverything)
{
    deal(30);
    for (int s = 1; s <= 4; ++s)
        for (int rank = 2; rank <= 13; ++rank)
            place(table.Card((s - 1) * 13 + rank - 1), table.Foundations[s]);
    BisleyCycle(table);
    EXPECT_EQ(wins, 1);
    EXPECT_EQ(board.Score(), 208);
}

TEST_F(Bisley, RandomPlayKeepsTheLocationTablesTrue)
{
    std::mt19937 random(10);
    for (int game = 0; game < 4; ++game) {
        deal(random());
        ASSERT_TRUE(PlayRandomly(table, random, 300, [this] { BisleyCycle(table); })) << "game " << game;
    }
}

TEST(BisleyFallBack, EveryIdWithoutADealGetsBisleyWithFourSuits)
{
    TableFixture fixture;
    engineState() = EngineState{};
    int fallBacks = 0;
    for (int id = 0; id < BuiltInGameCount; id += 7) {
        if (DealRoutineFor(id))
            continue;
        ClearTable(fixture.table);
        DealForPrinting(fixture.table, id, 42);
        EXPECT_EQ(fixture.table.CurrentGameId, GameIds::Bisley) << id;
        std::set<int> faces;
        for (int index = 0; index < 52; ++index)
            faces.insert(fixture.table.Card(index)->CardFace());
        EXPECT_EQ(faces.size(), 52u) << id;
        ++fallBacks;
    }
    EXPECT_GT(fallBacks, 0);
}

} // namespace
