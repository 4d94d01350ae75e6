#include "app/demo_mode.h"

#include "app/Mainform.h"
#include "app/game_session.h"
#include "app/status_indicator.h"
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/game_table.h"
#include "games/move_player.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace {

// The command moves a card to a foundation that the automatic cycle has put there already.
bool alreadyHome(const GameTable &table, const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() != 3 || !words[1].startsWith(QStringLiteral("Foundation"), Qt::CaseInsensitive))
        return false;
    for (int i = 1; i <= table.Foundations.Count(); ++i)
        if (const TDeck *home = table.Foundations[i]; home && MovePlayer::FindCard(home, words[2]))
            return true;
    return false;
}

} // namespace

DemoMode::DemoMode(TMain_F &window, GameStatusIndicator &indicator) : window(window), indicator(indicator)
{
    DemoToolbar = new QToolBar(QStringLiteral("Run Demo"), &window);
    DemoToolbar->setObjectName(QStringLiteral("DemoToolbar"));
    tbtnPlay = DemoToolbar->addAction(QStringLiteral("Start Demo"), this, &DemoMode::Start);
    tbtnPlay->setObjectName(QStringLiteral("tbtnPlay"));
    tbtnPause = DemoToolbar->addAction(QStringLiteral("Pause Demo"), this, &DemoMode::Pause);
    tbtnPause->setObjectName(QStringLiteral("tbtnPause"));
    tbtnStop = DemoToolbar->addAction(QStringLiteral("Exit Demo Mode"), this, &DemoMode::Exit);
    tbtnStop->setObjectName(QStringLiteral("tbtnStop"));
    DemoToolbar->addSeparator();
    lbMoves = new QLabel(DemoToolbar);
    lbMoves->setObjectName(QStringLiteral("lbMoves"));
    lbMoves->setMinimumWidth(lbMoves->fontMetrics().horizontalAdvance(QStringLiteral("Moves: 0000")));
    DemoToolbar->addWidget(lbMoves);
    DemoToolbar->addSeparator();
    lbStatus = new QLabel(DemoToolbar);
    lbStatus->setObjectName(QStringLiteral("lbStatus"));
    DemoToolbar->addWidget(lbStatus);
    window.addToolBar(Qt::BottomToolBarArea, DemoToolbar);
    DemoToolbar->hide();

    DemoTimer = new QTimer(this);
    DemoTimer->setObjectName(QStringLiteral("DemoTimer"));
    DemoTimer->setInterval(700);
    connect(DemoTimer, &QTimer::timeout, this, &DemoMode::tick);
    // Called before the window's own filter (installed earlier), so a pausing key or click
    // goes no further.
    qApp->installEventFilter(this);
}

DemoMode::~DemoMode()
{
    qApp->removeEventFilter(this);
}

bool DemoMode::Running() const
{
    return DemoTimer->isActive();
}

bool DemoMode::Shown() const
{
    return !DemoToolbar->isHidden();
}

void DemoMode::Run()
{
    if (!window.Session().GameDealt())
        return;
    if (window.Paused())
        window.Resume();
    gameId = window.Table().CurrentGameId;
    DemoToolbar->show();
    Start();
}

void DemoMode::Start()
{
    if (!window.Session().GameDealt())
        return;
    gameId = window.Table().CurrentGameId;
    showMoves();
    lbStatus->setText(QString::fromLatin1(DemoText::Playing));
    tbtnPlay->setEnabled(false);
    tbtnPause->setEnabled(true);
    DemoTimer->start();
}

void DemoMode::Pause()
{
    if (!Running())
        return;
    DemoTimer->stop();
    lbStatus->setText(QString::fromLatin1(DemoText::Paused));
    tbtnPlay->setEnabled(true);
    tbtnPause->setEnabled(false);
}

void DemoMode::Exit()
{
    DemoTimer->stop();
    plan.clear();
    DemoToolbar->hide();
}

void DemoMode::GameChanged()
{
    plan.clear();
    if (!Shown())
        return;
    if (window.Table().CurrentGameId != gameId) {
        Exit();
        return;
    }
    if (!window.Session().GameDealt() || window.Session().Busy())
        Pause();
    // A new deal starts the count again; the won game keeps its own.
    if (window.Session().Busy()) {
        moves = 0;
        showMoves();
    }
}

void DemoMode::stopWith(const QString &status)
{
    Pause();
    lbStatus->setText(status);
}

void DemoMode::showMoves()
{
    lbMoves->setText(QStringLiteral("Moves: %1").arg(moves));
}

void DemoMode::tick()
{
    GameSession &session = window.Session();
    TBoard *board = window.Board1;
    if (session.WonSequenceRunning()) {
        stopWith(QString::fromLatin1(DemoText::Won));
        return;
    }
    if (!session.GameDealt()) {
        Pause();
        return;
    }
    // The move under way lands first; so does the cycle's.
    if (session.Busy() || engineState().Busy || board->Moving || board->IsDragging())
        return;
    GameTable &table = window.Table();
    while (!plan.isEmpty() && alreadyHome(table, plan.front()))
        plan.removeFirst();
    if (plan.isEmpty()) {
        if (indicator.Solving()) {
            lbStatus->setText(QString::fromLatin1(DemoText::Thinking));
            return;
        }
        switch (indicator.CurrentVerdict()) {
        case Verdict::Winnable:
            plan = indicator.WinningLine();
            break;
        case Verdict::NotWinnable:
            stopWith(QString::fromLatin1(DemoText::NoWin));
            return;
        case Verdict::Unknown:
            stopWith(QString::fromLatin1(DemoText::NoLine));
            return;
        }
        // The position is won already: the cycle finishes it.
        if (plan.isEmpty())
            return;
    }
    lbStatus->setText(QString::fromLatin1(DemoText::Playing));
    session.Demonstrated = true;
    board->SetGameStarted(1);
    MovePlayer player(table);
    const QString command = plan.takeFirst();
    if (!player.Run(command)) {
        // The table went its own way (the cycle took a card the line still needed): the
        // next tick follows the verdict on the position as it is.
        plan.clear();
        return;
    }
    ++moves;
    showMoves();
}

bool DemoMode::onToolbar(QObject *object) const
{
    for (auto *widget = qobject_cast<QWidget *>(object); widget; widget = widget->parentWidget())
        if (widget == DemoToolbar)
            return true;
    return false;
}

bool DemoMode::eventFilter(QObject *watched, QEvent *event)
{
    if (!Running())
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!window.isActiveWindow())
            return false;
        Pause();
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton || onToolbar(watched)
            || qobject_cast<QWindow *>(watched))
            return false;
        if (auto *widget = qobject_cast<QWidget *>(watched); !widget || widget->window() != &window)
            return false;
        Pause();
        // A menu opens all the same; a click on the table is only a pause.
        return !qobject_cast<QMenuBar *>(watched) && !qobject_cast<QMenu *>(watched);
    case QEvent::WindowStateChange:
        if (watched == &window)
            Pause();
        return false;
    default:
        return false;
    }
}
