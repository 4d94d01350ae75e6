// Playing from the keyboard: a focused pile (and card), moved by the piles' places on
// screen, and keys that act through the very events and moves the mouse uses: a pick-up
// and drop are a drag, "F" is a double-click, Enter on the stock is a click.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"
#include "engine/drag_state.h"
#include "engine/engine_state.h"
#include "engine/table_accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QScrollArea>
#include <algorithm>
#include <cstdlib>

namespace {

// The margin the frame keeps around the cards it marks.
constexpr int FrameMargin = 5;

bool revealsFirst(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_F:
        return true;
    default:
        return false;
    }
}

bool isTableKey(int key)
{
    return revealsFirst(key) || key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Escape;
}

int centreX(const TDeck *deck)
{
    return deck->Left() + deck->Width() / 2;
}

// A click on the pile acts by itself (the stock deals, the empty stock redeals).
bool clickActs(TDeck *deck)
{
    if (!deck->TopCard())
        return static_cast<bool>(deck->OnEmptySelect);
    return deck->OnSelect && deck->AskSelect().ActionOnClick;
}

} // namespace

// ---------------------------------------------------------------- the focus

TDeck *TBoard::shownPileAt(TDeck *deck) const
{
    // Piles lying on one place (a waste on its fan) are one place to the player: the one
    // whose top card lies uppermost, or the first made when all are empty.
    TDeck *shown = deck;
    for (const auto &other : decks) {
        TDeck *pile = other.get();
        if (pile == deck || !pile->Visible() || pile->BoundsRect().topLeft() != deck->BoundsRect().topLeft())
            continue;
        const TCard *top = pile->TopCard();
        const TCard *best = shown->TopCard();
        if (top && (!best || top->ZOrder() > best->ZOrder()))
            shown = pile;
        else if (!top && !best && pile->DeckID() < shown->DeckID())
            shown = pile;
    }
    return shown;
}

std::vector<std::vector<TDeck *>> TBoard::focusRows() const
{
    std::vector<TDeck *> piles;
    for (const auto &deck : decks)
        if (deck->Visible() && deck->HostBoard() == this && !deck->BoundsRect().isEmpty()
            && shownPileAt(deck.get()) == deck.get())
            piles.push_back(deck.get());
    std::sort(piles.begin(), piles.end(), [](const TDeck *a, const TDeck *b) {
        return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    // A row: piles whose tops lie within half a card of the row's first.
    const int tolerance = std::max(1, cardPictures().CardHeight() / 2);
    std::vector<std::vector<TDeck *>> rows;
    for (TDeck *pile : piles) {
        if (rows.empty() || pile->Top() - rows.back().front()->Top() > tolerance)
            rows.emplace_back();
        rows.back().push_back(pile);
    }
    for (auto &row : rows)
        std::stable_sort(row.begin(), row.end(), [](const TDeck *a, const TDeck *b) { return a->Left() < b->Left(); });
    return rows;
}

TDeck *TBoard::FocusedDeck() const
{
    if (!focusDeck || !focusDeck->Visible())
        return nullptr;
    return shownPileAt(focusDeck);
}

TCard *TBoard::FocusedCard() const
{
    TDeck *deck = FocusedDeck();
    if (!deck)
        return nullptr;
    if (focusCard && focusCard->HostDeck() == deck && focusCard->Face() && focusCard->Visible())
        return focusCard;
    return deck->TopCard();
}

QRect TBoard::FocusFrameRect() const
{
    TDeck *deck = FocusedDeck();
    if (!focusShown || !deck)
        return {};
    TCard *card = FocusedCard();
    QRect marked = deck->BoundsRect();
    if (card && deck->IsSpread()) {
        marked = QRect();
        for (TCard *c = card; c; c = c->CardAbove())
            marked |= c->BoundsRect();
    } else if (card) {
        marked |= card->BoundsRect();
    }
    return marked.adjusted(-FrameMargin, -FrameMargin, FrameMargin, FrameMargin);
}

void TBoard::focusChanged()
{
    const QRect frame = FocusFrameRect();
    update(paintedFocusFrame.united(frame));
    TDeck *deck = FocusedDeck();
    if (!deck)
        return;
    deck->ShowTip();
    for (QWidget *up = parentWidget(); up; up = up->parentWidget())
        if (auto *area = qobject_cast<QScrollArea *>(up)) {
            area->ensureVisible(frame.center().x(), frame.center().y(), frame.width() / 2, frame.height() / 2);
            break;
        }
    if (QAccessible::isActive()) {
        // The focus item is the table's last accessible child.
        QAccessibleInterface *self = QAccessible::queryAccessibleInterface(this);
        const int item = self ? self->childCount() - 1 : -1;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(item);
        QAccessible::updateAccessibility(&focus);
        QAccessibleEvent name(this, QAccessible::NameChanged);
        name.setChild(item);
        QAccessible::updateAccessibility(&name);
    }
}

void TBoard::setKeyFocus(TDeck *deck, TCard *card)
{
    focusDeck = deck;
    focusCard = deck && card != deck->TopCard() ? card : nullptr;
}

void TBoard::hideKeyFocus()
{
    CancelKeyboardPickUp();
    if (!focusShown)
        return;
    focusShown = false;
    update(paintedFocusFrame);
}

void TBoard::moveFocusAlongRow(int step)
{
    // Reading order: along the row, and on from the end of one row to the next.
    std::vector<TDeck *> order;
    for (const auto &row : focusRows())
        order.insert(order.end(), row.begin(), row.end());
    const auto at = std::find(order.begin(), order.end(), FocusedDeck());
    if (at == order.end())
        return;
    const auto index = (at - order.begin()) + step;
    if (index >= 0 && index < std::ssize(order))
        setKeyFocus(order[std::size_t(index)], nullptr);
}

void TBoard::moveFocusAcrossRows(int step)
{
    TDeck *deck = FocusedDeck();
    TCard *card = FocusedCard();
    // Within a spread pile first: up to the deeper face-up card, down to the nearer one.
    if (deck->IsSpread() && card) {
        if (step < 0 && card->Below && card->Below->Face() && card->Below->Visible()) {
            setKeyFocus(deck, card->Below);
            return;
        }
        if (step > 0 && card != deck->TopCard()) {
            setKeyFocus(deck, card->CardAbove());
            return;
        }
    }
    // Then the nearest pile of a row above or below, keeping to the column where one goes on.
    const int tolerance = std::max(1, cardPictures().CardHeight() / 2);
    TDeck *nearest = nullptr;
    int nearestDistance = 0;
    for (const auto &row : focusRows())
        for (TDeck *pile : row) {
            const int down = (pile->Top() - deck->Top()) * step;
            if (down <= tolerance)
                continue;
            const int distance = down + 2 * std::abs(centreX(pile) - centreX(deck));
            if (!nearest || distance < nearestDistance) {
                nearest = pile;
                nearestDistance = distance;
            }
        }
    if (nearest)
        setKeyFocus(nearest, nullptr);
}

void TBoard::moveFocusToEnd(bool last)
{
    const auto rows = focusRows();
    if (!rows.empty())
        setKeyFocus(last ? rows.back().back() : rows.front().front(), nullptr);
}

QString TBoard::PileName(const TDeck *pile) const
{
    if (OnPileName)
        if (QString name = OnPileName(pile); !name.isEmpty())
            return name;
    switch (pile->ShowEmpty()) {
    case FoundationPile: return QStringLiteral("foundation");
    case StockNoRedeal:
    case StockRedeal: return QStringLiteral("stock");
    case FreeCellPile: return QStringLiteral("free cell");
    default: return QStringLiteral("pile");
    }
}

QString TBoard::FocusDescription() const
{
    TDeck *deck = FocusedDeck();
    if (!deck)
        return {};
    TCard *card = FocusedCard();
    const QString what = !card ? QStringLiteral("Empty")
        : card->Face()         ? SpokenCardName(card->CardFace())
                               : QStringLiteral("Face-down card");
    const int count = deck->CardsCount();
    QString text = what + QStringLiteral(", ") + PileName(deck) + QStringLiteral(", ")
        + (count == 1 ? QStringLiteral("1 card") : QStringLiteral("%1 cards").arg(count));
    if (TCard *held = KeyboardHeldCard(); held && card && (card == held || held->IsFaceUpBeneath(card)))
        text += QStringLiteral(", picked up");
    return text;
}

// ---------------------------------------------------------------- picking up and dropping

TCard *TBoard::KeyboardHeldCard() const
{
    // Whatever clears the selection (a move, the stock key, a new deal) ends the pick-up.
    if (!heldCard || !heldCard->HostDeck() || SelectedDeck != heldCard->HostDeck() || !heldCard->Selected())
        return nullptr;
    return heldCard;
}

void TBoard::CancelKeyboardPickUp()
{
    if (KeyboardHeldCard())
        ClearHighlightAndSelection();
    heldCard = nullptr;
}

void TBoard::pickUp(TCard *card)
{
    ClearHighlightAndSelection();
    if (!DragPermitted(card))
        return;
    SelectedDeck = card->HostDeck();
    card->SelectGroup(true);
    heldCard = card;
}

void TBoard::dropHeldCards(TDeck *dest)
{
    TCard *card = KeyboardHeldCard();
    if (!card)
        return;
    if (!AcceptsDrop(card, dest)) {
        // As a refused click: the message when warnings are on, else the cards stay taken.
        if (WarnEnabled) {
            CancelKeyboardPickUp();
            InformPlayer(QStringLiteral("This move is not allowed"));
        }
        return;
    }
    CancelKeyboardPickUp();
    if (!DragPermitted(card))
        return;
    // The drag the mouse would make: taken where it lies, dropped on the target.
    SetGameStarted(1);
    ResetHintList();
    Mouse.SimulatedDrag = true;
    startDrag(card, QPoint(cardPictures().CardWidth() / 2, cardPictures().CardHeight() / 2));
    drag->Target = dest;
    dropOn(dest);
    Mouse.SimulatedDrag = false;
}

void TBoard::keyboardClick(TDeck *deck)
{
    CancelKeyboardPickUp();
    ClearHighlightAndSelection();
    ClickedCard = deck->TopCard();
    deck->Click();
    // The keys take cards by picking them up, never by a click selection.
    if (SelectedDeck == deck)
        ClearHighlightAndSelection();
}

void TBoard::keyboardDoubleClick(TDeck *deck)
{
    CancelKeyboardPickUp();
    ClearHighlightAndSelection();
    TCard *top = deck->TopCard();
    if (!top)
        return;
    // What the first click of a double-click leaves: the pile selected.
    SelectedDeck = deck;
    top->SetSelected(true);
    deck->DoubleClick();
    if (SelectedDeck == deck)
        ClearHighlightAndSelection();
}

void TBoard::enterOnFocus()
{
    TDeck *deck = FocusedDeck();
    if (TCard *held = KeyboardHeldCard()) {
        if (held->HostDeck() == deck)
            keyboardDoubleClick(deck);
        else
            dropHeldCards(deck);
        return;
    }
    TCard *card = FocusedCard();
    if (clickActs(deck))
        keyboardClick(deck);
    else if (card && card->Face())
        pickUp(card);
    else if (card)
        keyboardClick(deck);
}

// ---------------------------------------------------------------- the keys

void TBoard::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !isTableKey(key)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (key == Qt::Key_Escape && !KeyboardHeldCard()) {
        event->ignore();
        return;
    }
    // The arrows would scroll the box around the table: the table keeps them.
    event->accept();
    if (engineState().Busy || drag || Moving || InClick)
        return;
    if (!FocusedDeck()) {
        focusDeck = nullptr;
        focusCard = nullptr;
    }
    const bool wasShown = focusShown;
    focusShown = true;
    if (!FocusedDeck()) {
        moveFocusToEnd(false);
        if (!FocusedDeck())
            return;
        if (revealsFirst(key)) {
            focusChanged();
            return;
        }
    }
    // A first key only shows where the focus is.
    if (!wasShown && revealsFirst(key)) {
        focusChanged();
        return;
    }
    switch (key) {
    case Qt::Key_Left: moveFocusAlongRow(-1); break;
    case Qt::Key_Right: moveFocusAlongRow(1); break;
    case Qt::Key_Up: moveFocusAcrossRows(-1); break;
    case Qt::Key_Down: moveFocusAcrossRows(1); break;
    case Qt::Key_Home: moveFocusToEnd(false); break;
    case Qt::Key_End: moveFocusToEnd(true); break;
    case Qt::Key_Escape: CancelKeyboardPickUp(); break;
    case Qt::Key_F: keyboardDoubleClick(FocusedDeck()); break;
    case Qt::Key_Space:
        if (clickActs(FocusedDeck()))
            keyboardClick(FocusedDeck());
        break;
    default: enterOnFocus(); break;
    }
    focusChanged();
}
