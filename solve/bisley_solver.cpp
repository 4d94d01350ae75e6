#include "engine/card.h"
#include "games/game_table.h"
#include "solve/game_readers.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>

// Bisley: twelve columns built up or down in suit, single cards, an empty column takes
// nothing; each suit goes home both up from its Ace and down from its King. A card that can
// go home always may: a card that could lie on it could go home after it instead.
namespace {

constexpr int ColumnCount = 12;
constexpr int ColumnDepth = 28; // four dealt cards and a run of twelve either way
constexpr int AceHome = ColumnCount;
constexpr int KingHome = ColumnCount + 1;

struct BisleyState {
    std::array<std::array<SolverCard, ColumnDepth>, ColumnCount> columns{};
    std::array<std::uint8_t, ColumnCount> length{};
    std::array<std::uint8_t, 4> up{};   // the top rank on each suit's Ace foundation
    std::array<std::uint8_t, 4> down{}; // the top rank on its King foundation, 14 without one
};

struct BisleyMove {
    std::uint8_t from;
    std::uint8_t to; // a column, AceHome or KingHome
};

SolverCard topOf(const BisleyState &s, int column)
{
    return s.length[column] ? s.columns[column][s.length[column] - 1] : 0;
}

// Where the card goes home: AceHome, KingHome or -1.
int homeFor(const BisleyState &s, SolverCard card)
{
    if (!card)
        return -1;
    const int suit = SuitIndexOf(card);
    if (RankOf(card) == s.up[suit] + 1 && s.up[suit] + 1 < s.down[suit])
        return AceHome;
    if (RankOf(card) == s.down[suit] - 1 && s.down[suit] - 1 > s.up[suit])
        return KingHome;
    return -1;
}

bool builds(SolverCard lower, SolverCard upper)
{
    return SuitIndexOf(lower) == SuitIndexOf(upper) && (RankOf(lower) == RankOf(upper) + 1 || RankOf(upper) == RankOf(lower) + 1);
}

class BisleyGame {
public:
    using State = BisleyState;
    using Move = BisleyMove;

    bool Won(const State &s) const
    {
        for (int suit = 0; suit < 4; ++suit)
            if (s.up[suit] + 1 < s.down[suit])
                return false;
        return true;
    }

    void Apply(State &s, const Move &m) const
    {
        const SolverCard card = s.columns[m.from][--s.length[m.from]];
        if (m.to == AceHome)
            s.up[SuitIndexOf(card)] = std::uint8_t(RankOf(card));
        else if (m.to == KingHome)
            s.down[SuitIndexOf(card)] = std::uint8_t(RankOf(card));
        else
            s.columns[m.to][s.length[m.to]++] = card;
    }

    void Settle(State &s, std::vector<Move> &applied) const
    {
        for (bool again = true; again;) {
            again = false;
            for (int c = 0; c < ColumnCount; ++c)
                if (const int home = homeFor(s, topOf(s, c)); home >= 0) {
                    const Move m{std::uint8_t(c), std::uint8_t(home)};
                    Apply(s, m);
                    applied.push_back(m);
                    again = true;
                }
        }
    }

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        struct Scored {
            Move move;
            int score;
        };
        Scored list[ColumnCount * ColumnCount];
        int n = 0;
        for (int from = 0; from < ColumnCount; ++from) {
            const SolverCard card = topOf(s, from);
            if (!card)
                continue;
            const int length = s.length[from];
            for (int to = 0; to < ColumnCount; ++to) {
                const SolverCard top = topOf(s, to);
                if (to == from || !top || !builds(top, card))
                    continue;
                // Best: uncovering a card that goes home, then emptying or shortening columns.
                int score = 100 - 4 * length;
                if (length >= 2 && homeFor(s, s.columns[from][length - 2]) >= 0)
                    score += 200;
                if (length >= 2 && builds(s.columns[from][length - 2], card))
                    score -= 80; // breaks a run it lies in
                if (variant > 0)
                    score += int(MixHash(variant * 31u + unsigned(n)) % 60);
                list[n++] = {{std::uint8_t(from), std::uint8_t(to)}, score};
            }
        }
        std::stable_sort(list, list + n, [](const Scored &a, const Scored &b) { return a.score > b.score; });
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
    }

    std::uint64_t Hash(const State &s) const
    {
        // The columns are interchangeable (each empty one takes nothing alike); the
        // foundations follow from the cards left.
        std::uint64_t h = 0;
        for (int c = 0; c < ColumnCount; ++c)
            h += PileHash(s.columns[c].data(), s.length[c], 0);
        return h;
    }

    std::vector<std::string> Lines(const State &start, const std::vector<Move> &path) const
    {
        std::vector<std::string> lines;
        State s = start;
        for (const Move &m : path) {
            const std::string to =
                m.to == AceHome ? "Foundation" : m.to == KingHome ? "Cell" : "Tableau" + std::to_string(m.to + 1);
            lines.push_back("Tableau" + std::to_string(m.from + 1) + " " + to);
            Apply(s, m);
        }
        return lines;
    }
};

class BisleyPosition : public SolverPosition {
public:
    explicit BisleyPosition(const BisleyState &state) : state(state) {}
    SolveResult Solve(const SolveBudget &budget) const override { return DepthFirstSearch(BisleyGame(), state, budget); }

private:
    BisleyState state;
};

} // namespace

std::unique_ptr<SolverPosition> ReadBisleyPosition(const GameTable &table)
{
    BisleyState s;
    s.down.fill(14);
    int cards = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const auto pile = PileCards(table.Tableau[c + 1]);
        if (!table.Tableau[c + 1] || pile.size() > std::size_t(ColumnDepth))
            return nullptr;
        for (const TCard *card : pile)
            if (!(s.columns[c][s.length[c]++] = CardOf(card)))
                return nullptr;
        cards += int(pile.size());
    }
    // The Ace foundations and, in the cells' slots, the King foundations; a suit's King
    // foundation may hold the Ace foundation's cards once they have met.
    for (int f = 1; f <= 4; ++f) {
        for (const TCard *card : PileCards(table.Foundations[f])) {
            const SolverCard home = CardOf(card);
            s.up[SuitIndexOf(home)] = std::max<std::uint8_t>(s.up[SuitIndexOf(home)], std::uint8_t(RankOf(home)));
            ++cards;
        }
        const auto kings = PileCards(table.Cells[f]);
        if (!kings.empty()) {
            const SolverCard top = CardOf(kings.back());
            const SolverCard bottom = CardOf(kings.front());
            if (RankOf(bottom) == 13)
                s.down[SuitIndexOf(top)] = std::min<std::uint8_t>(s.down[SuitIndexOf(top)], std::uint8_t(RankOf(top)));
            else
                s.up[SuitIndexOf(top)] = std::max<std::uint8_t>(s.up[SuitIndexOf(top)], std::uint8_t(RankOf(top)));
        }
        cards += int(kings.size());
    }
    return cards == 52 ? std::make_unique<BisleyPosition>(s) : nullptr;
}
