// One step of resizing the main window with a game on the table: the cards take the size
// that follows the window, the table is fitted again and the window is painted. The widths
// alternate so that every step is a real change of card size.
#include "app/card_appearance.h"
#include "engine/Cardscmp.h"
#include "support/window_on_table.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Arguments: game id, how many pixels the width changes by (1 leaves the card size as it
// is: only the fit and the paint).
void BM_ResizeStep(benchmark::State &state)
{
    WindowOnTable table(int(state.range(0)));
    TMain_F &window = *table.window;
    const int change = int(state.range(1));
    QImage frame(window.size() + QSize(change, 0), QImage::Format_ARGB32_Premultiplied);
    int step = 0;
    for (auto _ : state) {
        window.resize(1200 + (step % 2 == 0 ? change : 0), 800);
        ++step;
        window.TableAreaChanged();
        window.Board1->render(&frame);
    }
    state.counters["card_width"] = cardPictures().CardWidth();
}
BENCHMARK(BM_ResizeStep)->Args({108, 200})->Args({32, 200})->Args({181, 200})->Args({108, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
