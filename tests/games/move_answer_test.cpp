#include "games/move_answer.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

namespace {

// Counts the card-choice questions; answers with nothing.
class CountingCardChooser : public CardChooser {
public:
    TCard *ChooseCard(const QString &, const QString &, const std::vector<TCard *> &) override
    {
        ++asked;
        return nullptr;
    }
    int asked = 0;
};

// A table of its own for each position.
class AnswerTable : public TableFixture {
public:
    AnswerTable()
    {
        table.ColumnChooser = &columnChooser;
        table.CardChoice = &cardChooser;
    }
    void build(int gameId, int columns = 7)
    {
        table.CurrentGameId = gameId;
        BuildRows(table, table.Rules(), {.row = {.left = 10, .top = 5, .step = 80, .count = 4}}, table.Foundations,
                  {.row = {.left = 10, .top = 120, .step = 80, .count = columns}, .spread = {.vShift = 20}},
                  table.Tableau);
    }
    // Yukon's columns carry the tag its acceptance searches runs in.
    void buildYukon()
    {
        build(GameIds::Yukon);
        for (int i = 1; i <= 7; ++i)
            table.SetTag(column(i), 4);
    }
    // Two empty cells, two full ones, an empty column; the first two columns are left to the case.
    void buildFreeCell()
    {
        build(GameIds::FreeCell, 8);
        const char *fillers[] = {"2D", "2H", "2C", "2S", "3H"};
        for (int i = 4; i <= 8; ++i)
            Put(column(i), fillers[i - 4]);
        for (const char *cards : {"", "", "3D", "4D"}) {
            TDeck *cell = Pile(cards);
            cell->MaxCardCount = 1;
            cell->UsableAsSpare = true;
        }
    }
    TDeck *column(int i) { return table.Tableau[i]; }
    // Every pile's cards, to see that answering moved nothing.
    std::string position()
    {
        std::string text;
        for (const auto &pile : board.Decks())
            text += Text(pile.get()) + "|";
        return text;
    }
    FixedChooser columnChooser{EmptyColumnChooser::MoveColumn};
    CountingCardChooser cardChooser;
};

// What a case expects of both routes; `card`, `runCard` and `choices` are depths in the
// source column (1 = its top card, 0 = none).
struct Expected {
    bool accepted;
    int card = 0;
    MoveCarry carry = MoveCarry::Direct;
    MoveQuestion question = MoveQuestion::None;
    int runCard = 0;
    MoveCarry runCarry = MoveCarry::Direct;
    std::vector<int> choices = {};
};

enum class Layout { Klondike, FlowerGarden, FreeCell, Yukon };

struct Case {
    const char *name;
    Layout layout;
    std::vector<const char *> columns; // cards of columns 1, 2, ... (bottom first); "" leaves one as it is
    Acceptance acceptance;
    int askedDepth; // the card asked about, by depth in column 1
    int target;     // the target column
    Expected click;
    Expected drag;
    void (*adjust)(AnswerTable &) = nullptr;
};

const Case cases[] = {
    {"Klondike: a deeper card of the run fits", Layout::Klondike, {"ks 9H 8S 7H", "TC"}, Acceptance::Tableau, 1, 2,
     {true, 3}, {true, 3}},
    {"Klondike: an empty column takes the King heading the run", Layout::Klondike, {"5c KH QS JH"},
     Acceptance::Tableau, 1, 2, {true, 3}, {true, 3}},
    {"Flower Garden: an empty column asks whether to move the run", Layout::FlowerGarden, {"5C 9H 8S 7D"},
     Acceptance::Tableau, 1, 2, {true, 1, MoveCarry::Direct, MoveQuestion::WholeRunOrOneCard, 3}, {true, 1}},
    {"Flower Garden: an empty column filling unasked takes a group by click, one card by drag",
     Layout::FlowerGarden, {"5C 9H 8S 7D"}, Acceptance::Tableau, 2, 2, {true, 2}, {false},
     [](AnswerTable &t) { t.column(2)->FillEmpty = -2; }},
    {"FreeCell: a run is carried through the spares", Layout::FreeCell, {"3C 9H 8S 7H 6S 5H 4S", "TC"},
     Acceptance::Tableau, 1, 2, {true, 6, MoveCarry::ThroughSpares}, {true, 6, MoveCarry::ThroughSpares}},
    {"FreeCell: the empty column offers as much of the run as the spares carry", Layout::FreeCell,
     {"3C 9H 8S 7H 6S 5H 4S", "KD"}, Acceptance::Tableau, 1, 3,
     {true, 1, MoveCarry::Direct, MoveQuestion::WholeRunOrOneCard, 3, MoveCarry::ThroughSpares}, {true, 1}},
    {"FreeCell: a run longer than the spares carry is refused by both", Layout::FreeCell,
     {"JS TH 9S 8H 7S 6H 5S", "QH"}, Acceptance::Tableau, 1, 2, {false}, {false}},
    {"Yukon form by parking: a group needs a spare for each upper card", Layout::FreeCell,
     {"3C 9H 8S 7H 6S 5H", "TC", "", "9D"}, Acceptance::TableauByParking, 1, 2, {false}, {false}},
    {"Yukon form by parking: three upper cards in three spares", Layout::FreeCell, {"3C 9H 8S 7H 6S 5H", "9D"},
     Acceptance::TableauByParking, 1, 2, {true, 4, MoveCarry::ByParking}, {true, 4, MoveCarry::ByParking}},
    {"Yukon: two red sixes fit the black seven", Layout::Yukon, {"ks 6D 3C 6H 2S", "7S"}, Acceptance::YukonTableau,
     1, 2, {true, 2, MoveCarry::Direct, MoveQuestion::WhichCard, 0, MoveCarry::Direct, {2, 4}}, {true, 2}},
    {"Yukon: a King at the bottom of its column stays there", Layout::Yukon, {"KH QS"}, Acceptance::YukonTableau, 2,
     3, {false}, {false}},
    {"Yukon: two Kings could go to the empty column", Layout::Yukon, {"5c KH 2D KS 4H"}, Acceptance::YukonTableau, 1,
     3, {true, 2, MoveCarry::Direct, MoveQuestion::WhichKing, 0, MoveCarry::Direct, {2, 4}}, {true, 2}},
    {"A stacked pile gives no deeper card to a drag", Layout::Klondike, {"ks 9H 8S 7H", "TC"}, Acceptance::Tableau,
     1, 2, {true, 3}, {false}, [](AnswerTable &t) { t.column(1)->SetVShift(0); }},
};

void layOut(AnswerTable &t, const Case &c)
{
    switch (c.layout) {
    case Layout::Klondike: t.build(GameIds::Klondike); break;
    case Layout::FlowerGarden: t.build(GameIds::FlowerGarden); break;
    case Layout::FreeCell: t.buildFreeCell(); break;
    case Layout::Yukon: t.buildYukon(); break;
    }
    for (std::size_t i = 0; i < c.columns.size(); ++i)
        t.Put(t.column(int(i) + 1), c.columns[i]);
    if (c.adjust)
        c.adjust(t);
}

TEST(MoveAnswers, EveryRouteGetsTheSameAnswerWithinItsLimits)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AnswerTable t;
        GameTable &table = t.table;
        layOut(t, c);
        const auto column = [&t](int i) { return t.column(i); };
        TDeck *source = column(1);
        TCard *asked = source->GetCard(c.askedDepth);
        const std::string before = t.position();
        for (const MoveRoute route : {MoveRoute::Click, MoveRoute::Drag}) {
            const Expected &expected = route == MoveRoute::Click ? c.click : c.drag;
            const MoveAnswer answer = AnswerMove(table, c.acceptance, column(c.target), asked, route);
            EXPECT_EQ(answer.Accepted, expected.accepted) << int(route);
            if (!expected.accepted)
                continue;
            EXPECT_EQ(answer.Card, source->GetCard(expected.card)) << int(route);
            EXPECT_EQ(answer.Carry, expected.carry) << int(route);
            EXPECT_EQ(answer.Question, expected.question) << int(route);
            EXPECT_EQ(answer.RunCard, expected.runCard ? source->GetCard(expected.runCard) : nullptr) << int(route);
            if (expected.runCard) {
                EXPECT_EQ(answer.RunCarry, expected.runCarry);
            }
            std::vector<TCard *> choices;
            for (int depth : expected.choices)
                choices.push_back(source->GetCard(depth));
            EXPECT_EQ(answer.Choices, choices) << int(route);
        }
        // Answering asks nobody and moves nothing.
        EXPECT_EQ(t.position(), before);
        EXPECT_EQ(t.columnChooser.asked, 0);
        EXPECT_EQ(t.cardChooser.asked, 0);
    }
}

TEST(MoveAnswers, DragsPickUpNoLongerRunThanTheAcceptanceCarries)
{
    AnswerTable t;
    GameTable &table = t.table;
    t.buildFreeCell();
    TDeck *column = t.column(1);
    t.Put(column, "3C 9H 8S 7H 6S 5H 4S");
    t.Put(t.column(2), "KD");
    // Two cells and one empty column: (2 + 1) * 2 cards lie on the lowest one through the
    // halving plan, three when each upper card is parked.
    struct Row {
        Acceptance acceptance;
        int deepest;
    };
    for (const Row &row : {Row{Acceptance::Tableau, 6}, Row{Acceptance::TableauByParking, 4}}) {
        EXPECT_TRUE(MayDragRun(table, row.acceptance, column->GetCard(row.deepest))) << int(row.acceptance);
        EXPECT_FALSE(MayDragRun(table, row.acceptance, column->GetCard(row.deepest + 1))) << int(row.acceptance);
    }
    EXPECT_FALSE(MayDragRun(table, Acceptance::Tableau, nullptr));
}

} // namespace
