#pragma once

#include <vector>

class TBoardState;
class TCard;
class TDeck;

// The empty piles that may hold cards in passing while a group moves card by card: those
// with UsableAsSpare and FillEmpty -1, other than the target. Cells hold one card
// (MaxCardCount 1); every other spare is a column. Listed in the table's pile order.
struct SpareSet {
    std::vector<TDeck *> Cells;
    std::vector<TDeck *> Columns;
    int Count() const { return int(Cells.size() + Columns.size()); }
};
SpareSet FindSpares(const TBoardState &board, const TDeck *target);

// How many cards may lie on the lowest card of a group carried through the spares:
// (cells + 1) * 2^columns - 1.
int SpareCapacity(const TBoardState &board, const TDeck *target);

// One step of a plan over abstract places: the group's card index (0 = its lowest card)
// and its destination, Target or a spare index (cells first, then columns).
struct PlanStep {
    static constexpr int Target = -1;
    int CardIndex;
    int Destination;
};

// The single-card moves that carry a group of groupSize cards to the target through
// cellCount cells and columnCount columns, halving the work through the columns. Empty
// when the spares cannot carry the group.
std::vector<PlanStep> PlanGroupMoveSteps(int groupSize, int cellCount, int columnCount);
// The plan that parks each upper card in a spare of its own, moves the lowest card and
// brings the others back; empty when there are too few spares.
std::vector<PlanStep> PlanParkingSteps(int groupSize, int spareCount);

struct PlannedMove {
    TCard *Card;
    TDeck *Destination;
};

// The move of the group of card (card and every card on it) to target, planned through
// the table's spares; empty when the group cannot be carried.
std::vector<PlannedMove> PlanGroupMove(const TBoardState &board, TCard *card, TDeck *target);
// The same by parking in the spares one card each.
std::vector<PlannedMove> PlanParkingMove(const TBoardState &board, TCard *card, TDeck *target);

// Whether the plan carries the group of card onto target by legal single-card moves: each
// moved card is the top card of its pile, a cell never holds more than its MaxCardCount,
// a card goes on an empty spare or where the pile's Rule lets it lie, onto the target as
// its FillEmpty or Rule allows, and at the end the whole group lies on the target in order
// and every spare is empty again.
bool IsPlanLegal(const std::vector<PlannedMove> &plan, TCard *card, TDeck *target);

// Checks the plan and performs it in one journal group; an illegal plan moves nothing.
// False when nothing moved.
bool PerformPlan(TBoardState &board, const std::vector<PlannedMove> &plan, TCard *card, TDeck *target);
