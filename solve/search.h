#pragma once

#include "solve/solver.h"
#include "solve/transposition_table.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
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

// A deal the first ordering leads astray is mostly solved at once by another: short
// attempts with shuffled orderings come first, then one search with all the budget left.
// Any attempt that runs out of positions has proved the deal cannot be won.
template <class Game>
SolveResult DepthFirstSearch(const Game &game, const typename Game::State &start, const SolveBudget &budget)
{
    constexpr long long attempts[] = {300, 300, 600, 600, 1200, 1200, 2500, 2500, 5000, 10000, 20000};
    const auto began = std::chrono::steady_clock::now();
    long long positions = 0;
    const auto spentMilliseconds = [&] {
        return (long long)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began)
            .count();
    };
    unsigned variant = 0;
    for (const long long cap : attempts) {
        if (positions + cap >= budget.positions / 2)
            break;
        SolveResult result = DepthFirstAttempt(
            game, start,
            {.positions = cap, .milliseconds = budget.milliseconds - spentMilliseconds(), .cancel = budget.cancel},
            variant++);
        positions += result.positions;
        if (result.verdict != Verdict::Unknown || spentMilliseconds() >= budget.milliseconds || cancelled(budget)) {
            result.positions = positions;
            result.milliseconds = spentMilliseconds();
            return result;
        }
    }
    SolveResult result = DepthFirstAttempt(
        game, start,
        {.positions = budget.positions - positions,
         .milliseconds = budget.milliseconds - spentMilliseconds(),
         .cancel = budget.cancel},
        0);
    result.positions += positions;
    result.milliseconds = spentMilliseconds();
    return result;
}

// The Luby sequence 1 1 2 1 1 2 4 1 1 2 1 1 2 4 8 ..., term i (from 1).
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

// Depth-first attempts, each with its own shuffled ordering, capped by the Luby sequence
// times RestartUnit positions: for games where a deal that one ordering leads astray is
// mostly won at once by another. Once half the time or half the positions are spent, one
// attempt takes all the rest, long enough to run out of positions where the space is
// small: an attempt that does so under its cap has proved the deal cannot be won.
inline constexpr long long RestartUnit = 200;

template <class Game>
SolveResult RestartingSearch(const Game &game, const typename Game::State &start, const SolveBudget &budget)
{
    const auto began = std::chrono::steady_clock::now();
    const auto spentMilliseconds = [&] {
        return (long long)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began)
            .count();
    };
    long long positions = 0;
    const long long restartMilliseconds = budget.milliseconds / 2;
    for (long long attempt = 1; spentMilliseconds() < restartMilliseconds; ++attempt) {
        const long long cap = RestartUnit * LubyTerm(attempt);
        if (positions + cap >= budget.positions / 2)
            break;
        SolveResult result = DepthFirstAttempt(
            game, start,
            {.positions = cap, .milliseconds = restartMilliseconds - spentMilliseconds(), .cancel = budget.cancel},
            unsigned(attempt - 1));
        positions += result.positions;
        if (result.verdict != Verdict::Unknown || cancelled(budget)) {
            result.positions = positions;
            result.milliseconds = spentMilliseconds();
            return result;
        }
    }
    SolveResult result = DepthFirstAttempt(
        game, start,
        {.positions = budget.positions - positions,
         .milliseconds = budget.milliseconds - spentMilliseconds(),
         .cancel = budget.cancel},
        0);
    result.positions += positions;
    result.milliseconds = spentMilliseconds();
    return result;
}
