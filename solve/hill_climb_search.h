#pragma once

#include "solve/search.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <queue>
#include <vector>

// What the hill-climbing search asks of a game, besides what the depth-first search asks
// (the order of the moves does not matter here):
//   long long Score(const State &, unsigned variant)
//                                                higher for a position nearer a win
//   bool Deferred(const Move &)                  a move made only when no other leads higher
//                                                (Spider's row from the stock)
//   int DeferredDistance(const State &)          how many moves at least before one is allowed
//   void Pack(const State &, std::vector<std::uint8_t> &)
//                                                appends what Unpack needs of the position
//   void Unpack(const std::uint8_t *, State &)   restores it over a copy of the start position
// From the position reached it searches best first, without deferred moves, for any
// position of a higher score and goes on from there; when none lies within reach it makes a
// deferred move from the best position found that allows one. A climb that gets nowhere
// starts again with another variant. It never proves a deal lost.
struct HillClimbLimits {
    std::size_t reach = 20000; // positions one step's search looks at
};

template <class Game>
class HillClimber {
public:
    using State = typename Game::State;
    using Move = typename Game::Move;

    HillClimber(const Game &game, const State &start, std::size_t reach)
        : game(game), start(start), reach(std::min<std::size_t>(reach, NodeMask)), seen(this->reach)
    {
    }

    // Climbs from the start until won (true), stuck, out of positions or out of time. The
    // path holds the moves, the safe ones included.
    template <class OutOfTime>
    bool Climb(unsigned variant, long long &positionsLeft, const OutOfTime &outOfTime, std::vector<Move> &path)
    {
        State current = start;
        game.Settle(current, path);
        while (!game.Won(current)) {
            // First best first for a higher score; failing that and any deferred move,
            // nearest first for a position that allows one.
            Step step = search(current, variant, false, positionsLeft, outOfTime);
            if (step.outOfBudget)
                return false;
            if (step.higher == NoNode && step.deferredFrom == NoNode) {
                step = search(current, variant, true, positionsLeft, outOfTime);
                if (step.outOfBudget || (step.higher == NoNode && step.deferredFrom == NoNode)) {
                    if (std::getenv("BFS_DEBUG")) { std::fprintf(stderr, "stuck nodes %zu ", nodes.size()); game.Print(current); }
                    return false;
                }
            }
            follow(step.higher != NoNode ? step.higher : step.deferredFrom, current, path);
            if (step.higher == NoNode) {
                if (std::getenv("BFS_DEBUG")) std::fprintf(stderr, "deal after %zu nodes score %lld\n", nodes.size(), game.Score(current, variant));
                path.push_back(step.deferred);
                game.Apply(current, step.deferred);
                game.Settle(current, path);
            }
        }
        return true;
    }

private:
    struct Step {
        std::uint32_t higher = NoNode;       // a node of a higher score
        std::uint32_t deferredFrom = NoNode; // the best node that allows a deferred move
        Move deferred{};
        bool outOfBudget = false;
    };

    template <class OutOfTime>
    Step search(const State &current, unsigned variant, bool nearest, long long &positionsLeft,
                const OutOfTime &outOfTime)
    {
        Step step;
        const long long base = game.Score(current, variant);
        nodes.clear();
        packed.clear();
        seen.Clear();
        open = {};
        seen.Add(game.Hash(current));
        nodes.push_back({NoNode, 0, 0, Move{}});
        game.Pack(current, packed);
        open.push(0);
        long long deferredScore = 0;
        State state = start;
        while (!open.empty() && step.higher == NoNode && nodes.size() < reach) {
            if (outOfTime() || positionsLeft <= 0) {
                step.outOfBudget = true;
                return step;
            }
            const std::uint32_t n = std::uint32_t(open.top() & NodeMask);
            open.pop();
            state = start;
            game.Unpack(packed.data() + nodes[n].packed, state);
            moves.clear();
            game.Moves(state, moves, variant);
            const long long score = n == 0 ? base : game.Score(state, variant);
            for (const Move &move : moves) {
                if (game.Deferred(move)) {
                    if (step.deferredFrom == NoNode || score > deferredScore) {
                        step.deferredFrom = n;
                        deferredScore = score;
                        step.deferred = move;
                    }
                    continue;
                }
                State child = state;
                game.Apply(child, move);
                settled.clear();
                game.Settle(child, settled);
                if (seen.Add(game.Hash(child)) != TranspositionTable::Insert::Added)
                    continue;
                --positionsLeft;
                const std::uint32_t index = std::uint32_t(nodes.size());
                nodes.push_back({n, std::uint32_t(packed.size()), nodes[n].depth + 1, move});
                game.Pack(child, packed);
                const long long childScore = game.Won(child) ? base + 1 : game.Score(child, variant);
                if (childScore > base) {
                    step.higher = index;
                    break;
                }
                open.push(key(nearest ? -(long long)game.DeferredDistance(child) * 4096 - nodes[index].depth : childScore,
                              index, variant));
            }
            if (nearest && step.deferredFrom != NoNode)
                break;
        }
        return step;
    }

    static constexpr std::uint32_t NoNode = 0xFFFFFFFF;
    static constexpr std::uint32_t NodeMask = 0xFFFFF; // the node's bits of a key
    struct Node {
        std::uint32_t parent;
        std::uint32_t packed; // offset of the packed position
        std::uint32_t depth;
        Move move;
    };

    // Score in the high half; in the low, the node, ties broken the variant's own way.
    static std::uint64_t key(long long score, std::uint32_t node, unsigned variant)
    {
        const long long clamped = std::clamp<long long>(score, -(1ll << 30), (1ll << 30) - 1) + (1ll << 30);
        const std::uint64_t order = variant ? MixHash(node * 0x9E37u + variant) & ~std::uint64_t(NodeMask) & 0xFFFFFFFFu : 0;
        return std::uint64_t(clamped) << 32 | order | node;
    }

    // Plays the moves from the search's first node to node on, into the path.
    void follow(std::uint32_t node, State &current, std::vector<Move> &path)
    {
        std::vector<Move> steps;
        for (std::uint32_t n = node; nodes[n].parent != NoNode; n = nodes[n].parent)
            steps.push_back(nodes[n].move);
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            path.push_back(*step);
            game.Apply(current, *step);
            game.Settle(current, path);
        }
    }

    const Game &game;
    const State &start;
    std::size_t reach;
    TranspositionTable seen;
    std::vector<Node> nodes;
    std::vector<std::uint8_t> packed;
    std::priority_queue<std::uint64_t> open;
    std::vector<Move> moves;
    std::vector<Move> settled;
};

// Climbs again and again, each time another way, until a climb wins or the budget runs out.
template <class Game>
SolveResult HillClimbSearch(const Game &game, const typename Game::State &start, const SolveBudget &budget,
                            HillClimbLimits limits = {})
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point began = Clock::now();
    const auto elapsed = [&] {
        return (long long)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - began).count();
    };
    std::uint32_t tick = 0;
    const auto outOfTime = [&] {
        return (++tick & 63) == 0 && (elapsed() >= budget.milliseconds || cancelled(budget));
    };
    SolveResult result;
    long long positionsLeft = budget.positions;
    HillClimber<Game> climber(game, start, limits.reach);
    std::vector<typename Game::Move> path;
    for (unsigned variant = 0; positionsLeft > 0 && elapsed() < budget.milliseconds && !cancelled(budget); ++variant) {
        path.clear();
        if (climber.Climb(variant, positionsLeft, outOfTime, path)) {
            result.verdict = Verdict::Winnable;
            result.lines = game.Lines(start, path);
            break;
        }
        if (std::getenv("BFS_DEBUG"))
            std::fprintf(stderr, "variant %u failed at %zu moves, %lld left %lld ms\n", variant, path.size(), positionsLeft, elapsed());
    }
    result.positions = budget.positions - positionsLeft;
    result.milliseconds = elapsed();
    return result;
}
