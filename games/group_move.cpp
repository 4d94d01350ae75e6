#include "games/group_move.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/rule_predicates.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <map>

namespace {

bool isSpare(const TDeck *pile, const TDeck *target)
{
    return pile != target && pile->UsableAsSpare && pile->FillEmpty == -1 && pile->CardsCount() == 0;
}

// Plans over abstract places: the group's indexes and spare ids.
class GroupPlanner {
public:
    GroupPlanner(int groupSize, std::vector<int> cells, std::deque<int> columns)
        : n(groupSize), cells(std::move(cells)), columns(std::move(columns))
    {
    }

    std::vector<PlanStep> Plan()
    {
        plan(n, 0, PlanStep::Target);
        if (failed)
            steps.clear();
        return steps;
    }

private:
    // Moves the a cards that lie b cards below the top of the group onto place D.
    void plan(int a, int b, int destination)
    {
        if (failed)
            return;
        const int cellCount = int(cells.size());
        const int c = cellCount + 1;
        int d = 0;
        if (c < a) {
            d = c;
            while (2 * d < a)
                d *= 2;
        }
        if (a - d < c && 2 * c >= a)
            d = a - c;

        struct Parked {
            int column, b, d;
        };
        std::vector<Parked> parked;
        while (a > cellCount + 1) {
            if (columns.empty()) {
                failed = true;
                return;
            }
            const int column = columns.front();
            columns.pop_front();
            parked.push_back({column, b, d});
            plan(d, b, column);
            if (failed)
                return;
            a -= d;
            b += d;
            d = (cellCount + 1 >= a || 2 * (cellCount + 1) < a) ? d / 2 : a - (cellCount + 1);
            // A halved share may no longer fit inside what is left; then park all but
            // what the cells can take.
            if (d < 1 || d > a - 1)
                d = a - (cellCount + 1);
        }

        const int m = std::min({a, n - b, cellCount + 1});
        for (int k = 0; k < m - 1; ++k)
            steps.push_back({n - b - 1 - k, cells[k]});
        if (m >= 1)
            steps.push_back({n - b - m, destination});
        for (int k = m - 2; k >= 0; --k)
            steps.push_back({n - b - 1 - k, destination});

        for (auto it = parked.rbegin(); it != parked.rend(); ++it) {
            plan(it->d, it->b, destination);
            if (failed)
                return;
            columns.push_front(it->column);
        }
    }

    int n;
    std::vector<int> cells;
    std::deque<int> columns;
    std::vector<PlanStep> steps;
    bool failed = false;
};

// The group of card, from card (index 0) up to its pile's top card.
std::vector<TCard *> groupOf(TCard *card)
{
    std::vector<TCard *> group;
    if (!card || !card->HostDeck())
        return group;
    for (TCard *walk = card->HostDeck()->TopCard(); walk; walk = walk->Below) {
        group.push_back(walk);
        if (walk == card)
            break;
    }
    if (group.empty() || group.back() != card)
        return {};
    std::reverse(group.begin(), group.end());
    return group;
}

std::vector<PlannedMove> toMoves(const std::vector<PlanStep> &steps, const std::vector<TCard *> &group,
                                 const std::vector<TDeck *> &places, TDeck *target)
{
    std::vector<PlannedMove> moves;
    moves.reserve(steps.size());
    for (const PlanStep &step : steps)
        moves.push_back({group[step.CardIndex], step.Destination == PlanStep::Target ? target : places[step.Destination]});
    return moves;
}

std::vector<TCard *> cardsBottomUp(const TDeck *pile)
{
    std::vector<TCard *> cards;
    for (TCard *walk = pile->TopCard(); walk; walk = walk->Below)
        cards.push_back(walk);
    std::reverse(cards.begin(), cards.end());
    return cards;
}

} // namespace

SpareSet FindSpares(const TBoardState &board, const TDeck *target)
{
    SpareSet spares;
    for (const auto &pile : board.Decks())
        if (isSpare(pile.get(), target))
            (pile->MaxCardCount == 1 ? spares.Cells : spares.Columns).push_back(pile.get());
    return spares;
}

int SpareCapacity(const TBoardState &board, const TDeck *target)
{
    const SpareSet spares = FindSpares(board, target);
    // More cards than a table holds can never be asked for; stop doubling well before overflow.
    constexpr long long limit = std::numeric_limits<int>::max() / 2;
    long long capacity = static_cast<long long>(spares.Cells.size()) + 1;
    for (std::size_t i = 0; i < spares.Columns.size() && capacity < limit; ++i)
        capacity *= 2;
    return int(std::min(capacity, limit) - 1);
}

std::vector<PlanStep> PlanGroupMoveSteps(int groupSize, int cellCount, int columnCount)
{
    if (groupSize < 1 || cellCount < 0 || columnCount < 0)
        return {};
    std::vector<int> cells;
    std::deque<int> columns;
    for (int i = 0; i < cellCount; ++i)
        cells.push_back(i);
    for (int i = 0; i < columnCount; ++i)
        columns.push_back(cellCount + i);
    // Without a cell the last column serves as the only one.
    if (cells.empty() && !columns.empty()) {
        cells.push_back(columns.back());
        columns.pop_back();
    }
    return GroupPlanner(groupSize, std::move(cells), std::move(columns)).Plan();
}

std::vector<PlanStep> PlanParkingSteps(int groupSize, int spareCount)
{
    if (groupSize < 1 || groupSize - 1 > spareCount)
        return {};
    std::vector<PlanStep> steps;
    for (int k = groupSize - 1; k >= 1; --k)
        steps.push_back({k, groupSize - 1 - k});
    steps.push_back({0, PlanStep::Target});
    for (int k = 1; k < groupSize; ++k)
        steps.push_back({k, PlanStep::Target});
    return steps;
}

std::vector<PlannedMove> PlanGroupMove(const TBoardState &board, TCard *card, TDeck *target)
{
    const std::vector<TCard *> group = groupOf(card);
    if (group.empty() || !target)
        return {};
    const SpareSet spares = FindSpares(board, target);
    std::vector<TDeck *> places = spares.Cells;
    places.insert(places.end(), spares.Columns.begin(), spares.Columns.end());
    const auto steps = PlanGroupMoveSteps(int(group.size()), int(spares.Cells.size()), int(spares.Columns.size()));
    return toMoves(steps, group, places, target);
}

std::vector<PlannedMove> PlanParkingMove(const TBoardState &board, TCard *card, TDeck *target)
{
    const std::vector<TCard *> group = groupOf(card);
    if (group.empty() || !target)
        return {};
    const SpareSet spares = FindSpares(board, target);
    std::vector<TDeck *> places = spares.Cells;
    places.insert(places.end(), spares.Columns.begin(), spares.Columns.end());
    return toMoves(PlanParkingSteps(int(group.size()), int(places.size())), group, places, target);
}

bool IsPlanLegal(const std::vector<PlannedMove> &plan, TCard *card, TDeck *target)
{
    const std::vector<TCard *> group = groupOf(card);
    if (plan.empty() || group.empty() || !target)
        return false;
    TDeck *source = card->HostDeck();
    if (source == target)
        return false;

    std::map<const TDeck *, std::vector<TCard *>> stacks;
    std::map<const TCard *, TDeck *> location;
    const auto stackOf = [&](TDeck *pile) -> std::vector<TCard *> & {
        auto found = stacks.find(pile);
        if (found == stacks.end())
            found = stacks.emplace(pile, cardsBottomUp(pile)).first;
        return found->second;
    };
    stackOf(source);
    const std::vector<TCard *> targetStart = stackOf(target);
    for (TCard *moving : group)
        location[moving] = source;

    for (const PlannedMove &move : plan) {
        if (!move.Card || !move.Destination)
            return false;
        const auto at = location.find(move.Card);
        if (at == location.end())
            return false; // not a card of the group
        TDeck *from = at->second;
        TDeck *to = move.Destination;
        std::vector<TCard *> &fromStack = stackOf(from);
        if (to == from || fromStack.empty() || fromStack.back() != move.Card)
            return false;
        if (to != target && stacks.find(to) == stacks.end() && !isSpare(to, target))
            return false;
        std::vector<TCard *> &toStack = stackOf(to);
        if (to->MaxCardCount >= 0 && int(toStack.size()) >= to->MaxCardCount)
            return false;
        if (toStack.empty()) {
            const bool fits = to != target || to->FillEmpty == -1 || to->FillEmpty == -2
                || to->FillEmpty == move.Card->Rank();
            if (!fits)
                return false;
        } else {
            const TCard *lower = toStack.back();
            const bool wrapAllowed = to->ShowEmpty() == FoundationPile || to->Consecutive
                || !IsWrapAtBaseOf(to, lower, move.Card);
            if (!RuleHolds(to->Rule, lower, move.Card) || !wrapAllowed)
                return false;
        }
        fromStack.pop_back();
        toStack.push_back(move.Card);
        at->second = to;
    }

    // The group lies on the target in order, and every pile used in passing is empty again.
    std::vector<TCard *> expected = targetStart;
    expected.insert(expected.end(), group.begin(), group.end());
    if (stacks[target] != expected)
        return false;
    for (const auto &[pile, cards] : stacks)
        if (pile != source && pile != target && !cards.empty())
            return false;
    return true;
}

bool PerformPlan(TBoardState &board, const std::vector<PlannedMove> &plan, TCard *card, TDeck *target)
{
    if (!IsPlanLegal(plan, card, target))
        return false;
    const bool openGroup = board.Recording && !board.InGroup;
    if (openGroup)
        board.BeginMoveGroup();
    bool moved = false;
    for (const PlannedMove &move : plan) {
        if (!move.Destination->MoveCard(move.Card))
            break;
        moved = true;
    }
    if (openGroup)
        board.EndMoveGroup();
    return moved;
}
