// Saving and opening a game whose journal holds 10,000 entries, in the main window on screen:
// the save encodes and writes the file; the open reads it, deals the shuffle again and replays
// every entry.
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "support/window_on_table.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int JournalEntries = 10000;

struct LongGame : WindowOnTable {
    QString path;

    LongGame() : WindowOnTable(GameIds::FreeCell)
    {
        // One card goes back and forth between two free cells (without flights, to be quick).
        GameTable &table = window->Table();
        TBoard *board = window->Board1;
        board->Replaying = true;
        TCard *card = table.Tableau[1]->TopCard();
        table.Cells[1]->MoveCard(card);
        for (int move = 0; int(board->Journal().size()) < JournalEntries; ++move)
            table.Cells[move % 2 == 0 ? 2 : 1]->MoveCard(card);
        board->Replaying = false;
        board->SetGameStarted(1);
        path = folder.filePath(QStringLiteral("long.qel"));
        window->SaveGame(path, false);
        QApplication::processEvents();
    }
};

void BM_SaveGame(benchmark::State &state)
{
    LongGame game;
    for (auto _ : state)
        benchmark::DoNotOptimize(game.window->SaveGame(game.path, false));
    state.counters["entries"] = double(game.window->Board1->Journal().size());
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMillisecond);

void BM_LoadGame(benchmark::State &state)
{
    LongGame game;
    bool loaded = true;
    for (auto _ : state) {
        state.PauseTiming();
        // The game on the table is not counted as abandoned at every round.
        game.window->Board1->SetGameStarted(0);
        state.ResumeTiming();
        loaded = game.window->LoadGame(game.path) && loaded;
    }
    if (!loaded)
        state.SkipWithError("the saved game did not open");
    state.counters["entries"] = double(game.window->Board1->Journal().size());
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMillisecond);

} // namespace
