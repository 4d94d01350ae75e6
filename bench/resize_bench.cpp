// One step of resizing the main window with a game on the table: the cards take the size
// that follows the window, the table is fitted again and the window is painted. The widths
// alternate so that every step is a real change of card size.
#include "app/Mainform.h"
#include "app/card_appearance.h"
#include "app/game_picture.h"
#include "app/game_session.h"
#include "app/program_session.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct WindowOnTable {
    QTemporaryDir folder;
    StoreLocations locations;
    FixedDisplayInfo display{24, QSize(1920, 1200), QRect(0, 0, 1920, 1160)};
    std::unique_ptr<ProgramSession> session;
    GameDeals deals;
    std::unique_ptr<TMain_F> window;

    explicit WindowOnTable(int gameId)
    {
        locations.configFolder = folder.filePath(QStringLiteral("config"));
        locations.dataFolder = folder.filePath(QStringLiteral("data"));
        QDir().mkpath(locations.configFolder);
        registerDealtGames(deals);
        session = std::make_unique<ProgramSession>(locations, display);
        MainFormPrompts prompts;
        prompts.confirm = [](const QString &, const QString &) { return Confirmation{true, false}; };
        prompts.inform = [](const QString &) {};
        prompts.warn = [](const QString &) {};
        prompts.wait = [](int) {};
        window = std::make_unique<TMain_F>(*session, deals, prompts);
        window->setWindowState(Qt::WindowNoState);
        window->resize(1200, 800);
        window->show();
        window->Board1->Animate = false;
        window->Table().CurrentGameId = gameId;
        window->Session().GameNumber = 11;
        window->Session().RestartGame();
        QApplication::processEvents();
    }
};

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
