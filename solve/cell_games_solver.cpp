#include "solve/game_readers.h"

#include "engine/card.h"
#include "games/game_table.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>

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

class FreeCellGame {
public:
    using State = FreeCellState;
    using Move = FreeCellMove;
    explicit FreeCellGame(const CellGameRules &rules) : rules(rules) {}

    bool fits(SolverCard lower, SolverCard upper) const
    {
        return rules.anySuit ? RankOf(lower) == RankOf(upper) + 1 : FitsDownAlternate(lower, upper);
    }
    bool safeHome(const State &s, SolverCard card) const
    {
        if (!rules.anySuit)
            return SafeHomeAlternate(s.home.data(), card);
        const int lowest = std::min({s.home[0], s.home[1], s.home[2], s.home[3]});
        return RankOf(card) <= 2 || RankOf(card) <= lowest + 1;
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
        for (bool again = true; again;) {
            again = false;
            for (int place = 0; place < Home; ++place) {
                const SolverCard card = topOf(s, place);
                if (goesHome(s, card) && safeHome(s, card)) {
                    const Move m{std::uint8_t(place), Home, 1};
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
        Scored list[MoveListSize];
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
                    add(ColumnCount + c, to, 1, 700 + 13 - RankOf(card));
            }
            if (firstEmptyColumn >= 0)
                add(ColumnCount + c, firstEmptyColumn, 1, 150 + RankOf(card));
        }

        for (int from = 0; from < rules.columns; ++from) {
            const int length = s.length[from];
            if (!length)
                continue;
            const auto &column = s.columns[from];
            const int run = runLength(s, from);
            // Runs onto another column's top card.
            for (int to = 0; to < rules.columns; ++to) {
                const SolverCard top = topOf(s, to);
                if (to == from || !top)
                    continue;
                const int needed = RankOf(top) - 1;
                const int depth = RankOf(column[length - 1]) <= needed ? needed - RankOf(column[length - 1]) + 1 : 0;
                if (depth < 1 || depth > run || depth > carried(s, run, freeCells, emptyColumns))
                    continue;
                if (!fits(top, column[length - depth]))
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
        std::vector<Move> settled;
        for (int i = 0; i < n; ++i) {
            State child = s;
            Apply(child, list[i].move);
            Settle(child, settled);
            list[i].score += 16 * Evaluate(child);
        }
        if (variant > 0)
            for (int i = 0; i < n; ++i)
                list[i].score += int(MixHash(variant * 977u + unsigned(i) * 131u + s.length[0]) % NoiseRange);
        std::stable_sort(list, list + n, [](const Scored &a, const Scored &b) { return a.score > b.score; });
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
    }

    // How promising a position is (higher is better): cards home, the cards still lying on
    // the next ones each suit needs, free places, and columns out of order.
    int Evaluate(const State &s) const
    {
        int value = 0;
        for (int suit = 0; suit < 4; ++suit)
            value += 60 * s.home[suit];
        // Per column: the cards above each card that is wanted soon.
        for (int c = 0; c < rules.columns; ++c) {
            const int length = s.length[c];
            if (length == 0) {
                value += 40;
                continue;
            }
            const auto &column = s.columns[c];
            for (int i = 0; i < length; ++i) {
                const SolverCard card = column[i];
                const int wait = RankOf(card) - s.home[SuitIndexOf(card)]; // 1: next to go home
                if (wait <= 2)
                    value -= (length - 1 - i) * (wait == 1 ? 12 : 5);
                if (i > 0 && !fits(column[i - 1], card))
                    value -= 6; // out of sequence: it must move again
            }
        }
        for (int c = 0; c < rules.cells; ++c)
            value += s.cells[c] ? 0 : 18;
        // A reserve card that has left is one less card only a column can take.
        for (int c = 0; c < rules.reserves; ++c)
            value += s.cells[CellCount + c] ? 0 : 10;
        return value;
    }

    std::uint64_t Hash(const State &s) const
    {
        std::uint64_t h = 0;
        for (int c = 0; c < rules.columns; ++c)
            h += PileHash(s.columns[c].data(), s.length[c], 0);
        for (int c = 0; c < CellCount + ReserveCount; ++c)
            h += MixHash(0x5000 + s.cells[c]);
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
    static constexpr int NoiseRange = 400;
    static constexpr int MoveListSize = 240;
    CellGameRules rules;
};

class FreeCellPosition : public SolverPosition {
public:
    FreeCellPosition(const FreeCellState &state, const CellGameRules &rules) : state(state), rules(rules) {}
    SolveResult Solve(const SolveBudget &budget) const override
    {
        return DepthFirstSearch(FreeCellGame(rules), state, budget);
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
