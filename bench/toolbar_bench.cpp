// Start-up cost of the toolbar: drawing its pictures (the buttons', normal and disabled, and the
// menus') and making its buttons.
#include "app/button_pictures.h"
#include "app/toolbar.h"
#include "store/settings.h"

#include <QAction>
#include <QMainWindow>
#include <benchmark/benchmark.h>

namespace {

// Argument: pixel ratio in tenths.
void BM_DrawToolbarAndMenuPictures(benchmark::State &state)
{
    const qreal ratio = state.range(0) / 10.0;
    const int glyph = ButtonPictures::GlyphSize(ButtonPictures::Set::Large, 51);
    for (auto _ : state)
        for (int code = 1; code <= ButtonPictures::LastCode; ++code) {
            for (const bool disabled : {false, true})
                benchmark::DoNotOptimize(ButtonPictures::Picture(code, ButtonPictures::Set::Large, glyph, ratio,
                                                                 disabled, Qt::black));
            benchmark::DoNotOptimize(
                ButtonPictures::Picture(code, ButtonPictures::Set::Small, 16, ratio, false, Qt::black));
        }
}
BENCHMARK(BM_DrawToolbarAndMenuPictures)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

// The default toolbar's buttons made on a window (the pictures are drawn when shown).
void BM_CreateDefaultToolbar(benchmark::State &state)
{
    CardsSettings cards;
    for (auto _ : state) {
        QMainWindow window;
        auto *toolbar = new MainToolbar(window, cards, 24, 96);
        toolbar->Lists = ToolbarButtons::Lists::FromLayout(cards.tbconf);
        window.addToolBar(toolbar);
        toolbar->Create();
        benchmark::DoNotOptimize(toolbar->actions().size());
    }
}
BENCHMARK(BM_CreateDefaultToolbar)->Unit(benchmark::kMillisecond);

} // namespace
