#include "app/winnable_deals.h"

#include "app/Mainform.h"
#include "app/program_session.h"
#include "engine/board.h"
#include "games/deal_printout.h"
#include "games/game_table.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QStatusBar>
#include <atomic>
#include <thread>

namespace {

// The deal of a number in the solver's form, dealt on a table of its own that is never shown.
std::unique_ptr<SolverPosition> dealPosition(const GameTable &live, quint32 number)
{
    TBoard board;
    GameTable table(&board);
    table.Customs = live.Customs;
    DealForPrinting(table, live.CurrentGameId, number);
    std::unique_ptr<SolverPosition> position = ReadPosition(table);
    table.ForgetPiles();
    return position;
}

// Solves on a thread of its own while the window keeps drawing (and the progress shows).
Verdict solveWhileWaiting(const SolverPosition &position, SolveBudget budget, std::atomic<bool> &cancel)
{
    QEventLoop loop;
    Verdict verdict = Verdict::Unknown;
    budget.cancel = &cancel;
    std::jthread solver([&] {
        verdict = position.Solve(budget).verdict;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // The progress box is modal: only its Cancel button takes input meanwhile.
    loop.exec();
    solver.join();
    return verdict;
}

} // namespace

WinnableDeals::WinnableDeals(TMain_F &window) : window(window) {}

quint32 WinnableDeals::Choose(quint32 drawn)
{
    if (!window.Program().Data().settings.Cards.WinnableOnly)
        return drawn;
    GameTable &table = window.Table();
    std::unique_ptr<SolverPosition> position = dealPosition(table, drawn);
    // A game the solver does not know is dealt as drawn.
    if (!position)
        return drawn;
    QProgressDialog progress(QString::fromUtf16(WinnableText::Searching), QStringLiteral("Cancel"), 0, MostNumbers,
                             window.MessageOwner());
    progress.setWindowTitle(QStringLiteral("Tarnwick"));
    progress.setWindowModality(Qt::ApplicationModal);
    // Shown at once: while it is up, the table takes no clicks or keys.
    progress.setMinimumDuration(0);
    std::atomic<bool> cancel = false;
    QObject::connect(&progress, &QProgressDialog::canceled, [&cancel] { cancel = true; });
    quint32 number = drawn;
    int tried = 0;
    for (;;) {
        progress.setValue(tried);
        ++tried;
        if (position && solveWhileWaiting(*position, Budget, cancel) == Verdict::Winnable && !cancel) {
            return number;
        }
        if (tried >= MostNumbers || cancel)
            break;
        table.Random.Randomize();
        number = table.Random.Seed();
        position = dealPosition(table, number);
    }
    progress.reset();
    window.statusBar()->showMessage(QString::fromLatin1(WinnableText::NoneFound).arg(tried).arg(number), 10000);
    return number;
}
