// Drawing one of the desktop's card decks at the large card size (89 x 120), at screen
// ratios 1 and 2: the whole deck from its SVG file, as a card set choice pays it once per
// size and ratio. Argument: ratio in tenths. Skipped when no deck is installed.
#include "look/desktop_decks.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

// The installed deck with the largest picture (the slowest to draw), or nothing.
QString largestDeck()
{
    QString file;
    qint64 largest = -1;
    for (const DesktopDeck &deck : DesktopDecks::Find(DesktopDecks::SearchFolders()))
        if (const qint64 size = QFileInfo(deck.SvgFile).size(); size > largest) {
            largest = size;
            file = deck.SvgFile;
        }
    return file;
}

void BM_RenderDeckLarge(benchmark::State &state)
{
    const QString file = largestDeck();
    if (file.isEmpty()) {
        state.SkipWithError("no desktop card deck installed");
        return;
    }
    state.SetLabel(QFileInfo(file).fileName().toStdString());
    for (auto _ : state)
        benchmark::DoNotOptimize(DesktopDecks::Render(file, QSize(89, 120), state.range(0) / 10.0));
}
BENCHMARK(BM_RenderDeckLarge)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
