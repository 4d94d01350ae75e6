#include "engine/board.h"

#include "engine/board_button.h"
#include "engine/card.h"
#include "engine/drag_state.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

TBoard::TBoard(QWidget *parent) : QWidget(parent), Color(0, 128, 0)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    journal.reserve(800);
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

void TBoard::FreeCards()
{
    ClickedCard = nullptr;
    PeekCard = nullptr;
    Candidates.Reset();
    for (auto &card : cards)
        if (TDeck *deck = card->HostDeck())
            deck->RemoveCard(card.get());
    cards.clear();
    update();
}

TCard *TBoard::FindCard(int cardID) const
{
    for (const auto &card : cards)
        if (card->CardID == cardID)
            return card.get();
    return nullptr;
}

TDeck *TBoard::FindDeck(int deckID) const
{
    for (const auto &deck : decks)
        if (deck->DeckID() == deckID && deck->HostBoard() == this)
            return deck.get();
    return nullptr;
}

int TBoard::TakeDeckID()
{
    if (IDCounter >= 255)
        throw std::length_error("A card table holds at most 255 piles");
    return ++IDCounter;
}

// ---------------------------------------------------------------- properties

void TBoard::SetScore(int value)
{
    score = value;
    if (OnScoreChange)
        OnScoreChange(nullptr);
}

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

void TBoard::SetStatusTip(const QString &text)
{
    const QString cut = text.left(250);
    if (cut == statusTip)
        return;
    statusTip = cut;
    if (OnDeckTipChange)
        OnDeckTipChange(nullptr);
}

void TBoard::SetShadowStyle(int value)
{
    shadowStyle = value;
    shadowOffset = value == 2 ? 5 : 4;
}

void TBoard::SetHighLightedDeck(TDeck *deck)
{
    if (deck == highLightedDeck)
        return;
    if (highLightedDeck)
        for (TCard *card = highLightedDeck->TopCard(); card; card = card->Below)
            card->SetHighLighted(false);
    highLightedDeck = deck;
}

void TBoard::SetRotation_Counter(int value)
{
    rotationCounter = value;
    if (OnRotationChange)
        OnRotationChange(nullptr);
}

// ---------------------------------------------------------------- queries

void TBoard::RefuseSelect(TDeck *, TCard *&, bool &action, bool, bool &clickable, bool &actionOnClick)
{
    action = false;
    clickable = false;
    actionOnClick = false;
}

void TBoard::RefuseAdd(TDeck *, TCard *&, bool &action, bool)
{
    action = false;
}

bool TBoard::CanPlayToFoundation(TCard *card) const
{
    if (!card)
        return false;
    TDeck *source = card->HostDeck();
    if (!source || !source->Visible() || !source->TopCard() || source->SelectIsRefused())
        return false;
    if (source->OnSelect) {
        TCard *asked = card;
        bool action = false, clickable = false, actionOnClick = false;
        source->OnSelect(source, asked, action, false, clickable, actionOnClick);
        if (!action || !clickable)
            return false;
    }
    for (const auto &deck : decks) {
        TDeck *foundation = deck.get();
        if (foundation == source || foundation->ShowEmpty() != FoundationPile || !foundation->Visible()
            || !foundation->OnAddWithRule)
            continue;
        if (foundation->MaxCardCount > 0 && foundation->CardsCount() >= foundation->MaxCardCount)
            continue;
        if (foundation->CardsCount() == 0 && foundation->CardVal() > 0 && card->Rank() == foundation->CardVal())
            return true;
        TCard *asked = card;
        bool action = false;
        foundation->OnAddWithRule(foundation, asked, action, false);
        if (action)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- auto-timer

void TBoard::SetAutoTimerHandler(std::function<void()> handler)
{
    autoTimerHandler = std::move(handler);
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

// ---------------------------------------------------------------- mouse state

void TBoard::ClearHighlightAndSelection()
{
    if (engineState().Options.HoverHighlight)
        SetHighLightedDeck(nullptr);
    if (SelectedDeck) {
        if (TCard *top = SelectedDeck->TopCard())
            for (TCard *card = top; card; card = card->Below)
                if (card->Selected())
                    card->SetSelected(false);
        SelectedDeck = nullptr;
    }
}

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
