// The Play menu's commands on the game in progress: Show Next Move, Undo, Redo, Autoplay and
// Pause, with the clock that leaves paused time out.
#include "app/Mainform.h"

#include "app/program_session.h"
#include "app/status_indicator.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/game_table.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <algorithm>

void TMain_F::ShowNextMove1Click()
{
    if (paused)
        Resume();
    if (engineState().Busy || Board1->Moving)
        return;
    TCard *card = nullptr;
    TDeck *dest = nullptr;
    // The solver's move first when the position is known winnable, then the search's.
    if (!StatusIndicator().TakeHint(card, dest) && (!Board1->FindMove(card, dest, true) || !card || !dest))
        return;
    if (TDeck *selected = Board1->SelectedDeck; selected && selected->TopCard())
        selected->TopCard()->SetSelected(false);
    Board1->ClearHighlightAndSelection();
    Board1->SelectedDeck = nullptr;

    // The cycle must not move the cards being shown.
    QTimer *cycle = Board1->AutoTimer();
    const bool cycleRan = cycle->isActive();
    cycle->stop();

    card->SelectGroup(true);
    Wait(350);
    card->SelectGroup(false);
    Wait(100);
    if (TCard *top = dest->TopCard()) {
        top->SetSelected(true);
        top->Repaint();
        Wait(250);
        top->SetSelected(false);
    } else {
        const int ownMark = dest->ShowEmpty();
        dest->SetShowEmpty(SecondPlainMark);
        dest->Repaint();
        Wait(350);
        dest->SetShowEmpty(ownMark);
        Board1->update();
        Wait(200);
        dest->SetShowEmpty(SecondPlainMark);
        dest->Repaint();
        Wait(300);
        dest->SetShowEmpty(ownMark);
        dest->Repaint();
    }
    if (cycleRan && Board1->HasAutoTimerHandler())
        cycle->start();
}

void TMain_F::NewUndo1Click()
{
    walkJournal(true);
}

void TMain_F::NewRedo1Click()
{
    walkJournal(false);
}

// One step of Undo (back) or Redo. The journal walk keeps clicks and drags out by itself.
void TMain_F::walkJournal(bool back)
{
    if (paused)
        Resume();
    if (engineState().Busy || Board1->Moving)
        return;
    // Off until the player's next click: the cycle would play an undone card straight back.
    Board1->AutoTimer()->stop();
    if (back) {
        Board1->Undo();
        SetYouAreStuck(*table, false);
    } else {
        Board1->Redo();
    }
    writeItemStates();
    RefreshStatus();
}

void TMain_F::Autoplay1Click()
{
    if (paused)
        Resume();
    // The item has already toggled its check mark.
    const bool on = Autoplay1->isChecked();
    table->Play.AutomaticMoves = on;
    if (on && Board1->HasAutoTimerHandler() && Board1->GameStarted() != 2)
        Board1->AutoTimer()->start();
    SetAutoplayOn(CurrentGameId(), on);
}

void TMain_F::Pause1Click()
{
    const bool started = Board1->GameStarted() == 1;
    QTimer *cycle = Board1->AutoTimer();
    if (!paused) {
        autoTimerRanBeforePause = cycle->isActive();
        if (started && Board1->HasAutoTimerHandler() && cycle->isActive())
            cycle->stop();
        Board1->ClearHighlightAndSelection();
        hiddenBeforePause.clear();
        for (TBoardButton *button : Board1->Buttons())
            button->setVisible(false);
        for (const auto &card : Board1->Cards())
            card->SetVisible(false);
        for (const auto &pile : Board1->Decks()) {
            if (!pile->Visible())
                hiddenBeforePause.push_back(pile->DeckID());
            pile->SetVisible(false);
        }
        pauseStart = engineState().Now();
        showPauseLabels();
        keptTipText = Panels[TipPanel]->text();
        Panels[TipPanel]->setText(QString());
        paused = true;
        Board1->update();
        updateClockPanel();
        return;
    }

    if (started && Board1->HasAutoTimerHandler() && !cycle->isActive())
        cycle->start();
    for (TBoardButton *button : Board1->Buttons())
        button->setVisible(true);
    for (const auto &card : Board1->Cards()) {
        TDeck *pile = card->HostDeck();
        if (pile && (pile->IsSpread() || pile->TopCard() == card.get()))
            card->SetVisible(true);
    }
    for (const auto &pile : Board1->Decks())
        if (std::find(hiddenBeforePause.begin(), hiddenBeforePause.end(), pile->DeckID()) == hiddenBeforePause.end())
            pile->SetVisible(true);
    hiddenBeforePause.clear();
    if (started)
        pausedMilliseconds += std::max<qint64>(0, pauseStart.msecsTo(engineState().Now()));
    freePauseLabels();
    paused = false;
    Panels[TipPanel]->setText(keptTipText);
    Board1->update();
    RefreshStatus();
    updateClockPanel();
}

void TMain_F::Resume()
{
    if (paused)
        Pause1Click();
}

void TMain_F::showPauseLabels()
{
    freePauseLabels();
    QWidget *client = centralWidget();
    // Two silver labels with a white one between them, one pixel apart.
    const struct {
        QColor colour;
        int offset;
    } layers[] = {{QColor(0xC0, 0xC0, 0xC0), 0}, {QColor(0xC0, 0xC0, 0xC0), 2}, {Qt::white, 1}};
    for (const auto &layer : layers) {
        auto *label = new QLabel(QString::fromLatin1(MainText::GamePaused), client);
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPointSize(24);
        font.setBold(true);
        label->setFont(font);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, layer.colour);
        label->setPalette(palette);
        label->adjustSize();
        const int left = (client->width() - label->width()) / 2 + layer.offset;
        const int top = client->height() / 2 + layer.offset - label->height() / 2 - 30;
        label->move(left, top);
        label->show();
        label->raise();
        pauseLabels.push_back(label);
    }
}

void TMain_F::freePauseLabels()
{
    for (QLabel *label : pauseLabels)
        delete label;
    pauseLabels.clear();
}

qint64 TMain_F::ElapsedMilliseconds() const
{
    if (Board1->GameStarted() != 1)
        return 0;
    const QDateTime until = paused ? pauseStart : engineState().Now();
    return std::max<qint64>(0, Board1->StartTime().msecsTo(until) - pausedMilliseconds);
}

void TMain_F::updateClockPanel()
{
    QLabel *clock = Panels[ClockPanel];
    if (paused) {
        clock->setText(QString::fromLatin1(MainText::Paused));
        return;
    }
    const qint64 seconds = ElapsedMilliseconds() / 1000;
    clock->setText(QStringLiteral("%1:%2:%3  ")
                       .arg(seconds / 3600)
                       .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

void TMain_F::TimeTimerTimer()
{
    TimeTimer->stop();
    updateClockPanel();
    // The crash guard writes on a worker thread: its failure shows at the next tick.
    showWriteFailures();
    // Show Next Move is offered once the search finds a move; looking must not step the
    // list the command walks through.
    if (!paused && Board1->GameStarted() == 1 && !engineState().Busy && !Board1->Moving && !Board1->IsDragging()) {
        bool available = Board1->Candidates.Count > 0;
        if (!available) {
            const int current = Board1->Candidates.Current;
            TCard *card = nullptr;
            TDeck *dest = nullptr;
            available = Board1->FindMove(card, dest, false);
            Board1->Candidates.Current = current;
        }
        if (available) {
            moveOffered = true;
            writeItemStates();
        }
    }
    TimeTimer->start();
}
