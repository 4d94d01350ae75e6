#include "engine/card.h"
#include "games/game_table.h"
#include "solve/game_readers.h"
#include "solve/hill_climb_search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>

// Spider (one, two or four suits over two packs): ten columns built down regardless of
// suit, runs down in suit move as a unit, any run fills an empty column, a run from King to
// Ace leaves for a foundation; the stock deals a card to every column, never onto an empty
// one.
namespace {

constexpr int ColumnCount = 10;
constexpr int ColumnDepth = 96;
constexpr int StockSize = 50;
constexpr int RunLength = 13;
constexpr int Home = ColumnCount;
constexpr std::uint8_t Deal = 0xFF;

struct SpiderState {
    std::array<std::array<SolverCard, ColumnDepth>, ColumnCount> columns{};
    std::array<std::uint8_t, ColumnCount> length{};
    std::array<std::uint8_t, ColumnCount> faceDown{};
    std::array<SolverCard, StockSize> stock{}; // top card last
    std::uint8_t stockCount = 0;
    std::uint8_t runsHome = 0;
};

// A group of count cards from one column to another or (a whole run) home; from Deal: the
// stock's row.
struct SpiderMove {
    std::uint8_t from;
    std::uint8_t to;
    std::uint8_t count;
};

bool linked(SolverCard lower, SolverCard upper)
{
    return FitsDownInSuit(lower, upper);
}

// How many cards on top of the column move as one run.
int runLength(const SpiderState &s, int c)
{
    const int n = s.length[c];
    if (n == 0)
        return 0;
    int run = 1;
    while (run < n - s.faceDown[c] && linked(s.columns[c][n - run - 1], s.columns[c][n - run]))
        ++run;
    return run;
}

void turnUp(SpiderState &s, int c)
{
    if (s.faceDown[c] >= s.length[c])
        s.faceDown[c] = std::uint8_t(s.length[c] > 0 ? s.length[c] - 1 : 0);
}

class SpiderGame {
public:
    using State = SpiderState;
    using Move = SpiderMove;
    // A run is not moved between two cards of other suits than its own.
    static constexpr bool PrunesMoves = true;

    bool Won(const State &s) const { return s.runsHome == 8; }

    void Apply(State &s, const Move &m) const
    {
        if (m.from == Deal) {
            for (int c = 0; c < ColumnCount && s.stockCount > 0; ++c)
                s.columns[c][s.length[c]++] = s.stock[--s.stockCount];
            return;
        }
        s.length[m.from] = std::uint8_t(s.length[m.from] - m.count);
        if (m.to == Home)
            ++s.runsHome;
        else {
            std::copy_n(s.columns[m.from].begin() + s.length[m.from], m.count,
                        s.columns[m.to].begin() + s.length[m.to]);
            s.length[m.to] = std::uint8_t(s.length[m.to] + m.count);
        }
        turnUp(s, m.from);
    }

    // A complete run goes home at once.
    void Settle(State &s, std::vector<Move> &applied) const
    {
        for (int c = 0; c < ColumnCount; ++c)
            if (s.length[c] >= RunLength && RankOf(s.columns[c][s.length[c] - 1]) == 1 && runLength(s, c) >= RunLength
                && RankOf(s.columns[c][s.length[c] - RunLength]) == 13) {
                const Move m{std::uint8_t(c), Home, RunLength};
                Apply(s, m);
                applied.push_back(m);
            }
    }

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        struct Scored {
            Move move;
            int score;
        };
        Scored list[MoveListSize];
        int n = 0;
        int firstEmpty = -1;
        for (int c = 0; c < ColumnCount; ++c)
            if (!s.length[c] && firstEmpty < 0)
                firstEmpty = c;
        // The columns whose movable run holds a card of each suit and rank.
        std::array<std::uint16_t, 64> movableIn{};
        std::array<int, ColumnCount> runs{};
        for (int c = 0; c < ColumnCount; ++c) {
            runs[c] = runLength(s, c);
            for (int i = 1; i <= runs[c]; ++i)
                movableIn[s.columns[c][s.length[c] - i] & 63] |= std::uint16_t(1 << c);
        }
        for (int from = 0; from < ColumnCount; ++from) {
            const int length = s.length[from];
            const int run = runs[from];
            for (int count = 1; count <= run; ++count) {
                const SolverCard card = s.columns[from][length - count];
                const bool whole = count == length - s.faceDown[from]; // the run's foot is uncovered
                const SolverCard parent = whole ? 0 : s.columns[from][length - count - 1];
                const bool onParent = !whole && RankOf(parent) == RankOf(card) + 1; // already built on
                // A run leaves the card it is built on, other than for a card of that card's
                // suit, only if another column's run holds a card to build on it in suit.
                const std::uint16_t parentWanted =
                    onParent ? std::uint16_t(movableIn[(SuitIndexOf(parent) << 4 | RankOf(card)) & 63] & ~(1 << from)) : 0;
                for (int to = 0; to < ColumnCount && n < MoveListSize; ++to) {
                    if (to == from)
                        continue;
                    const int targetLength = s.length[to];
                    if (targetLength == 0) {
                        // Into an empty column: only a run that does not already head its
                        // column, and off the card it is built on only for another to build
                        // on that card in suit, or as a single card while the row waits for
                        // the empty columns to be filled.
                        if (to != firstEmpty || count == length
                            || (onParent && !parentWanted && (count > 1 || s.stockCount == 0)))
                            continue;
                        list[n++] = {{std::uint8_t(from), std::uint8_t(to), std::uint8_t(count)},
                                     (whole && s.faceDown[from] > 0 ? 300 : 0) + count - (onParent ? 200 : 0)};
                        continue;
                    }
                    const SolverCard top = s.columns[to][targetLength - 1];
                    if (RankOf(top) != RankOf(card) + 1)
                        continue;
                    const bool inSuit = SuitIndexOf(top) == SuitIndexOf(card);
                    if (onParent && !inSuit && !(parentWanted & ~(1 << to)))
                        continue;
                    int score = 400 + (inSuit ? 300 : 0) + count;
                    if (whole)
                        score += s.faceDown[from] > 0 ? 500 + 10 * s.faceDown[from] : 350;
                    if (onParent)
                        score -= 350;
                    list[n++] = {{std::uint8_t(from), std::uint8_t(to), std::uint8_t(count)}, score};
                }
            }
        }
        if (s.stockCount > 0 && firstEmpty < 0 && n < MoveListSize)
            list[n++] = {{Deal, 0, 0}, 100};
        if (variant > 0)
            for (int i = 0; i < n; ++i)
                list[i].score += int(MixHash(variant * 977u + unsigned(i) * 131u + s.length[0]) % 300);
        std::stable_sort(list, list + n, [](const Scored &a, const Scored &b) { return a.score > b.score; });
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
    }

    // While the stock lasts the columns are not quite interchangeable: the row deals each its
    // own card. The hill climb tells them apart; the plain search, for which the many orders
    // of the same columns cost too much, takes them as alike.
    explicit SpiderGame(bool columnsInOrder) : columnsInOrder(columnsInOrder) {}

    std::uint64_t Hash(const State &s) const
    {
        const bool ordered = columnsInOrder && s.stockCount > 0;
        std::uint64_t h = MixHash(0x300 + s.stockCount);
        for (int c = 0; c < ColumnCount; ++c)
            h += PileHash(s.columns[c].data(), s.length[c], s.faceDown[c] + (ordered ? 128u * (c + 1) : 0u));
        return h;
    }

    // Higher for more runs home, fewer cards face down, fewer breaks between face-up cards
    // (a card on one not of the next rank, or of the next rank in another suit) and empty
    // columns.
    long long Score(const State &s, unsigned variant) const
    {
        // Each climb weighs them its own way.
        const std::uint64_t mix = variant ? MixHash(variant) : 0;
        const int faceDownCost = 10 + int(mix % 21) - 10;
        const int breakCost = 20 + int(mix >> 8 & 7) - 3;
        const int rankLinkCost = 20 + int(mix >> 16 & 7) - 2;
        const int emptyWorth = 120 + int(mix >> 24 & 31) - 15;
        long long score = 500LL * s.runsHome;
        for (int c = 0; c < ColumnCount; ++c) {
            const int n = s.length[c];
            if (n == 0) {
                score += emptyWorth;
                continue;
            }
            score -= faceDownCost * s.faceDown[c];
            for (int i = s.faceDown[c] + 1; i < n; ++i) {
                const SolverCard lower = s.columns[c][i - 1];
                const SolverCard upper = s.columns[c][i];
                if (!linked(lower, upper))
                    score -= RankOf(lower) == RankOf(upper) + 1 ? rankLinkCost : breakCost;
            }
        }
        return score;
    }

    // The row from the stock waits until no other move leads higher.
    bool Deferred(const Move &m) const { return m.from == Deal; }
    // The empty columns the row waits for.
    int DeferredDistance(const State &s) const
    {
        return int(std::count(s.length.begin(), s.length.end(), 0));
    }

    // Each column's length, cards face down and cards; the stock's count and the runs home.
    void Pack(const State &s, std::vector<std::uint8_t> &out) const
    {
        out.push_back(s.stockCount);
        out.push_back(s.runsHome);
        for (int c = 0; c < ColumnCount; ++c) {
            out.push_back(s.length[c]);
            out.push_back(s.faceDown[c]);
            out.insert(out.end(), s.columns[c].begin(), s.columns[c].begin() + s.length[c]);
        }
    }

    // The stock's cards are the start's, only fewer.
    void Unpack(const std::uint8_t *in, State &s) const
    {
        const std::uint8_t *at = in;
        s.stockCount = *at++;
        s.runsHome = *at++;
        for (int c = 0; c < ColumnCount; ++c) {
            s.length[c] = *at++;
            s.faceDown[c] = *at++;
            std::copy_n(at, s.length[c], s.columns[c].begin());
            at += s.length[c];
        }
    }

    std::vector<std::string> Lines(const State &start, const std::vector<Move> &path) const
    {
        std::vector<std::string> lines;
        State s = start;
        for (const Move &m : path) {
            if (m.from == Deal) {
                lines.push_back("click Stock");
            } else {
                const SolverCard card = s.columns[m.from][s.length[m.from] - m.count];
                lines.push_back("Tableau" + std::to_string(m.from + 1) + " "
                                + (m.to == Home ? std::string("Foundation") : "Tableau" + std::to_string(m.to + 1))
                                + " " + CardToken(card));
            }
            Apply(s, m);
        }
        return lines;
    }

private:
    static constexpr int MoveListSize = 200;
    bool columnsInOrder;
};

// With one suit nearly every move builds a run, and a plain search with good move order
// wins at once; with more suits the search climbs.
class SpiderPosition : public SolverPosition {
public:
    SpiderPosition(const SpiderState &state, bool oneSuit) : state(state), oneSuit(oneSuit) {}
    SolveResult Solve(const SolveBudget &budget) const override
    {
        return oneSuit ? DepthFirstSearch(SpiderGame(false), state, budget)
                       : HillClimbSearch(SpiderGame(true), state, budget);
    }

private:
    SpiderState state;
    bool oneSuit;
};

// Whether all the cards left in play are of one suit.
bool oneSuitLeft(const SpiderState &s)
{
    int suits = 0;
    const auto note = [&suits](SolverCard card) { suits |= 1 << SuitIndexOf(card); };
    for (int c = 0; c < ColumnCount; ++c)
        std::for_each(s.columns[c].begin(), s.columns[c].begin() + s.length[c], note);
    std::for_each(s.stock.begin(), s.stock.begin() + s.stockCount, note);
    return (suits & (suits - 1)) == 0;
}

} // namespace

std::unique_ptr<SolverPosition> ReadSpiderPosition(const GameTable &table)
{
    SpiderState s;
    int cards = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const auto pile = PileCards(table.Tableau[c + 1]);
        if (!table.Tableau[c + 1] || pile.size() > std::size_t(ColumnDepth))
            return nullptr;
        for (const TCard *card : pile) {
            if (!card->Face() && s.faceDown[c] != s.length[c])
                return nullptr;
            if (!card->Face())
                ++s.faceDown[c];
            if (!(s.columns[c][s.length[c]++] = CardOf(card)))
                return nullptr;
        }
        if (s.length[c] > 0 && s.faceDown[c] == s.length[c])
            return nullptr;
        cards += int(pile.size());
    }
    for (const TCard *card : PileCards(table.Stock)) {
        if (s.stockCount >= StockSize || !(s.stock[s.stockCount] = CardOf(card)))
            return nullptr;
        ++s.stockCount;
    }
    cards += s.stockCount;
    for (int f = 1; f <= 8; ++f)
        if (const TDeck *foundation = table.Foundations[f]; foundation && foundation->CardsCount() > 0) {
            cards += foundation->CardsCount();
            ++s.runsHome;
        }
    return table.Stock && cards == 104 ? std::make_unique<SpiderPosition>(s, oneSuitLeft(s)) : nullptr;
}
