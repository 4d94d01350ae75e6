// Opening the options dialog: from the command to the dialog painted on screen, then closed
// with Cancel. The first opening of a run (which finds the card sets and decks) is reported
// apart as a counter. Run it under X (Xvfb) for the real paint, or offscreen.
#include "app/Mainform.h"
#include "app/game_picture.h"
#include "app/game_session.h"
#include "app/options_dialog.h"
#include "app/program_session.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Notes the first paint of a widget.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

double openOnce(TMain_F &window)
{
    QElapsedTimer clock;
    double milliseconds = 0;
    window.RunOptions = [&](TOptions &dialog) {
        PaintWatch watch;
        dialog.Pages->currentWidget()->installEventFilter(&watch);
        dialog.show();
        while (!watch.painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        milliseconds = double(clock.nsecsElapsed()) / 1e6;
        dialog.reject();
        return int(QDialog::Rejected);
    };
    clock.start();
    window.Options3Click();
    return milliseconds;
}

void BM_OptionsDialogOpening(benchmark::State &state)
{
    QTemporaryDir folder;
    StoreLocations locations;
    locations.configFolder = folder.filePath(QStringLiteral("config"));
    locations.dataFolder = folder.filePath(QStringLiteral("data"));
    QDir().mkpath(locations.configFolder);
    FixedDisplayInfo display{24, QSize(1280, 1024), QRect(0, 0, 1280, 990)};
    GameDeals deals;
    registerDealtGames(deals);
    ProgramSession session(locations, display);
    MainFormPrompts prompts;
    prompts.confirm = [](const QString &, const QString &) { return Confirmation{true, false}; };
    prompts.inform = [](const QString &) {};
    prompts.warn = [](const QString &) {};
    prompts.wait = [](int) {};
    TMain_F window(session, deals, prompts);
    window.setWindowState(Qt::WindowNoState);
    window.resize(1000, 760);
    window.show();
    window.Board1->Animate = false;
    window.Table().CurrentGameId = 108;
    window.Session().GameNumber = 11;
    window.Session().RestartGame();
    QApplication::processEvents();
    state.counters["first_ms"] = openOnce(window);
    for (auto _ : state)
        state.SetIterationTime(openOnce(window) / 1000.0);
}
BENCHMARK(BM_OptionsDialogOpening)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
