#include "app/status_indicator.h"

#include "app/Mainform.h"
#include "app/game_session.h"
#include "app/program_session.h"
#include "app/solver_worker.h"
#include "engine/board.h"
#include "engine/engine_state.h"
#include "games/game_table.h"
#include "games/move_player.h"

#include <QLabel>
#include <QStatusBar>

namespace {
// How long the not-winnable note stays in the status bar.
constexpr int NoteMilliseconds = 8000;
} // namespace

GameStatusIndicator::GameStatusIndicator(TMain_F &window) : window(window)
{
    worker = new SolverWorker(this);
    connect(worker, &SolverWorker::Solved, this, &GameStatusIndicator::received, Qt::QueuedConnection);
    panel = new QLabel(window.statusBar());
    panel->setObjectName(QStringLiteral("StatusIndicatorPanel"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("Not winnable")) + 12);
    window.statusBar()->addWidget(panel);
    // A burst of moves (a group, the automatic cycle) is searched once it has settled.
    settle = new QTimer(this);
    settle->setObjectName(QStringLiteral("SettleTimer"));
    settle->setSingleShot(true);
    settle->setInterval(30);
    connect(settle, &QTimer::timeout, this, &GameStatusIndicator::search);
    ApplySetting();
}

GameStatusIndicator::~GameStatusIndicator()
{
    Stop();
}

void GameStatusIndicator::Stop()
{
    settle->stop();
    ++serial;
    solving = false;
    delete worker; // ends the search and waits for its thread
    worker = nullptr;
}

void GameStatusIndicator::ApplySetting()
{
    panel->setVisible(window.Program().Data().settings.Cards.ShowStatusIndicator);
}

void GameStatusIndicator::PositionChanged()
{
    if (!worker)
        return;
    ++serial;
    worker->Cancel();
    solving = true;
    line.clear();
    hintGiven = false;
    showVerdict();
    settle->start();
}

void GameStatusIndicator::search()
{
    GameSession &session = window.Session();
    if (!worker)
        return;
    if (!session.GameDealt() || session.WonSequenceRunning()) {
        solving = false;
        verdict = Verdict::Unknown;
        toldNotWinnable = false;
        panel->clear();
        return;
    }
    const TBoard *board = window.Board1;
    if (session.Busy() || engineState().Busy || board->Moving || board->IsDragging() || window.Paused()) {
        settle->start();
        return;
    }
    worker->Solve(serial, ReadPosition(window.Table()), Budget);
}

void GameStatusIndicator::received(quint64 answered, int verdictCode, const QStringList &lines)
{
    // An answer about a position that is gone.
    if (answered != serial || !solving)
        return;
    solving = false;
    verdict = Verdict(verdictCode);
    line = lines;
    showVerdict();
    // Told once, until the game can be won again (an Undo went back far enough) or a new one starts.
    QStatusBar *bar = window.statusBar();
    const QString note = QString::fromUtf16(IndicatorText::NoLongerWinnable);
    if (verdict == Verdict::Winnable || window.Board1->GameStarted() != 1) {
        toldNotWinnable = false;
        if (bar->currentMessage() == note)
            bar->clearMessage();
    } else if (verdict == Verdict::NotWinnable && !toldNotWinnable) {
        toldNotWinnable = true;
        if (window.Program().Data().settings.Cards.ShowStatusIndicator)
            bar->showMessage(note, NoteMilliseconds);
    }
}

void GameStatusIndicator::showVerdict()
{
    if (solving) {
        panel->setText(QString::fromUtf16(IndicatorText::Solving));
        return;
    }
    switch (verdict) {
    case Verdict::Winnable:
        panel->setText(QString::fromLatin1(IndicatorText::Winnable));
        break;
    case Verdict::NotWinnable:
        panel->setText(QString::fromLatin1(IndicatorText::NotWinnable));
        break;
    case Verdict::Unknown:
        panel->setText(QString::fromLatin1(IndicatorText::Unknown));
        break;
    }
}

bool GameStatusIndicator::TakeHint(TCard *&card, TDeck *&dest)
{
    if (hintGiven || CurrentVerdict() != Verdict::Winnable || line.isEmpty())
        return false;
    hintGiven = true;
    const MovePlayer player(window.Table());
    return player.Resolve(line.front(), card, dest) && card && dest;
}
