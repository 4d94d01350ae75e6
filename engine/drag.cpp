// Dragging cards: the start rules, the group image with its shadow over the table,
// the target's acceptance, the drop with its landing flight and the flight home.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"
#include "engine/drag_state.h"
#include "engine/engine_state.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QPainter>
#include <QThread>
#include <cstdlib>

namespace {

// Probe points of the image for a drop on the bare table: the corners of a reference card inset by 10.
const QPoint probes[] = {{10, 10}, {61, 10}, {10, 86}, {61, 86}};

int landingSteps(bool far)
{
    if (!far)
        return 2;
    static const int stepsBySetting[] = {35, 25, 19, 13, 6, 3, 1};
    const int setting = engineState().Options.DragSteps;
    return setting >= 1 && setting <= 7 ? stepsBySetting[setting - 1] : 6;
}

// A grab point outside the card takes the card by its middle.
int grabOffset(int point, int size)
{
    return point <= 0 || point >= size ? -(size / 2) - 1 : -point;
}

} // namespace

bool TBoard::IsDragging() const
{
    return drag != nullptr;
}

TCard *TBoard::DraggedCard() const
{
    return drag ? drag->Card : nullptr;
}

QRect TBoard::DragImageRect() const
{
    if (!drag)
        return {};
    return QRect(drag->Card->DragImagePos + drag->GroupCorner, drag->GroupSize);
}

bool TBoard::DragPermitted(TCard *card) const
{
    TDeck *deck = card ? card->HostDeck() : nullptr;
    if (!deck || card->HostBoard() != this || (SelectedDeck && SelectedDeck != deck) || !deck->Draggable
        || engineState().Busy || drag)
        return false;
    for (TCard *c = deck->TopCard(); c; c = c->Below) {
        if (!c->Face())
            return false;
        if (c == card)
            break;
    }

    bool action = true;
    bool clickable = false, actionOnClick = false;
    if (deck->OnSelect) {
        TCard *asked = deck->TopCard();
        deck->OnSelect(deck, asked, action, false, clickable, actionOnClick);
    }
    if (!action)
        return false;
    if (deck->OnDragSelect) {
        deck->OnDragSelect(card, action);
        return action;
    }
    if (card != deck->TopCard() || deck->SelectIsRefused())
        return false;
    if (deck->OnSelect) {
        TCard *asked = deck->TopCard();
        deck->OnSelect(deck, asked, action, false, clickable, actionOnClick);
    }
    return action;
}

bool TBoard::mayStartDrag(TCard *card, const QPoint &at, Qt::MouseButtons buttons,
                          Qt::KeyboardModifiers modifiers) const
{
    const EngineOptions &options = engineState().Options;
    if (Mouse.DoubleClicking || buttons != Qt::LeftButton || modifiers != Qt::NoModifier || !Mouse.PressedOnCard
        || pressedCard != card || !options.DragEnabled() || !DragPermitted(card))
        return false;
    const int threshold = options.CardMovement == DragAndDrop ? 1 : 5;
    const QPoint moved = at - pressPoint;
    return std::abs(moved.x()) > threshold || std::abs(moved.y()) > threshold;
}

void TBoard::startDrag(TCard *card, const QPoint &grabPoint)
{
    engineState().Busy = true;
    Mouse.PressedOnCard = false;
    if (engineState().Options.HoverHighlight)
        SetHighLightedDeck(nullptr);
    SuspendAutoTimer();

    drag = std::make_unique<DragState>();
    DragState &d = *drag;
    d.Card = card;
    d.Origin = card->HostDeck();
    card->DragImagePos = card->BoundsRect().topLeft();
    const QSize cardSize(cardPictures().CardWidth(), cardPictures().CardHeight());
    d.Grab = QPoint(grabOffset(grabPoint.x(), cardSize.width()), grabOffset(grabPoint.y(), cardSize.height()));
    card->GrabOffset = d.Grab;

    QRect groupRect;
    for (TCard *c = card; c; c = c->CardAbove()) {
        d.Group.push_back(c);
        groupRect |= c->BoundsRect();
    }
    d.GroupCorner = groupRect.topLeft() - card->BoundsRect().topLeft();
    d.GroupSize = groupRect.size();

    d.PixelRatio = devicePixelRatioF();
    d.GroupImage = QImage((QSizeF(d.GroupSize) * d.PixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    d.GroupImage.setDevicePixelRatio(d.PixelRatio);
    d.GroupImage.fill(Qt::transparent);
    {
        QPainter painter(&d.GroupImage);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (TCard *c : d.Group)
            PaintCard(painter, *c, c->BoundsRect().topLeft() - groupRect.topLeft());
    }

    d.ShadowOn = engineState().Options.ShadowEnabled;
    if (d.ShadowOn) {
        std::vector<QPoint> offsets;
        for (TCard *c : d.Group)
            offsets.push_back(((c->BoundsRect().topLeft() - groupRect.topLeft()) * d.PixelRatio));
        const bool vertical = d.Origin->EffectiveVShift() >= d.Origin->EffectiveGShift();
        d.Shadow.Build(ShadowStyle(), offsets, (QSizeF(cardSize) * d.PixelRatio).toSize(), vertical);
    }

    // The table as it looks without the group: the group leaves its pile at once.
    for (TCard *c : d.Group)
        c->SetVisible(false);
    if (TCard *below = card->Below; below && !below->Visible()) {
        below->SetVisible(true);
        d.RevealedBelow = below;
    }
    d.Background = QImage((QSizeF(size()) * d.PixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    d.Background.setDevicePixelRatio(d.PixelRatio);
    {
        QPainter painter(&d.Background);
        PaintTable(painter, rect());
    }
    repaint(groupRect);
    if (MyPlayCardDrag)
        engineState().PlaySound(EngineSound::CARDDRAG);
}

bool TBoard::AcceptsDrop(TCard *card, TDeck *target) const
{
    TDeck *origin = card ? card->HostDeck() : nullptr;
    // The own pile never takes the group back: a drop there is a cancel.
    if (!origin || !target || target == origin || target->IsFull())
        return false;
    bool accept = false;
    if (target->OnDragRule) {
        target->OnDragRule(card, target, accept);
    } else if (target->OnAddWithRule) {
        if (target->AcceptCardGroup || card == origin->TopCard()) {
            TCard *asked = card;
            target->OnAddWithRule(target, asked, accept, false);
        }
    }
    return accept;
}

TCard *TBoard::DroppedCard(TCard *card, TDeck *target) const
{
    if (!AcceptsDrop(card, target))
        return nullptr;
    if (target->OnAddWithRule) {
        TCard *picked = card;
        bool action = false;
        target->OnAddWithRule(target, picked, action, false);
        if (action && picked && picked->IsFaceUpBeneath(card) && card->HostDeck()->IsSpread())
            return picked;
    }
    return card;
}

TDeck *TBoard::dragTargetAt(const QPoint &cursor, bool &accepted)
{
    accepted = false;
    TDeck *target = nullptr;
    if (TCard *card = CardAt(cursor))
        target = card->HostDeck();
    else
        target = DeckAt(cursor);
    if (!target) {
        const QPoint corner = drag->Card->DragImagePos;
        for (const QPoint &probe : probes) {
            const QPoint at = corner + probe;
            if (TCard *card = CardAt(at)) {
                target = card->HostDeck();
                break;
            }
            TDeck *deck = DeckAt(at);
            if (deck && deck != drag->Origin) {
                target = deck;
                break;
            }
        }
    }
    accepted = AcceptsDrop(drag->Card, target);
    return target;
}

void TBoard::moveDragImage(const QPoint &topLeft)
{
    const QRect before = DragImageRect();
    drag->Card->DragImagePos = topLeft;
    const QRect after = DragImageRect();
    QRect area = before.united(after);
    if (drag->ShadowOn)
        area.adjust(0, 0, shadowOffset + 2, shadowOffset + 2);
    repaint(area);
}

void TBoard::dragOver(const QPoint &cursor)
{
    Mouse.DragMoved = false;
    // The target is looked for where the image goes.
    const QPoint before = drag->Card->DragImagePos;
    const QPoint next = cursor + drag->Grab;
    drag->Card->DragImagePos = next;
    bool accepted = false;
    TDeck *target = dragTargetAt(cursor, accepted);
    drag->Card->DragImagePos = before;
    if (accepted) {
        SetGameStarted(1);
        ResetHintList();
    }
    drag->Target = accepted ? target : nullptr;
    setCursor(accepted ? DownArrowCursor() : QCursor(Qt::ForbiddenCursor));
    moveDragImage(next);
    Mouse.DragMoved = true;
}

void TBoard::flyDragImage(const QPoint &to)
{
    const QPoint from = drag->Card->DragImagePos;
    const QPoint gap = to - from;
    const bool far = std::abs(gap.x()) > 8 || std::abs(gap.y()) > 8;
    const int steps = landingSteps(far);
    const QPoint above = to - QPoint(0, 6);
    const bool shown = isVisible();
    for (int i = 1; i <= steps; ++i) {
        QElapsedTimer frame;
        frame.start();
        moveDragImage(from + (above - from) * i / steps);
        if (shown)
            PaceFrame(frame, 10);
    }
    for (int i = 1; i <= 4; ++i) {
        QElapsedTimer frame;
        frame.start();
        moveDragImage(above + (to - above) * i / 4);
        if (shown)
            PaceFrame(frame, 10);
    }
}

void TBoard::endDrag(bool backHome)
{
    const QRect area = DragImageRect().adjusted(0, 0, shadowOffset + 2, shadowOffset + 2);
    if (backHome) {
        for (TCard *c : drag->Group)
            c->SetVisible(true);
        if (drag->RevealedBelow)
            drag->RevealedBelow->SetVisible(false);
    }
    drag.reset();
    unsetCursor();
    repaint(area);
}

TCard *TBoard::moveDroppedCards(TCard *card, TDeck *dest, bool &openedGroup)
{
    TDeck *origin = card->HostDeck();
    if (origin->TopCard())
        origin->TopCard()->SetSelected(false);
    ClearHighlightAndSelection();
    if (dest->OnBeforeMove) {
        bool ignored = true;
        dest->OnBeforeMove(card, dest, ignored);
    }
    openedGroup = false;
    if (Recording) {
        if (dest->OnAfterMove && !InGroup) {
            BeginMoveGroup();
            openedGroup = true;
        }
        RecordMove(origin, dest, card);
    }
    // The cards change piles at once, without a flight.
    TCard *last = card;
    for (TCard *moving = card; moving;) {
        TCard *next = origin->RemoveCard(moving);
        dest->AddCard(moving);
        moving->BringToFront();
        last = moving;
        moving = next;
    }
    ResetHintList();
    return last;
}

void TBoard::finishDrop(TDeck *origin, TDeck *dest, TCard *last, bool openedGroup)
{
    if (Recording && dest->OnAfterMove) {
        dest->OnAfterMove(origin, dest, last);
        if (openedGroup)
            EndMoveGroup();
    }
}

void TBoard::DropWithoutFlight(TCard *card, TDeck *dest)
{
    if (!card || !card->HostDeck() || !dest || drag || engineState().Busy)
        return;
    // What an accepted drag-over does before the drop.
    SetGameStarted(1);
    ResetHintList();
    TDeck *origin = card->HostDeck();
    TCard *moving = DroppedCard(card, dest);
    if (!moving)
        moving = card;
    bool openedGroup = false;
    TCard *last = nullptr;
    {
        BusyGuard busy;
        last = moveDroppedCards(moving, dest, openedGroup);
    }
    finishDrop(origin, dest, last, openedGroup);
}

void TBoard::dropOn(TDeck *dest)
{
    const int oldRight = TableRight();
    const int oldBottom = TableBottom();
    TDeck *origin = drag->Origin;
    TCard *card = drag->Card;
    // The target may take the run from a deeper card: those cards move with the group.
    TCard *moving = DroppedCard(card, dest);
    if (!moving)
        moving = card;
    // A stacked pile shows only its new top card once the group has landed.
    for (TCard *c : drag->Group)
        c->SetVisible(true);
    bool openedGroup = false;
    TCard *last = moveDroppedCards(moving, dest, openedGroup);
    if (moving != card) {
        // The cards taken along already lie on the target while the group lands on them.
        for (TCard *c : drag->Group)
            c->SetVisible(false);
        {
            QPainter painter(&drag->Background);
            PaintTable(painter, rect());
        }
        for (TCard *c : drag->Group)
            c->SetVisible(true);
        repaint();
    }
    flyDragImage(card->BoundsRect().topLeft());
    endDrag(false);
    if (dest->IsFull() && dest->TopCard())
        dest->TopCard()->Repaint();
    if (MyPlayCardMove)
        engineState().PlaySound(EngineSound::PLYSEL);
    if (isVisible())
        QThread::msleep(10);
    engineState().Busy = false;
    finishDrop(origin, dest, last, openedGroup);
    ResumeAutoTimer();
    UpdateScrollRange(oldRight, oldBottom);
}

void TBoard::cancelDrag()
{
    TDeck *origin = drag->Origin;
    if (origin->TopCard())
        origin->TopCard()->SetSelected(false);
    ClearHighlightAndSelection();
    flyDragImage(drag->Card->BoundsRect().topLeft());
    endDrag(true);
    if (origin->IsFull() && origin->TopCard())
        origin->TopCard()->Repaint();
    if (isVisible())
        QThread::msleep(10);
    engineState().Busy = false;
    ResumeAutoTimer();
    if (origin->OnAfterDragCancelled)
        origin->OnAfterDragCancelled(origin);
}

void TBoard::paintDrag(QPainter &painter, const QRect &area)
{
    DragState &d = *drag;
    const QRect device = QRect((QPointF(area.topLeft()) * d.PixelRatio).toPoint(), (QSizeF(area.size()) * d.PixelRatio).toSize())
                             .intersected(d.Background.rect());
    if (device.isEmpty())
        return;
    if (d.Frame.size() != device.size() || d.Frame.isNull())
        d.Frame = QImage(device.size(), QImage::Format_ARGB32_Premultiplied);
    // One off-screen frame: the table without the group, the shadow, then the group.
    {
        QPainter frame(&d.Frame);
        frame.setCompositionMode(QPainter::CompositionMode_Source);
        frame.drawImage(QPoint(0, 0), d.Background, device);
    }
    if (d.ImageShown) {
        const QPoint groupAt = ((QPointF(DragImageRect().topLeft()) * d.PixelRatio).toPoint()) - device.topLeft();
        if (d.ShadowOn)
            d.Shadow.Apply(d.Frame, groupAt);
        QPainter frame(&d.Frame);
        QImage image = d.GroupImage;
        image.setDevicePixelRatio(1);
        frame.drawImage(groupAt, image);
    }
    d.Frame.setDevicePixelRatio(d.PixelRatio);
    painter.drawImage(QPointF(QPointF(device.topLeft()) / d.PixelRatio), d.Frame);
    d.Frame.setDevicePixelRatio(1);
}

void TBoard::EraseDragImage(TCard *card)
{
    if (!drag || card != drag->Card)
        return;
    drag->ImageShown = false;
    repaint(DragImageRect().adjusted(0, 0, shadowOffset + 2, shadowOffset + 2));
}

void TBoard::RedrawDragImage(TCard *card)
{
    if (!drag || card != drag->Card)
        return;
    drag->ImageShown = true;
    dragOver(mapFromGlobal(QCursor::pos()));
}

void TBoard::AnimateDrag(TCard *card, TDeck *dest)
{
    if (!card || !dest || !card->HostDeck() || engineState().Busy || drag)
        return;
    const QPoint start = card->BoundsRect().topLeft() + QPoint(35, 35);
    const QPoint end = dest->TopCard()
        ? dest->TopCard()->BoundsRect().topLeft() + QPoint(dest->EffectiveGShift(), dest->EffectiveVShift()) + QPoint(35, 35)
        : dest->BoundsRect().topLeft() + QPoint(35, 35);
    Mouse.SimulatedDrag = true;
    startDrag(card, QPoint(10, 10));
    const bool shown = isVisible();
    for (int i = 1; i <= 42; ++i) {
        QElapsedTimer frame;
        frame.start();
        dragOver(start + (end - start) * (i - 1) / 41);
        if (shown)
            PaceFrame(frame, 10);
    }
    dropOn(dest);
    SetGameStarted(1);
    ResetHintList();
    Mouse.SimulatedDrag = false;
}
