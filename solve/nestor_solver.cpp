#include "engine/card.h"
#include "games/game_table.h"
#include "solve/game_readers.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>

// Nestor: two top cards of one rank, among eight columns and four reserve piles, are
// discarded together. When only two cards of a rank are left and both lie on top, they
// may as well go at once.
namespace {

constexpr int ColumnCount = 8;
constexpr int PileCount = 12; // the columns, then the reserve piles
constexpr int PileDepth = 52;

struct NestorState {
    std::array<std::array<SolverCard, PileDepth>, PileCount> piles{};
    std::array<std::uint8_t, PileCount> length{};
    std::array<std::uint8_t, 14> left{}; // cards of each rank still on the table
};

struct NestorMove {
    std::uint8_t from;
    std::uint8_t to;
};

SolverCard topOf(const NestorState &s, int pile)
{
    return s.length[pile] ? s.piles[pile][s.length[pile] - 1] : 0;
}

class NestorGame {
public:
    using State = NestorState;
    using Move = NestorMove;

    bool Won(const State &s) const
    {
        return std::all_of(s.length.begin(), s.length.end(), [](std::uint8_t n) { return n == 0; });
    }

    void Apply(State &s, const Move &m) const
    {
        s.left[RankOf(topOf(s, m.from))] = std::uint8_t(s.left[RankOf(topOf(s, m.from))] - 2);
        --s.length[m.from];
        --s.length[m.to];
    }

    void Settle(State &s, std::vector<Move> &applied) const
    {
        for (bool again = true; again;) {
            again = false;
            for (int a = 0; a < PileCount && !again; ++a)
                for (int b = a + 1; b < PileCount && !again; ++b) {
                    const SolverCard card = topOf(s, a);
                    if (card && RankOf(card) == RankOf(topOf(s, b)) && s.left[RankOf(card)] == 2) {
                        const Move m{std::uint8_t(a), std::uint8_t(b)};
                        Apply(s, m);
                        applied.push_back(m);
                        again = true;
                    }
                }
        }
    }

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        struct Scored {
            Move move;
            int score;
        };
        Scored list[PileCount * PileCount];
        int n = 0;
        for (int a = 0; a < PileCount; ++a)
            for (int b = a + 1; b < PileCount; ++b) {
                const SolverCard card = topOf(s, a);
                if (!card || RankOf(card) != RankOf(topOf(s, b)))
                    continue;
                // Deeper piles first: they hide the most.
                int score = s.length[a] + s.length[b];
                if (variant > 0)
                    score += int(MixHash(variant * 131u + unsigned(n)) % 8);
                list[n++] = {{std::uint8_t(a), std::uint8_t(b)}, score};
            }
        std::stable_sort(list, list + n, [](const Scored &x, const Scored &y) { return x.score > y.score; });
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
    }

    std::uint64_t Hash(const State &s) const
    {
        std::uint64_t h = 0;
        for (int p = 0; p < PileCount; ++p)
            h += PileHash(s.piles[p].data(), s.length[p], 0);
        return h;
    }

    std::vector<std::string> Lines(const State &start, const std::vector<Move> &path) const
    {
        const auto slot = [](int pile) {
            return pile < ColumnCount ? "Tableau" + std::to_string(pile + 1) : "Cell" + std::to_string(pile - ColumnCount + 1);
        };
        std::vector<std::string> lines;
        for (const Move &m : path)
            lines.push_back(slot(m.from) + " " + slot(m.to));
        (void)start;
        return lines;
    }
};

class NestorPosition : public SolverPosition {
public:
    explicit NestorPosition(const NestorState &state) : state(state) {}
    SolveResult Solve(const SolveBudget &budget) const override { return DepthFirstSearch(NestorGame(), state, budget); }

private:
    NestorState state;
};

} // namespace

std::unique_ptr<SolverPosition> ReadNestorPosition(const GameTable &table)
{
    NestorState s;
    int cards = 0;
    for (int p = 0; p < PileCount; ++p) {
        const TDeck *pile = p < ColumnCount ? table.Tableau[p + 1] : table.Cells[p - ColumnCount + 1];
        const auto pileCards = PileCards(pile);
        if (!pile || pileCards.size() > std::size_t(PileDepth))
            return nullptr;
        for (const TCard *card : pileCards) {
            if (!(s.piles[p][s.length[p]++] = CardOf(card)))
                return nullptr;
            ++s.left[RankOf(s.piles[p][s.length[p] - 1])];
        }
        cards += int(pileCards.size());
    }
    cards += table.Foundations[1] ? table.Foundations[1]->CardsCount() : 0;
    return cards == 52 ? std::make_unique<NestorPosition>(s) : nullptr;
}
