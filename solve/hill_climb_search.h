#pragma once

#include "solve/search.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <queue>
#include <vector>

// What the hill-climbing search asks of a game, besides what the depth-first search asks
// (the order of the moves only breaks ties):
//   long long Score(const State &, unsigned variant)
//                                                higher for a position nearer a win
//   bool Deferred(const Move &)                  a move made only when no other leads higher
//                                                (Spider's row from the stock)
//   int DeferredDistance(const State &)          how many moves at least before one is allowed
//   void Pack(const State &, std::vector<std::uint8_t> &)
//                                                appends what Unpack needs of the position
//   void Unpack(const std::uint8_t *, State &)   restores it over a copy of the start position
// From the position reached it searches best first, without deferred moves, for a few
// positions of a higher score and goes on from the best of them; when none lies within reach
// it makes a deferred move from the best position found that allows one. It never proves a
// deal lost.
struct HillClimbLimits {
    std::size_t reach = 20000;    // positions one step's search looks at
    std::size_t higherWanted = 4; // higher positions it finds before taking the best of them
    std::size_t keptLimit = 4096; // positions kept to climb on from
    long long toll = 150;         // the score a kept position loses for every climb from it
};

template <class Game>
class HillClimber {
public:
    using State = typename Game::State;
    using Move = typename Game::Move;

    HillClimber(const Game &game, const State &start, const HillClimbLimits &limits)
        : game(game), start(start), reach(std::min<std::size_t>(limits.reach, NodeMask)),
          higherWanted(limits.higherWanted), seen(reach)
    {
    }

    enum class Outcome { Won, Deferred, Stuck, OutOfBudget };

    // Climbs from current until won, until just after a deferred move, stuck, out of
    // positions or out of time, appending the moves to the path, the safe ones included.
    template <class OutOfTime>
    Outcome Climb(State &current, std::vector<Move> &path, unsigned variant, long long &positionsLeft,
                  const OutOfTime &outOfTime)
    {
        while (!game.Won(current)) {
            // First best first for a higher score; failing that and any deferred move,
            // nearest first for a position that allows one.
            Step step = search(current, variant, false, positionsLeft, outOfTime);
            if (step.outOfBudget)
                return Outcome::OutOfBudget;
            if (step.higher == NoNode && step.deferredFrom == NoNode) {
                step = search(current, variant, true, positionsLeft, outOfTime);
                if (step.outOfBudget)
                    return Outcome::OutOfBudget;
                if (step.higher == NoNode && step.deferredFrom == NoNode)
                    return Outcome::Stuck;
            }
            follow(step.higher != NoNode ? step.higher : step.deferredFrom, current, path);
            if (step.higher == NoNode) {
                path.push_back(step.deferred);
                game.Apply(current, step.deferred);
                game.Settle(current, path);
                return Outcome::Deferred;
            }
        }
        return Outcome::Won;
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
        std::size_t higherCount = 0;
        long long higherScore = 0;
        while (!open.empty() && higherCount < higherWanted && nodes.size() < reach) {
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
                if (game.Won(child)) {
                    step.higher = index;
                    return step;
                }
                const long long childScore = game.Score(child, variant);
                if (childScore > base) {
                    if (step.higher == NoNode || childScore > higherScore) {
                        step.higher = index;
                        higherScore = childScore;
                    }
                    if (++higherCount >= higherWanted)
                        break;
                    continue;
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
    std::size_t higherWanted;
    TranspositionTable seen;
    std::vector<Node> nodes;
    std::vector<std::uint8_t> packed;
    std::priority_queue<std::uint64_t> open;
    std::vector<Move> moves;
    std::vector<Move> settled;
};

// The positions just after each deferred move that climbs reached are kept; each climb
// goes on, weighed its own way, from the kept position of the highest score less a toll for
// every climb already made from it, until a climb wins or the budget runs out.
template <class Game>
SolveResult HillClimbSearch(const Game &game, const typename Game::State &start, const SolveBudget &budget,
                            HillClimbLimits limits = {})
{
    using State = typename Game::State;
    using Move = typename Game::Move;
    using Climber = HillClimber<Game>;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point began = Clock::now();
    const auto elapsed = [&] {
        return (long long)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - began).count();
    };
    std::uint32_t tick = 0;
    const auto outOfTime = [&] {
        return (++tick & 63) == 0 && (elapsed() >= budget.milliseconds || cancelled(budget));
    };
    struct Kept {
        State state;
        std::vector<Move> path;
        long long score;
        long long tries = 0;
    };
    std::vector<Kept> kept;
    TranspositionTable keptHashes(limits.keptLimit);
    SolveResult result;
    long long positionsLeft = budget.positions;
    Climber climber(game, start, limits);
    {
        Kept first{start, {}, 0};
        game.Settle(first.state, first.path);
        first.score = game.Score(first.state, 0);
        keptHashes.Add(game.Hash(first.state));
        kept.push_back(std::move(first));
    }
    State state = start;
    std::vector<Move> path;
    for (unsigned variant = 0; positionsLeft > 0 && elapsed() < budget.milliseconds && !cancelled(budget); ++variant) {
        std::size_t from = 0;
        for (std::size_t i = 1; i < kept.size(); ++i)
            if (kept[i].score - limits.toll * kept[i].tries > kept[from].score - limits.toll * kept[from].tries)
                from = i;
        ++kept[from].tries;
        state = kept[from].state;
        path = kept[from].path;
        const typename Climber::Outcome outcome = climber.Climb(state, path, variant, positionsLeft, outOfTime);
        if (outcome == Climber::Outcome::Won) {
            result.verdict = Verdict::Winnable;
            result.lines = game.Lines(start, path);
            break;
        }
        if (outcome == Climber::Outcome::Deferred
            && keptHashes.Add(game.Hash(state)) == TranspositionTable::Insert::Added)
            kept.push_back({state, path, game.Score(state, 0)});
    }
    result.positions = budget.positions - positionsLeft;
    result.milliseconds = elapsed();
    return result;
}
