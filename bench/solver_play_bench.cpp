// How soon the game status indicator has a verdict on the positions of played games: each
// game follows the solver's line while it has one and the hint search otherwise, with the
// game's cycle after every move, and every fourth position is solved as the indicator would
// solve it (a budget of 1 s). Counters: the share of positions proved winnable or not
// within the second, and the share proved at all.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "solve/solver.h"

#include <benchmark/benchmark.h>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr int Games = 20;
constexpr int MovesPerGame = 32;
constexpr int SolveEvery = 4;

void BM_IndicatorVerdicts(benchmark::State &state)
{
    engineState().ShowMessage = [](const QString &) {};
    const int gameId = int(state.range(0));
    long long positions = 0, proved = 0, provedInASecond = 0, slowest = 0;
    for (auto _ : state) {
        for (quint32 number = 1; number <= Games; ++number) {
            TBoard board;
            GameTable table(&board);
            DealForPrinting(table, gameId, number);
            board.ClearJournal();
            table.Play.ShowStuckMessage = false;
            MovePlayer player(table);
            player.RunCycle();
            QStringList line;
            for (int move = 0; move < MovesPerGame && !player.IsWon(); ++move) {
                if (move % SolveEvery == 0 || line.isEmpty()) {
                    const auto position = ReadPosition(table);
                    const SolveResult result =
                        position ? position->Solve({.positions = 2'000'000, .milliseconds = 1000}) : SolveResult{};
                    line.clear();
                    for (const std::string &text : result.lines)
                        line << QString::fromStdString(text);
                    if (move % SolveEvery == 0) {
                        ++positions;
                        if (result.verdict != Verdict::Unknown) {
                            ++proved;
                            provedInASecond += result.milliseconds <= 1000;
                        }
                        slowest = std::max(slowest, result.milliseconds);
                    }
                }
                bool moved = false;
                while (!line.isEmpty() && !moved)
                    moved = player.Run(line.takeFirst());
                if (!moved) {
                    line.clear();
                    TCard *card = nullptr;
                    TDeck *dest = nullptr;
                    if (!board.FindMove(card, dest, true) || !card || !dest)
                        break;
                    if (dest == card->HostDeck())
                        dest->Click();
                    else
                        player.Drag(card, dest);
                }
                player.RunCycle();
            }
            table.ForgetPiles();
        }
    }
    state.counters["positions"] = double(positions);
    state.counters["proved_within_1s"] = positions ? double(provedInASecond) / double(positions) : 0.0;
    state.counters["proved"] = positions ? double(proved) / double(positions) : 0.0;
    state.counters["slowest_ms"] = double(slowest);
}
BENCHMARK(BM_IndicatorVerdicts)
    ->Arg(GameIds::FreeCell)
    ->Arg(GameIds::Klondike)
    ->Arg(GameIds::Yukon)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// How long a search takes to stop once cancelled (the window waits that long at most when
// a move, a deal or closing drops it): a Klondike deal searched for 50 ms, then cancelled.
void BM_CancelSearch(benchmark::State &state)
{
    engineState().ShowMessage = [](const QString &) {};
    TBoard board;
    GameTable table(&board);
    DealForPrinting(table, GameIds::Klondike, 2);
    const auto position = ReadPosition(table);
    table.ForgetPiles();
    for (auto _ : state) {
        std::atomic<bool> cancel = false;
        std::jthread solver(
            [&] { position->Solve({.positions = 2'000'000, .milliseconds = 60'000, .cancel = &cancel}); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto began = std::chrono::steady_clock::now();
        cancel = true;
        solver.join();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
    }
}
BENCHMARK(BM_CancelSearch)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
