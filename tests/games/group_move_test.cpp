#include "games/group_move.h"
#include "games/rule_predicates.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Plays a plan over abstract places, independently of the planner: the group lies on the
// source as indexes 0..n-1; a moved card must be the top of its place; a cell holds one
// card; a card goes on an empty spare or on the card that lay directly beneath it in the
// group; the empty target takes only the group's lowest card. At the end the whole group
// lies on the target and every spare is empty.
bool playsOut(const std::vector<PlanStep> &steps, int n, int cells, int columns)
{
    const int target = cells + columns;
    const int source = target + 1;
    std::vector<std::vector<int>> places(source + 1);
    for (int i = 0; i < n; ++i)
        places[source].push_back(i);
    std::vector<int> where(n, source);
    for (const PlanStep &step : steps) {
        if (step.CardIndex < 0 || step.CardIndex >= n)
            return false;
        const int to = step.Destination == PlanStep::Target ? target : step.Destination;
        if (to < 0 || to > target)
            return false;
        std::vector<int> &from = places[where[step.CardIndex]];
        if (from.empty() || from.back() != step.CardIndex || where[step.CardIndex] == to)
            return false;
        std::vector<int> &onto = places[to];
        if (to < cells && !onto.empty())
            return false;
        if (onto.empty() ? (to == target && step.CardIndex != 0) : onto.back() != step.CardIndex - 1)
            return false;
        from.pop_back();
        onto.push_back(step.CardIndex);
        where[step.CardIndex] = to;
    }
    for (int place = 0; place < target; ++place)
        if (!places[place].empty())
            return false;
    return int(places[target].size()) == n && places[source].empty();
}

TEST(GroupMovePlan, EveryGroupUpToTheCapacityIsCarriedByLegalSingleMoves)
{
    for (int cells = 0; cells <= 4; ++cells)
        for (int columns = 0; columns <= 7; ++columns) {
            const int capacity = (cells + 1) * (1 << columns) - 1;
            // No group holds more cards than the table.
            const int largest = std::min(capacity + 1, GameTable::CardCount);
            for (int n = 1; n <= largest; ++n) {
                const auto steps = PlanGroupMoveSteps(n, cells, columns);
                ASSERT_FALSE(steps.empty()) << cells << " cells, " << columns << " columns, " << n << " cards";
                ASSERT_TRUE(playsOut(steps, n, cells, columns))
                    << cells << " cells, " << columns << " columns, " << n << " cards";
            }
            const auto beyond = PlanGroupMoveSteps(capacity + 2, cells, columns);
            EXPECT_TRUE(beyond.empty() || !playsOut(beyond, capacity + 2, cells, columns))
                << cells << " cells, " << columns << " columns";
        }
}

TEST(GroupMovePlan, ParkingPlanNeedsOneSparePerUpperCard)
{
    for (int spares = 0; spares <= 6; ++spares) {
        for (int n = 1; n <= spares + 1; ++n)
            EXPECT_TRUE(playsOut(PlanParkingSteps(n, spares), n, spares, 0)) << spares << " spares, " << n;
        EXPECT_TRUE(PlanParkingSteps(spares + 2, spares).empty());
    }
}

class GroupMoveOnTable : public ::testing::Test, public TableFixture {
protected:
    TDeck *cell()
    {
        TDeck *pile = Pile();
        pile->MaxCardCount = 1;
        pile->UsableAsSpare = true;
        return pile;
    }
    TDeck *column(const std::string &cards)
    {
        TDeck *pile = Pile(cards);
        pile->SetVShift(20);
        pile->Rule = Rules::DownAltColour;
        pile->UsableAsSpare = true;
        return pile;
    }
};

TEST_F(GroupMoveOnTable, SpareCapacityCountsEmptySparesOtherThanTheTarget)
{
    cell();
    cell();
    TDeck *full = cell();
    Put(full, "2C");
    TDeck *empty = column("");
    column("KS");
    TDeck *notSpare = Pile();
    notSpare->FillEmpty = 13;
    notSpare->UsableAsSpare = true;
    EXPECT_EQ(SpareCapacity(board, nullptr), 5); // (2 + 1) * 2 - 1: six cards move
    EXPECT_EQ(SpareCapacity(board, empty), 2);   // onto the empty column itself: three
    const SpareSet spares = FindSpares(board, nullptr);
    EXPECT_EQ(spares.Cells.size(), 2u);
    EXPECT_EQ(spares.Columns.size(), 1u);
}

TEST_F(GroupMoveOnTable, LegalPlanMovesTheGroupInOneJournalGroup)
{
    cell();
    cell();
    column("");
    TDeck *source = column("3C 9H 8S 7H 6S 5H 4S");
    TDeck *target = column("TC");
    TCard *nine = source->GetCard(6);
    const auto plan = PlanGroupMove(board, nine, target);
    ASSERT_TRUE(IsPlanLegal(plan, nine, target));
    EXPECT_TRUE(PerformPlan(board, plan, nine, target));
    EXPECT_EQ(Text(target), "TC 9H 8S 7H 6S 5H 4S");
    EXPECT_EQ(Text(source), "3C");
    for (const auto &pile : board.Decks()) {
        if (pile.get() != source && pile.get() != target) {
            EXPECT_EQ(pile->CardsCount(), 0);
        }
    }
    board.Undo();
    EXPECT_EQ(Text(target), "TC");
    EXPECT_EQ(Text(source), "3C 9H 8S 7H 6S 5H 4S");
}

TEST_F(GroupMoveOnTable, IllegalPlanMovesNothing)
{
    cell();
    TDeck *source = column("3C 9H 8S 7H");
    TDeck *target = column("TC");
    TCard *nine = source->GetCard(3);
    // Three cards but one cell: the planner finds no way.
    EXPECT_TRUE(PlanGroupMove(board, nine, target).empty());
    // A hand-made plan that moves a covered card.
    const std::vector<PlannedMove> covered = {{nine, target}};
    EXPECT_FALSE(PerformPlan(board, covered, nine, target));
    // A plan that breaks the target's rule.
    TDeck *wrongTarget = column("TD");
    TCard *seven = source->TopCard();
    const std::vector<PlannedMove> wrong = {{seven, wrongTarget}};
    EXPECT_FALSE(PerformPlan(board, wrong, seven, wrongTarget));
    EXPECT_EQ(Text(source), "3C 9H 8S 7H");
    EXPECT_EQ(Text(target), "TC");
    EXPECT_EQ(Text(wrongTarget), "TD");
}

} // namespace
