#pragma once

#include "solve/solver.h"
#include "solve/transposition_table.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <vector>

// No search keeps more positions than this: the table's slots then take 128 MB (192 MB
// while it last doubles), freed when the search ends.
inline constexpr std::size_t TableEntryLimit = std::size_t(1) << 23;
// Nor a path deeper than this (each step keeps a copy of its position, a kilobyte at most):
// a position found deeper is not searched further, and the search then proves nothing lost.
inline constexpr std::size_t DepthLimit = std::size_t(1) << 15;

inline bool cancelled(const SolveBudget &budget)
{
    return budget.cancel && budget.cancel->load(std::memory_order_relaxed);
}

// What the depth-first search asks of a game:
//   State, Move                                  plain value types
//   bool Won(const State &)
//   void Settle(State &, std::vector<Move> &)    applies the safe moves, appending them
//   void Moves(const State &, std::vector<Move> &, unsigned variant)
//                                                appends the legal moves, best first; a
//                                                variant above 0 shuffles near equals
//                                                its own way
//   void Apply(State &, const Move &)
//   std::uint64_t Hash(const State &)            equal for interchangeable piles in any order
//   std::vector<std::string> Lines(const State &start, const std::vector<Move> &path)
// The moves must be complete (every position the rules reach is reached) for a search that
// runs out of positions to mean "not winnable"; a game that leaves out moves it judges
// useless says so with `static constexpr bool PrunesMoves = true`, and its searches never
// answer "not winnable".
template <class Game>
SolveResult DepthFirstAttempt(const Game &game, const typename Game::State &start, const SolveBudget &budget,
                              unsigned variant)
{
    using State = typename Game::State;
    using Move = typename Game::Move;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point began = Clock::now();
    const auto elapsed = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - began).count();
    };

    SolveResult result;
    struct Frame {
        State state;
        std::size_t movesBegin; // this state's moves in `moves`
        std::size_t nextMove;
        std::size_t movesEnd;
        std::size_t pathSize; // path length at this state
    };
    std::vector<Frame> stack;
    std::vector<Move> moves;
    std::vector<Move> path;
    const long long positionLimit = std::min<long long>(budget.positions, TableEntryLimit);
    TranspositionTable seen(std::size_t(std::max<long long>(positionLimit, 1)));

    const auto finish = [&](Verdict verdict) {
        result.verdict = verdict;
        result.positions = (long long)seen.Size();
        if (verdict == Verdict::Winnable)
            result.lines = game.Lines(start, path);
        result.milliseconds = elapsed();
        return result;
    };

    State first = start;
    game.Settle(first, path);
    if (game.Won(first))
        return finish(Verdict::Winnable);
    seen.Add(game.Hash(first));
    stack.push_back({first, 0, 0, 0, path.size()});
    game.Moves(first, moves, variant);
    stack.back().movesEnd = moves.size();

    bool exhausted = true;
    std::uint32_t tick = 0;
    while (!stack.empty()) {
        Frame &frame = stack.back();
        if (frame.nextMove == frame.movesEnd) {
            moves.resize(frame.movesBegin);
            stack.pop_back();
            continue;
        }
        const Move move = moves[frame.nextMove++];
        path.resize(frame.pathSize);
        State child = frame.state;
        path.push_back(move);
        game.Apply(child, move);
        game.Settle(child, path);
        if (game.Won(child))
            return finish(Verdict::Winnable);
        const TranspositionTable::Insert added = seen.Add(game.Hash(child));
        if (added == TranspositionTable::Insert::Seen)
            continue;
        if (added == TranspositionTable::Insert::Full) {
            exhausted = false;
            break;
        }
        if ((++tick & 255) == 0 && (elapsed() >= budget.milliseconds || cancelled(budget))) {
            exhausted = false;
            break;
        }
        if (stack.size() >= DepthLimit) {
            exhausted = false;
            continue;
        }
        const std::size_t movesBegin = moves.size();
        game.Moves(child, moves, variant);
        stack.push_back({child, movesBegin, movesBegin, moves.size(), path.size()});
    }
    path.clear();
    constexpr bool complete = !requires { requires Game::PrunesMoves; };
    return finish(exhausted && complete ? Verdict::NotWinnable : Verdict::Unknown);
}

inline long long MillisecondsSince(std::chrono::steady_clock::time_point began)
{
    return (long long)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began)
        .count();
}

// How a search restarts: attempt i (from 1) is capped at CapOf(i) positions (0: no more
// attempts) and shuffles its ordering its own way; the attempts stop once they have spent
// 1/PositionShare of the positions or 1/TimeShare of the time, and one attempt with the
// plain ordering takes all that is left. Any attempt that runs out of positions under its
// cap has proved the deal cannot be won.
struct RestartShares {
    int positionShare;
    int timeShare;
    bool attemptsEndWithShare = false; // else an attempt begun in time may run on to its cap
};

template <class Game, class CapOf>
SolveResult SearchWithRestarts(const Game &game, const typename Game::State &start, const SolveBudget &budget,
                               CapOf capOf, RestartShares shares)
{
    const auto began = std::chrono::steady_clock::now();
    const long long restartMilliseconds = budget.milliseconds / shares.timeShare;
    long long positions = 0;
    for (long long attempt = 1; MillisecondsSince(began) < restartMilliseconds; ++attempt) {
        const long long cap = capOf(attempt);
        if (cap <= 0 || positions + cap >= budget.positions / shares.positionShare)
            break;
        SolveResult result = DepthFirstAttempt(
            game, start,
            {.positions = cap,
             .milliseconds = (shares.attemptsEndWithShare ? restartMilliseconds : budget.milliseconds)
                             - MillisecondsSince(began),
             .cancel = budget.cancel},
            unsigned(attempt - 1));
        positions += result.positions;
        if (result.verdict != Verdict::Unknown || MillisecondsSince(began) >= budget.milliseconds
            || cancelled(budget)) {
            result.positions = positions;
            result.milliseconds = MillisecondsSince(began);
            return result;
        }
    }
    SolveResult result = DepthFirstAttempt(
        game, start,
        {.positions = budget.positions - positions,
         .milliseconds = budget.milliseconds - MillisecondsSince(began),
         .cancel = budget.cancel},
        0);
    result.positions += positions;
    result.milliseconds = MillisecondsSince(began);
    return result;
}

// A deal the first ordering leads astray is mostly solved at once by another: short
// attempts with shuffled orderings come first, then one search with all the budget left.
template <class Game>
SolveResult DepthFirstSearch(const Game &game, const typename Game::State &start, const SolveBudget &budget)
{
    constexpr long long attempts[] = {300, 300, 600, 600, 1200, 1200, 2500, 2500, 5000, 10000, 20000};
    const auto capOf = [&](long long attempt) { return attempt <= (long long)std::size(attempts) ? attempts[attempt - 1] : 0; };
    return SearchWithRestarts(game, start, budget, capOf, {.positionShare = 2, .timeShare = 1});
}

inline long long LubyTerm(long long i)
{
    for (;;) {
        int k = 1;
        while ((1ll << k) - 1 < i)
            ++k;
        if (i == (1ll << k) - 1)
            return 1ll << (k - 1);
        i -= (1ll << (k - 1)) - 1;
    }
}

// Depth-first attempts capped by the Luby sequence times RestartUnit positions, for half
// the time or half the positions: for games where a deal that one ordering leads astray is
// mostly won at once by another, while the long last attempt can still run out of
// positions where the space is small.
inline constexpr long long RestartUnit = 200;

template <class Game>
SolveResult RestartingSearch(const Game &game, const typename Game::State &start, const SolveBudget &budget)
{
    const auto capOf = [](long long attempt) { return RestartUnit * LubyTerm(attempt); };
    return SearchWithRestarts(game, start, budget, capOf, {.positionShare = 2, .timeShare = 2, .attemptsEndWithShare = true});
}
