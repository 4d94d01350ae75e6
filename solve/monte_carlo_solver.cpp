#include "engine/card.h"
#include "games/game_table.h"
#include "solve/game_readers.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>

// Monte Carlo: two cards of one rank that touch in the five-by-five grid (in a row, a
// column or a diagonal) are discarded; the button closes the gaps, keeping the cards'
// order, and fills the grid's end from the stock.
namespace {

constexpr int GridSize = 25;
constexpr int GridWidth = 5;
constexpr int StockSize = 52;

struct MonteCarloState {
    std::array<SolverCard, GridSize> grid{};
    std::array<SolverCard, StockSize> stock{}; // top card last
    std::uint8_t stockCount = 0;
};

struct MonteCarloMove {
    std::uint8_t first;  // GridSize: the button
    std::uint8_t second;
};

constexpr std::uint8_t Button = GridSize;

bool touching(int a, int b)
{
    const int rows = std::abs(a / GridWidth - b / GridWidth);
    const int columns = std::abs(a % GridWidth - b % GridWidth);
    return a != b && rows <= 1 && columns <= 1;
}

// The button does something: a gap with a card after it, or a gap and cards in the stock.
bool buttonWorks(const MonteCarloState &s)
{
    for (int i = 0; i < GridSize; ++i) {
        if (s.grid[i])
            continue;
        if (s.stockCount > 0)
            return true;
        for (int later = i + 1; later < GridSize; ++later)
            if (s.grid[later])
                return true;
    }
    return false;
}

class MonteCarloGame {
public:
    using State = MonteCarloState;
    using Move = MonteCarloMove;

    bool Won(const State &s) const
    {
        return s.stockCount == 0 && std::all_of(s.grid.begin(), s.grid.end(), [](SolverCard c) { return c == 0; });
    }

    void Apply(State &s, const Move &m) const
    {
        if (m.first != Button) {
            s.grid[m.first] = 0;
            s.grid[m.second] = 0;
            return;
        }
        int filled = 0;
        for (int i = 0; i < GridSize; ++i)
            if (s.grid[i])
                s.grid[filled++] = s.grid[i];
        for (; filled < GridSize; ++filled)
            s.grid[filled] = s.stockCount > 0 ? s.stock[--s.stockCount] : 0;
    }

    void Settle(State &, std::vector<Move> &) const {}

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        struct Scored {
            Move move;
            int score;
        };
        Scored list[GridSize * 4 + 1];
        int n = 0;
        for (int a = 0; a < GridSize; ++a) {
            if (!s.grid[a])
                continue;
            for (int b = a + 1; b < GridSize; ++b)
                if (s.grid[b] && RankOf(s.grid[a]) == RankOf(s.grid[b]) && touching(a, b)) {
                    // Pairs late in the grid first: the cards after them move up less.
                    int score = a + b;
                    if (variant > 0)
                        score += int(MixHash(variant * 131u + unsigned(n)) % 16);
                    list[n++] = {{std::uint8_t(a), std::uint8_t(b)}, score};
                }
        }
        std::stable_sort(list, list + n, [](const Scored &x, const Scored &y) { return x.score > y.score; });
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
        if (buttonWorks(s))
            out.push_back({Button, 0});
    }

    std::uint64_t Hash(const State &s) const { return PileHash(s.grid.data(), GridSize, s.stockCount); }

    std::vector<std::string> Lines(const State &, const std::vector<Move> &path) const
    {
        std::vector<std::string> lines;
        for (const Move &m : path)
            lines.push_back(m.first == Button ? std::string("click Button")
                                              : "Tableau" + std::to_string(m.first + 1) + " Tableau"
                                                    + std::to_string(m.second + 1));
        return lines;
    }
};

class MonteCarloPosition : public SolverPosition {
public:
    explicit MonteCarloPosition(const MonteCarloState &state) : state(state) {}
    SolveResult Solve(const SolveBudget &budget) const override
    {
        return DepthFirstSearch(MonteCarloGame(), state, budget);
    }

private:
    MonteCarloState state;
};

} // namespace

std::unique_ptr<SolverPosition> ReadMonteCarloPosition(const GameTable &table)
{
    MonteCarloState s;
    int cards = 0;
    for (int i = 0; i < GridSize; ++i) {
        const auto pile = PileCards(table.Tableau[i + 1]);
        if (!table.Tableau[i + 1] || pile.size() > 1)
            return nullptr;
        if (!pile.empty() && !(s.grid[i] = CardOf(pile.front())))
            return nullptr;
        cards += int(pile.size());
    }
    for (const TCard *card : PileCards(table.Stock)) {
        if (s.stockCount >= StockSize || !(s.stock[s.stockCount] = CardOf(card)))
            return nullptr;
        ++s.stockCount;
    }
    cards += s.stockCount + (table.Foundations[1] ? table.Foundations[1]->CardsCount() : 0);
    return table.Stock && cards == 52 ? std::make_unique<MonteCarloPosition>(s) : nullptr;
}
