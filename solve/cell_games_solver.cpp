#include "solve/game_readers.h"

#include "engine/card.h"
#include "games/game_table.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr int ColumnCount = 8; // at most
constexpr int CellCount = 4;   // at most
constexpr int ReserveCount = 16;
constexpr int ColumnDepth = 24; // 7 dealt cards and a run of 12 at most
constexpr int FirstReserve = ColumnCount + CellCount;
constexpr int Home = FirstReserve + ReserveCount; // a move's target: the foundations

// How a game of this family plays.
struct CellGameRules {
    int columns;
    int cells;
    int reserves;
    bool anySuit;  // columns build down regardless of suit (else by alternate colour)
    bool runsMove; // runs move as a unit however long (else through the spares)
    const char *columnSlot;
    const char *cellSlot;
    const char *reserveSlot;
};

constexpr CellGameRules FreeCellRules = {8, 4, 0, false, false, "Tableau", "Cell", ""};
constexpr CellGameRules FlowerGardenRules = {6, 0, 16, true, true, "Cell", "", "Tableau"};
constexpr CellGameRules BouquetRules = {6, 0, 16, true, false, "Cell", "", "Tableau"};

struct FreeCellState {
    std::array<std::array<SolverCard, ColumnDepth>, ColumnCount> columns{};
    std::array<std::uint8_t, ColumnCount> length{};
    std::array<SolverCard, CellCount + ReserveCount> cells{}; // the cells, then the reserve
    std::array<std::uint8_t, 4> home{}; // the rank on each suit's foundation
};

// Places 0..7 are the columns, 8..11 the cells, 12..27 the reserve, 28 the foundations.
struct FreeCellMove {
    std::uint8_t from;
    std::uint8_t to;
    std::uint8_t count;
};

SolverCard topOf(const FreeCellState &s, int place)
{
    if (place < ColumnCount)
        return s.length[place] ? s.columns[place][s.length[place] - 1] : 0;
    return s.cells[place - ColumnCount];
}

bool goesHome(const FreeCellState &s, SolverCard card)
{
    return card && RankOf(card) == s.home[SuitIndexOf(card)] + 1;
}

// What a position's value counts, per card or place (see FreeCellGame::Evaluate).
struct Weights {
    int cell;          // a free cell
    int emptyColumn;   // an empty column
    int reserve;       // a reserve card gone: the reserve, unlike the cells, is no room
                       // to win back, and a card played from it to a column buries the
                       // column's cards; it stays until its turn to go home comes
    int next;          // each card above the next card of its suit to go home
    int second;        // each card above the one after
    int outOfSequence; // a card not on the card it fits
};

constexpr Weights PositionWeights = {30, 40, -30, 12, 5, 6};

class FreeCellGame {
public:
    struct Scored {
        FreeCellMove move;
        int score;
    };
    using State = FreeCellState;
    using Move = FreeCellMove;
    explicit FreeCellGame(const CellGameRules &rules) : rules(rules) {}

    bool fits(SolverCard lower, SolverCard upper) const
    {
        return rules.anySuit ? RankOf(lower) == RankOf(upper) + 1 : FitsDownAlternate(lower, upper);
    }
    // A card no play can still need on the columns. Built down by alternate colour: both
    // cards of the other colour one rank lower are home, or those two ranks lower are and
    // the other suit of its colour three lower is (the cards one lower then go home as soon
    // as they are free, and none needs them). Built down regardless of suit: every suit is
    // home up to two ranks lower, for the same reason.
    bool safeHome(const State &s, SolverCard card) const
    {
        const int rank = RankOf(card);
        if (rank <= 2)
            return true;
        if (rules.anySuit)
            return rank <= std::min({s.home[0], s.home[1], s.home[2], s.home[3]}) + 2;
        const int otherColour = LowestOtherColourHome(s.home.data(), card);
        const int sameColour = s.home[SuitIndexOf(card) ^ 3]; // Clubs-Spades, Diamonds-Hearts
        return rank <= otherColour + 1 || (rank <= otherColour + 2 && rank <= sameColour + 3);
    }
    // The length of the run on top of the column.
    int runLength(const State &s, int column) const
    {
        const int n = s.length[column];
        if (n == 0)
            return 0;
        int run = 1;
        while (run < n && fits(s.columns[column][n - run - 1], s.columns[column][n - run]))
            ++run;
        return run;
    }
    // How many cards move as one group onto a column.
    int carried(const State &s, int run, int freeCells, int emptyColumns) const
    {
        (void)s;
        return rules.runsMove ? run : (freeCells + 1) << emptyColumns;
    }

    bool Won(const State &s) const { return s.home[0] == 13 && s.home[1] == 13 && s.home[2] == 13 && s.home[3] == 13; }

    void Apply(State &s, const Move &m) const
    {
        SolverCard moved[ColumnDepth] = {};
        int count = m.count;
        if (m.from < ColumnCount) {
            auto &column = s.columns[m.from];
            s.length[m.from] = std::uint8_t(s.length[m.from] - count);
            std::copy_n(column.begin() + s.length[m.from], count, moved);
        } else {
            moved[0] = s.cells[m.from - ColumnCount];
            s.cells[m.from - ColumnCount] = 0;
            count = 1;
        }
        if (m.to == Home) {
            s.home[SuitIndexOf(moved[0])] = std::uint8_t(RankOf(moved[0]));
        } else if (m.to >= ColumnCount) {
            s.cells[m.to - ColumnCount] = moved[0];
        } else {
            std::copy_n(moved, count, s.columns[m.to].begin() + s.length[m.to]);
            s.length[m.to] = std::uint8_t(s.length[m.to] + count);
        }
    }

    void Settle(State &s, std::vector<Move> &applied) const
    {
        settle(s, [&](const Move &m) { applied.push_back(m); });
    }

    template <class Record>
    void settle(State &s, Record &&record) const
    {
        const auto send = [&](int place) {
            const SolverCard card = topOf(s, place);
            if (!goesHome(s, card) || !safeHome(s, card))
                return false;
            const Move m{std::uint8_t(place), Home, 1};
            Apply(s, m);
            record(m);
            return true;
        };
        for (bool again = true; again;) {
            again = false;
            for (int c = 0; c < rules.columns; ++c)
                while (send(c))
                    again = true;
            for (int c = 0; c < rules.cells; ++c)
                again |= send(ColumnCount + c);
            for (int c = 0; c < rules.reserves; ++c)
                again |= send(FirstReserve + c);
        }
    }

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        Scored list[MoveListSize];
        const int n = scoredMoves(s, list, PositionWeights);
        if (variant > 0) {
            // Noise that differs by move and by position, and anew for every variant.
            std::uint64_t salt = std::uint64_t(variant) << 40;
            for (int c = 0; c < ColumnCount; ++c)
                salt = salt * 31 + s.length[c];
            for (int i = 0; i < n; ++i) {
                const Move &m = list[i].move;
                const std::uint64_t key = salt ^ (std::uint64_t(m.from) << 48 | std::uint64_t(m.to) << 56 | m.count);
                list[i].score += int(MixHash(key) % std::uint64_t(NoiseRange));
            }
        }
        // Best first, equals in the order made (a short list: insertion is quickest).
        for (int i = 1; i < n; ++i)
            for (int j = i; j > 0 && list[j - 1].score < list[j].score; --j)
                std::swap(list[j - 1], list[j]);
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
    }

    // The legal moves, each scored by its own merit and, above all, the position it leads to.
    int scoredMoves(const State &s, Scored *list, const Weights &w) const
    {
        int n = 0;
        const auto add = [&](int from, int to, int count, int score) {
            if (n < MoveListSize)
                list[n++] = {{std::uint8_t(from), std::uint8_t(to), std::uint8_t(count)}, score};
        };
        int freeCells = 0;
        int firstFreeCell = -1;
        for (int c = 0; c < rules.cells; ++c)
            if (!s.cells[c]) {
                ++freeCells;
                if (firstFreeCell < 0)
                    firstFreeCell = c;
            }
        int emptyColumns = 0;
        int firstEmptyColumn = -1;
        for (int c = 0; c < rules.columns; ++c)
            if (!s.length[c]) {
                ++emptyColumns;
                if (firstEmptyColumn < 0)
                    firstEmptyColumn = c;
            }

        for (int place = 0; place < Home; ++place)
            if (goesHome(s, topOf(s, place)))
                add(place, Home, 1, 1000);

        // Cards from the cells and the reserve onto the columns.
        for (int c = 0; c < CellCount + ReserveCount; ++c) {
            const SolverCard card = s.cells[c];
            if (!card)
                continue;
            for (int to = 0; to < rules.columns; ++to) {
                const SolverCard top = topOf(s, to);
                if (top && fits(top, card))
                    add(ColumnCount + c, to, 1, (c < CellCount ? 700 : ReserveMerit) + 13 - RankOf(card));
            }
            if (firstEmptyColumn >= 0)
                add(ColumnCount + c, firstEmptyColumn, 1, (c < CellCount ? 150 : ReserveEmptyMerit) + RankOf(card));
        }

        SolverCard tops[ColumnCount];
        for (int c = 0; c < rules.columns; ++c)
            tops[c] = topOf(s, c);
        for (int from = 0; from < rules.columns; ++from) {
            const int length = s.length[from];
            if (!length)
                continue;
            const auto &column = s.columns[from];
            const int run = runLength(s, from);
            // Runs onto another column's top card: the one that fits it lies so deep.
            const int deepest = std::min(run, carried(s, run, freeCells, emptyColumns));
            const int topRank = RankOf(column[length - 1]);
            for (int to = 0; to < rules.columns; ++to) {
                const SolverCard top = tops[to];
                const int depth = RankOf(top) - topRank;
                if (to == from || !top || depth < 1 || depth > deepest || !fits(top, column[length - depth]))
                    continue;
                int score = 400 + depth;
                if (depth == length)
                    score += 150; // empties the column
                else if (depth < run)
                    score = 40; // splits a run: only to free its lower part
                else
                    score += 50 - 3 * (length - depth); // uncovers a card
                add(from, to, depth, score);
            }
            // The run, or its top card, into an empty column; a whole column only moves
            // from one empty place to another.
            if (firstEmptyColumn >= 0) {
                const int longest = std::min(run, carried(s, run, freeCells, emptyColumns - 1));
                if (longest < length)
                    add(from, firstEmptyColumn, longest, 200 + longest - 2 * (length - longest));
                // Shorter runs: a single card is enough where runs travel card by card.
                for (int count = longest - 1; count >= 1; --count)
                    if (count == 1 || rules.runsMove)
                        add(from, firstEmptyColumn, count, 60 + count);
            }
            // The top card into a cell.
            if (firstFreeCell >= 0) {
                int score = 100 + 10 * freeCells - 2 * length;
                if (length >= 2 && fits(column[length - 2], column[length - 1]))
                    score -= 60;
                add(from, ColumnCount + firstFreeCell, 1, score);
            }
        }
        // The move's own merit breaks ties; the position it leads to decides.
        ColumnSums sums[ColumnCount];
        for (int c = 0; c < rules.columns; ++c)
            sumColumn(s, c, sums[c], w);
        const int value = Evaluate(s, w);
        for (int i = 0; i < n; ++i)
            list[i].score += 16 * valueAfter(s, list[i].move, value, sums, w);
        return n;
    }

    // How promising a position is (higher is better): cards home, the cards still lying on
    // the next ones each suit needs, free places, and columns out of order.
    int Evaluate(const State &s, const Weights &w) const
    {
        int value = 0;
        for (int suit = 0; suit < 4; ++suit)
            value += 60 * s.home[suit];
        for (int c = 0; c < rules.columns; ++c)
            value += columnValue(s, s.columns[c].data(), s.length[c], w);
        for (int c = 0; c < rules.cells; ++c)
            value += s.cells[c] ? 0 : w.cell;
        // A reserve card played to a column buries the column's cards (see the weights).
        for (int c = 0; c < rules.reserves; ++c)
            value += s.cells[CellCount + c] ? 0 : w.reserve;
        return value;
    }

    // A column's share of the value: the cards above each card that is wanted soon, and
    // the cards out of sequence, which must move again.
    int columnValue(const State &s, const SolverCard *column, int length, const Weights &w) const
    {
        int weight = 0, height = 0, breaks = 0;
        for (int i = 0; i < length; ++i) {
            const int card = cardWeight(s, column[i], w);
            weight += card;
            height += i * card;
            breaks += i > 0 && !fits(column[i - 1], column[i]);
        }
        return sumsValue(length, weight, height, breaks, w);
    }

    // A column's cards summed from the bottom: the weight each card wanted soon gives the
    // cards above it, those weights by height, and the cards out of sequence, so that the
    // value of any part of the column, or of another column with a run added, takes a few
    // operations.
    struct ColumnSums {
        std::array<int, ColumnDepth + 1> weight, height, breaks;
    };

    void sumColumn(const State &s, int c, ColumnSums &sums, const Weights &w) const
    {
        const auto &column = s.columns[c];
        sums.weight[0] = sums.height[0] = sums.breaks[0] = 0;
        for (int i = 0; i < s.length[c]; ++i) {
            const int card = cardWeight(s, column[i], w);
            sums.weight[i + 1] = sums.weight[i] + card;
            sums.height[i + 1] = sums.height[i] + i * card;
            sums.breaks[i + 1] = sums.breaks[i] + (i > 0 && !fits(column[i - 1], column[i]));
        }
    }

    int cardWeight(const State &s, SolverCard card, const Weights &w) const
    {
        const int wait = RankOf(card) - s.home[SuitIndexOf(card)]; // 1: next to go home
        return wait == 1 ? w.next : wait == 2 ? w.second : 0;
    }

    static int sumsValue(int length, int weight, int height, int breaks, const Weights &w)
    {
        return length == 0 ? w.emptyColumn : height - (length - 1) * weight - w.outOfSequence * breaks;
    }

    // The value of the position a move leads to, and of the safe moves after it, from the
    // position's value and its columns' sums. Only the two piles the move touches change,
    // unless a card goes home: then every column's value may.
    int valueAfter(const State &s, const Move &m, int value, const ColumnSums *sums, const Weights &w) const
    {
        const bool fromColumn = m.from < ColumnCount;
        const int left = fromColumn ? s.length[m.from] - m.count : 0;
        if (m.to == Home || (fromColumn && left > 0)) {
            // The card the move uncovers, if it leaves any in its column.
            const SolverCard uncovered = fromColumn && left > 0 ? s.columns[m.from][left - 1] : 0;
            if (m.to == Home || (goesHome(s, uncovered) && safeHome(s, uncovered))) {
                State child = s;
                Apply(child, m);
                settle(child, [](const Move &) {});
                return Evaluate(child, w);
            }
        }
        int weight, height, breaks, count;
        SolverCard bottom; // of the cards moved
        if (fromColumn) {
            const ColumnSums &from = sums[m.from];
            const int length = s.length[m.from];
            count = m.count;
            bottom = s.columns[m.from][left];
            value += sumsValue(left, from.weight[left], from.height[left], from.breaks[left], w) -
                     sumsValue(length, from.weight[length], from.height[length], from.breaks[length], w);
            weight = from.weight[length] - from.weight[left];
            height = from.height[length] - from.height[left] - left * weight;
            breaks = from.breaks[length] - from.breaks[left + 1];
        } else {
            count = 1;
            bottom = s.cells[m.from - ColumnCount];
            value += m.from < FirstReserve ? w.cell : w.reserve;
            weight = cardWeight(s, bottom, w);
            height = breaks = 0;
        }
        if (m.to >= ColumnCount)
            return value - w.cell;
        const ColumnSums &to = sums[m.to];
        const int length = s.length[m.to];
        const int joined = length + count;
        return value - sumsValue(length, to.weight[length], to.height[length], to.breaks[length], w) +
               sumsValue(joined, to.weight[length] + weight, to.height[length] + height + length * weight,
                         to.breaks[length] + breaks + (length > 0 && !fits(topOf(s, m.to), bottom)), w);
    }

    std::uint64_t Hash(const State &s) const
    {
        // Eight cards to a word, so that a column takes a mix or three; the sums make the
        // order of the columns, and of the cards in the cells, count for nothing.
        std::uint64_t h = 0;
        for (int c = 0; c < rules.columns; ++c) {
            const int length = s.length[c];
            std::uint64_t column = MixHash(std::uint64_t(length));
            for (int at = 0; at < length; at += 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, s.columns[c].data() + at, 8);
                if (length - at < 8)
                    word &= ~std::uint64_t(0) >> (64 - 8 * (length - at));
                column = MixHash(column ^ word);
            }
            h += column;
        }
        static const std::array<std::uint64_t, 64> cellKeys = [] {
            std::array<std::uint64_t, 64> keys{};
            for (int card = 0; card < 64; ++card)
                keys[card] = MixHash(0x5000 + card);
            return keys;
        }();
        for (int c = 0; c < CellCount + ReserveCount; ++c)
            h += cellKeys[s.cells[c] & 63];
        return h;
    }

    std::vector<std::string> Lines(const State &start, const std::vector<Move> &path) const
    {
        std::vector<std::string> lines;
        State s = start;
        const auto slot = [this](int place) {
            if (place == Home)
                return std::string("Foundation");
            if (place < ColumnCount)
                return rules.columnSlot + std::to_string(place + 1);
            if (place < FirstReserve)
                return rules.cellSlot + std::to_string(place - ColumnCount + 1);
            return rules.reserveSlot + std::to_string(place - FirstReserve + 1);
        };
        for (const Move &m : path) {
            const SolverCard card =
                m.from < ColumnCount ? s.columns[m.from][s.length[m.from] - m.count] : s.cells[m.from - ColumnCount];
            lines.push_back(slot(m.from) + " " + slot(m.to) + " " + CardToken(card));
            Apply(s, m);
        }
        return lines;
    }

private:
    static constexpr int NoiseRange = 2000;
    // Reserve cards onto the columns come last: see Weights::reserve.
    static constexpr int ReserveMerit = 0;
    static constexpr int ReserveEmptyMerit = 0;
    static constexpr int MoveListSize = 240;
    CellGameRules rules;
};

class FreeCellPosition : public SolverPosition {
public:
    FreeCellPosition(const FreeCellState &state, const CellGameRules &rules) : state(state), rules(rules) {}
    SolveResult Solve(const SolveBudget &budget) const override
    {
        return RestartingSearch(FreeCellGame(rules), state, budget);
    }

private:
    FreeCellState state;
    CellGameRules rules;
};

} // namespace

namespace {

// Reads the columns, then the single-card places (cells or reserve piles) from the rows.
std::unique_ptr<SolverPosition> readPosition(const GameTable &table, const CellGameRules &rules, const PileRow &columns,
                                             const PileRow &singles, int firstSingle, int singleCount)
{
    FreeCellState s;
    int cards = 0;
    for (int c = 0; c < rules.columns; ++c) {
        const auto pile = PileCards(columns[c + 1]);
        if (!columns[c + 1] || pile.size() > std::size_t(ColumnDepth))
            return nullptr;
        for (const TCard *card : pile)
            if (!(s.columns[c][s.length[c]++] = CardOf(card)) || !card->Face())
                return nullptr;
        cards += int(pile.size());
    }
    for (int c = 0; c < singleCount; ++c) {
        const auto pile = PileCards(singles[c + 1]);
        if (!singles[c + 1] || pile.size() > 1)
            return nullptr;
        if (!pile.empty() && !(s.cells[firstSingle + c] = CardOf(pile.front())))
            return nullptr;
        cards += int(pile.size());
    }
    for (int f = 1; f <= 4; ++f)
        for (const TCard *card : PileCards(table.Foundations[f])) {
            const SolverCard home = CardOf(card);
            s.home[SuitIndexOf(home)] = std::max<std::uint8_t>(s.home[SuitIndexOf(home)], std::uint8_t(RankOf(home)));
            ++cards;
        }
    return cards == 52 ? std::make_unique<FreeCellPosition>(s, rules) : nullptr;
}

} // namespace

std::unique_ptr<SolverPosition> ReadFreeCellPosition(const GameTable &table)
{
    return readPosition(table, FreeCellRules, table.Tableau, table.Cells, 0, CellCount);
}

std::unique_ptr<SolverPosition> ReadFlowerGardenPosition(const GameTable &table, bool runsMove)
{
    return readPosition(table, runsMove ? FlowerGardenRules : BouquetRules, table.Cells, table.Tableau, CellCount,
                        ReserveCount);
}
