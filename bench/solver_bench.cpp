#include "engine/board.h"
#include "engine/engine_state.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "solve/solver.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

// The first deals of a game in the solver's form, dealt once.
std::vector<std::unique_ptr<SolverPosition>> dealtPositions(int gameId, int count)
{
    engineState().ShowMessage = [](const QString &) {};
    std::vector<std::unique_ptr<SolverPosition>> positions;
    for (int number = 1; number <= count; ++number) {
        TBoard board;
        GameTable table(&board);
        DealForPrinting(table, gameId, quint32(number));
        if (auto position = ReadPosition(table))
            positions.push_back(std::move(position));
        table.ForgetPiles();
    }
    return positions;
}

// One deal solved per iteration, cycling through the first 200 deals with a budget of 2 s;
// the counters give the deals per second and the share left unknown.
void BM_SolveDeals(benchmark::State &state)
{
    const auto positions = dealtPositions(int(state.range(0)), 200);
    std::size_t next = 0;
    long long unknown = 0;
    long long solved = 0;
    for (auto _ : state) {
        const SolveResult result = positions[next++ % positions.size()]->Solve({});
        unknown += result.verdict == Verdict::Unknown;
        ++solved;
        benchmark::DoNotOptimize(result.positions);
    }
    state.counters["deals/s"] = benchmark::Counter(double(solved), benchmark::Counter::kIsRate);
    state.counters["unknown"] = solved ? double(unknown) / double(solved) : 0.0;
}
BENCHMARK(BM_SolveDeals)
    ->Arg(GameIds::FreeCell)
    ->Arg(GameIds::Klondike)
    ->Arg(GameIds::Yukon)
    ->Arg(GameIds::FlowerGarden)
    ->Arg(GameIds::Bouquet)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
// Spider's deals take the longest: the climb often runs to the end of its budget.
BENCHMARK(BM_SolveDeals)
    ->Arg(GameIds::SpiderOneSuit)
    ->Arg(GameIds::SpiderTwoSuit)
    ->Arg(GameIds::Spider)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(10.0);

} // namespace
