#include "engine/board.h"

#include "engine/board_button.h"
#include "engine/card.h"
#include "engine/drag_state.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "engine/table_accessible.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>

TBoard::TBoard(QWidget *parent) : QWidget(parent), Color(0, 128, 0)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The table takes the keyboard when clicked or tabbed to (its buttons follow it in the tab order).
    setFocusPolicy(Qt::StrongFocus);
    InstallTableAccessibility();
    autoTimer = new QTimer(this);
    autoTimer->setInterval(80);
    connect(autoTimer, &QTimer::timeout, this, [this] {
        if (autoTimerHandler)
            autoTimerHandler();
    });
    SetShadowStyle(0);
}

TBoard::~TBoard()
{
    // Piles hold pointers to cards and cards to piles: clear every reference first.
    SelectedDeck = nullptr;
    highLightedDeck = nullptr;
    decks.clear();
    cards.clear();
    // The table buttons are child widgets: freed here, while the list they leave still exists.
    const std::vector<TBoardButton *> doomed = buttons;
    buttons.clear();
    for (TBoardButton *button : doomed)
        delete button;
}

// ---------------------------------------------------------------- owned controls

TCard *TBoard::NewCard()
{
    cards.push_back(std::make_unique<TCard>(this));
    return cards.back().get();
}

TDeck *TBoard::NewDeck()
{
    decks.push_back(std::make_unique<TDeck>(this));
    return decks.back().get();
}

TBoardButton *TBoard::NewButton()
{
    auto *button = new TBoardButton(this);
    // Like every control of the table a button shows from the start; a widget child made
    // after its parent is on screen would otherwise stay hidden.
    button->show();
    buttons.push_back(button);
    connect(button, &QObject::destroyed, this, [this, button] { std::erase(buttons, button); });
    return button;
}

void TBoard::FreeDecks()
{
    CancelKeyboardPickUp();
    focusDeck = nullptr;
    focusCard = nullptr;
    SelectedDeck = nullptr;
    SetHighLightedDeck(nullptr);
    ClickedCard = nullptr;
    PeekCard = nullptr;
    Candidates.Reset();
    for (auto &deck : decks) {
        deck->deckToAlign = nullptr;
        deck->alignedFollower = nullptr;
    }
    decks.clear();
    const std::vector<TBoardButton *> doomed = buttons;
    buttons.clear();
    for (TBoardButton *button : doomed)
        delete button;
    update();
}

void TBoard::FreeDeck(TDeck *deck)
{
    const auto owned = std::find_if(decks.begin(), decks.end(), [deck](const auto &d) { return d.get() == deck; });
    if (owned == decks.end())
        return;
    if (heldCard && heldCard->HostDeck() == deck)
        CancelKeyboardPickUp();
    if (focusDeck == deck)
        focusDeck = nullptr;
    if (SelectedDeck == deck)
        SelectedDeck = nullptr;
    if (highLightedDeck == deck)
        SetHighLightedDeck(nullptr);
    Candidates.Reset();
    for (auto &other : decks) {
        if (other->deckToAlign == deck)
            other->deckToAlign = nullptr;
        if (other->alignedFollower == deck)
            other->alignedFollower = nullptr;
    }
    decks.erase(owned);
    update();
}

// ---------------------------------------------------------------- properties

void TBoard::SetGameStarted(int value)
{
    if (gameStarted == 0 && value == 1) {
        gameStarted = 1;
        startTime = engineState().Now();
        if (OnGameStarted)
            OnGameStarted(nullptr);
        return;
    }
    if (gameStarted == 1 && value == 0)
        endTime = engineState().Now();
    gameStarted = value;
}

void TBoard::SetShadowStyle(int value)
{
    shadowStyle = value;
    shadowOffset = value == 2 ? 5 : 4;
}

// ---------------------------------------------------------------- auto-timer

void TBoard::StartAutoTimer()
{
    autoTimer->start();
}

void TBoard::StopAutoTimer()
{
    autoTimer->stop();
}

void TBoard::SuspendAutoTimer()
{
    if (autoTimerSuspensions++ == 0)
        autoTimer->stop();
}

void TBoard::ResumeAutoTimer()
{
    if (autoTimerSuspensions > 0 && --autoTimerSuspensions == 0 && autoTimerHandler)
        autoTimer->start();
}

// ---------------------------------------------------------------- the window

void TBoard::RepaintTable()
{
    update();
}

// ---------------------------------------------------------------- mouse state

void TBoard::RefreshUnderMouse()
{
    // Only a table on screen has a control under the mouse to refresh.
    if (!isVisible() || !underMouse())
        return;
    const QPoint at = mapFromGlobal(QCursor::pos());
    if (TCard *card = CardAt(at); card && card->HostDeck())
        card->HostDeck()->ShowTip();
    else if (TDeck *deck = DeckAt(at))
        deck->ShowTip();
}

TCard *TBoard::CardAt(const QPoint &point) const
{
    TCard *best = nullptr;
    for (const auto &card : cards)
        if (card->Visible() && card->BoundsRect().contains(point) && (!best || card->ZOrder() > best->ZOrder()))
            best = card.get();
    return best;
}

TDeck *TBoard::DeckAt(const QPoint &point) const
{
    TDeck *best = nullptr;
    for (const auto &deck : decks)
        if (deck->Visible() && deck->BoundsRect().contains(point) && (!best || deck->ZOrder() > best->ZOrder()))
            best = deck.get();
    return best;
}

// ---------------------------------------------------------------- animation support

bool TBoard::TurnAnimationAllowed(const TCard *card) const
{
    const TDeck *deck = card->HostDeck();
    return deck && card->HostBoard() == this && Animate && engineState().Options.FlipEnabled && Recording
        && gameStarted == 1 && deck->IsSpread() && IsAreaVisible(card->BoundsRect());
}

void TBoard::PaceFrame(QElapsedTimer &timer, int milliseconds)
{
    const qint64 left = milliseconds - timer.elapsed();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
}
