// The table turns the mouse into the events of its cards and piles: presses, clicks,
// double-clicks, the start of a drag, the drag itself, the right-button peek and the
// cursor over a pile that would take the selected cards.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/drag_state.h"
#include "engine/engine_state.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// A right-button action is a move click when Ctrl matches the "RightClick" choice.
bool isMoveClick(Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    return engineState().Options.RightClick ? !ctrl : ctrl;
}

} // namespace

const QCursor &DownArrowCursor()
{
    static const QCursor cursor = [] {
        QPixmap picture(32, 32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF arrow[] = {{12, 2}, {20, 2}, {20, 16}, {27, 16}, {16, 29}, {5, 16}, {12, 16}};
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setBrush(Qt::white);
        painter.drawPolygon(arrow, 7);
        painter.end();
        return QCursor(picture, 16, 29);
    }();
    return cursor;
}

void TBoard::mousePressEvent(QMouseEvent *event)
{
    // The mouse takes over: the focus frame goes, and so do cards the keys picked up.
    hideKeyFocus();
    const QPoint at = event->position().toPoint();
    TCard *card = CardAt(at);
    if (card && !card->HostDeck())
        card = nullptr;
    pressedCard = card;
    pressedDeck = card ? card->HostDeck() : DeckAt(at);
    pressPoint = at;
    if (!card)
        return;
    card->MouseDownPoint = at - card->BoundsRect().topLeft();
    if (drag || engineState().Busy)
        return;
    if (event->button() == Qt::RightButton && !isMoveClick(event->modifiers()) && card->Face()
        && card->HostDeck()->CanShowCard) {
        PeekCard = card;
        RepaintArea(card->BoundsRect());
    }
    if (event->button() == Qt::LeftButton && engineState().Options.DragEnabled())
        Mouse.PressedOnCard = true;
}

void TBoard::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (drag) {
        if (!Mouse.SimulatedDrag)
            dragOver(at);
        return;
    }
    if (pressedCard && Mouse.PressedOnCard && (event->buttons() & Qt::LeftButton)) {
        if (mayStartDrag(pressedCard, at, event->buttons(), event->modifiers())) {
            startDrag(pressedCard, pressedCard->MouseDownPoint);
            dragOver(at);
        }
        return;
    }
    TCard *card = CardAt(at);
    TDeck *deck = card && card->HostDeck() ? card->HostDeck() : DeckAt(at);
    if (deck)
        deck->ShowTip();
    showSelectionCursor(deck);
    if (engineState().Options.HoverHighlight && !engineState().Busy) {
        if (!deck) {
            SetHighLightedDeck(nullptr);
        } else if (card && card->HostDeck() == deck && card->Face()) {
            // The highlight marks the cards that a drag from here would take.
            bool action = card == deck->TopCard();
            if (deck->OnDragSelect)
                deck->OnDragSelect(card, action);
            SetHighLightedDeck(action ? deck : nullptr);
            if (action)
                for (TCard *c = deck->TopCard(); c; c = c->Below) {
                    c->SetHighLighted(true);
                    if (c == card)
                        break;
                }
        } else {
            SetHighLightedDeck(nullptr);
        }
    }
}

void TBoard::showSelectionCursor(TDeck *deck)
{
    bool accepts = false;
    if (deck && SelectedDeck && SelectedDeck != deck && SelectedDeck->TopCard() && !deck->IsFull()
        && deck->OnAddWithRule) {
        TCard *asked = SelectedDeck->TopCard();
        deck->OnAddWithRule(deck, asked, accepts, false);
    }
    if (accepts)
        setCursor(DownArrowCursor());
    else
        unsetCursor();
}

void TBoard::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const bool wasDoubleClick = Mouse.DoubleClicking;
    Mouse.DoubleClicking = false;
    Mouse.PressedOnCard = false;

    if (drag) {
        if (Mouse.SimulatedDrag)
            return;
        drag->Card->DragImagePos = at + drag->Grab;
        bool accepted = false;
        TDeck *target = dragTargetAt(at, accepted);
        if (accepted)
            dropOn(target);
        else
            cancelDrag();
        return;
    }

    TCard *card = pressedCard;
    TDeck *deck = pressedDeck;
    pressedCard = nullptr;
    pressedDeck = nullptr;

    if (event->button() == Qt::RightButton) {
        if (PeekCard) {
            const QRect area = PeekCard->BoundsRect();
            PeekCard = nullptr;
            RepaintArea(area);
            return;
        }
        if (card && card->HostDeck() && card->BoundsRect().contains(at) && isMoveClick(event->modifiers())) {
            SetGameStarted(1);
            card->ClickMove();
        }
        return;
    }
    if (event->button() != Qt::LeftButton || wasDoubleClick)
        return;

    // A click: the press and the release on the same card or pile.
    if (card && card->BoundsRect().contains(at) && card->HostDeck()) {
        unsetCursor();
        if (!engineState().Busy) {
            ClickedCard = card;
            card->HostDeck()->Click();
        }
    } else if (!card && deck && deck->BoundsRect().contains(at)) {
        deck->Click();
    }
    if ((event->modifiers() & Qt::ControlModifier) && card && card->HostDeck() && !Mouse.ClickMoveDone)
        if (TCard *top = card->HostDeck()->TopCard())
            top->HintMove();
}

void TBoard::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || drag)
        return;
    const QPoint at = event->position().toPoint();
    TCard *card = CardAt(at);
    if (card && card->HostDeck()) {
        Mouse.DoubleClicking = true;
        card->HostDeck()->DoubleClick();
    } else if (TDeck *deck = DeckAt(at)) {
        Mouse.DoubleClicking = true;
        deck->DoubleClick();
    }
}

void TBoard::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (engineState().Options.HoverHighlight && !drag)
        SetHighLightedDeck(nullptr);
}
