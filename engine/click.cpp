// Point-and-click: selecting a pile and clicking its destination, double-clicks, the
// right-click move and the Ctrl+click move.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

#include <QApplication>

namespace {

void deselect(TBoard *board)
{
    if (TDeck *selected = board->SelectedDeck) {
        if (TCard *top = selected->TopCard())
            top->SetSelected(false);
        board->SelectedDeck = nullptr;
    }
}

// Suspends the table's cycle for a scope.
class AutoTimerPause {
public:
    explicit AutoTimerPause(TBoard *board) : board(board) { board->SuspendAutoTimer(); }
    ~AutoTimerPause() { board->ResumeAutoTimer(); }
    AutoTimerPause(const AutoTimerPause &) = delete;
    AutoTimerPause &operator=(const AutoTimerPause &) = delete;

private:
    TBoard *board;
};

} // namespace

void TDeck::Click()
{
    TBoard *board = hostBoard;
    if (!board || board->IsDragging())
        return;
    board->Mouse.ClickMoveDone = false;
    if (engineState().Busy)
        return;
    AutoTimerPause pause(board);
    if (board->InClick)
        return;
    board->InClick = true;
    board->SetGameStarted(1);
    const EngineOptions &options = engineState().Options;

    if (topCard && !board->SelectedDeck) {
        if (options.HoverHighlight)
            board->SetHighLightedDeck(nullptr);
        bool action = true, clickable = false, actionOnClick = false;
        if (OnSelect) {
            TCard *asked = topCard;
            OnSelect(this, asked, action, true, clickable, actionOnClick);
        }
        // The handler may have dealt or moved cards: select only what is still there.
        if (action && (options.ClickEnabled() || AlwaysClickable) && topCard && !board->IsDragging()) {
            board->SelectedDeck = this;
            topCard->SetSelected(true);
        }
    } else if (TDeck *selected = board->SelectedDeck) {
        if (selected == this) {
            deselect(board);
        } else {
            TCard *card = selected->TopCard();
            deselect(board);
            bool action = card != nullptr;
            if (action && IsFull()) {
                action = false;
            } else if (action && OnAddWithRule) {
                if (OnBeforeMove)
                    OnBeforeMove(card, this, action);
                OnAddWithRule(this, card, action, true);
            }
            if (action) {
                board->SetGameStarted(1);
                // A handler that accepts with no card means "accepted, nothing more to move".
                if (card)
                    MoveCard(card);
            } else if (board->WarnEnabled) {
                InformPlayer(QStringLiteral("This move is not allowed"));
            } else if (selected->TopCard()) {
                board->SelectedDeck = selected;
                selected->TopCard()->SetSelected(true);
            }
            board->Mouse.ClickMoveDone = true;
        }
    } else if (!topCard && OnEmptySelect) {
        board->SetGameStarted(1);
        OnEmptySelect(this);
        board->SetGameStarted(1);
    }
    board->InClick = false;
    board->ClickedCard = nullptr;
}

void TDeck::DoubleClick()
{
    TBoard *board = hostBoard;
    if (!board || engineState().Busy)
        return;
    AutoTimerPause pause(board);
    const EngineOptions &options = engineState().Options;
    const bool dragOnly = options.DragEnabled() && !options.ClickEnabled();
    if (!topCard || !OnDoubleSelect || !(board->SelectedDeck == this || (dragOnly && !AlwaysClickable)))
        return;
    if (options.ClickEnabled() || !options.DragEnabled() || AlwaysClickable) {
        board->SetGameStarted(1);
        OnDoubleSelect(this);
        return;
    }
    bool action = true, clickable = true, actionOnClick = false;
    if (OnSelect) {
        TCard *asked = topCard;
        clickable = false;
        OnSelect(this, asked, action, false, clickable, actionOnClick);
    }
    if (action && clickable) {
        board->SetGameStarted(1);
        OnDoubleSelect(this);
    }
}

bool TCard::ClickMove()
{
    TDeck *source = hostDeck;
    TBoard *board = hostBoard;
    if (!source || !board)
        return false;
    if (source->OnSelect) {
        TCard *asked = source->TopCard();
        bool action = true, clickable = false, actionOnClick = false;
        source->OnSelect(source, asked, action, false, clickable, actionOnClick);
        if (actionOnClick) {
            source->Click();
            return true;
        }
        if (!action)
            return false;
    }
    TCard *card = this;
    TDeck *dest = nullptr;
    if (!board->FindClickTarget(card, dest, false) || !card)
        return false;
    if ((!board->SelectedDeck && source == dest) || dest == board->SelectedDeck) {
        board->ResetHintList();
        return false;
    }
    if (!board->SelectedDeck)
        board->SelectedDeck = source;
    AutoTimerPause pause(board);
    if (source->AlwaysClickable)
        dest->Click();
    else
        dest->MoveCard(card);
    return true;
}

bool TCard::HintMove()
{
    TDeck *source = hostDeck;
    TBoard *board = hostBoard;
    if (!source || !board)
        return false;
    TCard *card = this;
    TDeck *dest = nullptr;
    if (board->FindMove(card, dest, false) && dest
        && !((!board->SelectedDeck && source == dest) || dest == board->SelectedDeck)) {
        if (!board->SelectedDeck)
            board->SelectedDeck = source;
        dest->Click();
        return true;
    }
    board->ResetHintList();
    return false;
}
