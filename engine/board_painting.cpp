// Painting the table: the background, the marks of empty piles, then cards and the
// thickness of stacked piles in z-order, each over what lies beneath it.
#include "engine/board.h"

#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"
#include "engine/painting.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {

// One thing to draw: a card (whole or the strip left uncovered by the card on it) or
// the thickness of a stacked pile, which lies just beneath the pile's shown card.
struct PaintItem {
    std::uint64_t Key;
    const TCard *Card;
    const TDeck *Stack; // set for the thickness of a stacked pile
    QRect Part;         // card coordinates
};

// The part of `card` that `above` (the card on it, in the same pile) leaves uncovered,
// plus the corners of the card above, through which the card shows. Empty when the card
// on it covers the whole card; the whole card when the cards are not spread along one axis.
QRect uncoveredPart(const TCard &card, const TCard &above, int allowance)
{
    const QRect whole(QPoint(0, 0), card.BoundsRect().size());
    const int dx = above.Left() - card.Left();
    const int dy = above.Top() - card.Top();
    if (dx == 0 && dy == 0)
        return QRect();
    if (dx == 0) {
        const int height = std::abs(dy) + allowance;
        return dy > 0 ? QRect(0, 0, whole.width(), height) & whole
                      : QRect(0, whole.height() - height, whole.width(), height) & whole;
    }
    if (dy == 0) {
        const int width = std::abs(dx) + allowance;
        return dx > 0 ? QRect(0, 0, width, whole.height()) & whole
                      : QRect(whole.width() - width, 0, width, whole.height()) & whole;
    }
    return whole;
}

} // namespace

void TBoard::RepaintArea(const QRect &area)
{
    if (isVisible() && !area.isEmpty())
        update(area);
}

bool TBoard::IsAreaVisible(const QRect &area) const
{
    return isVisible() && !visibleRegion().intersected(area).isEmpty();
}

void TBoard::ResetBackgroundCache()
{
    backgroundCache = QImage();
    update();
}

void TBoard::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (drag) {
        paintDrag(painter, event->rect());
        return;
    }
    PaintTable(painter, event->rect());
    paintTurnFrame(painter);
    // A card shown whole while the right button is held lies over everything.
    if (PeekCard && PeekCard->BoundsRect().intersects(event->rect()))
        PaintCard(painter, *PeekCard, PeekCard->BoundsRect().topLeft());
    paintFocusFrame(painter);
}

void TBoard::paintFocusFrame(QPainter &painter)
{
    const QRect frame = FocusFrameRect();
    // The marked cards changed since the frame was drawn (a move, a deal): draw it again
    // where it was and where it goes.
    if (frame != paintedFocusFrame) {
        update(paintedFocusFrame.united(frame));
        paintedFocusFrame = frame;
    }
    if (frame.isEmpty())
        return;
    // The desktop's focus colour between a dark and a light line shows on every background.
    const auto band = [&painter](const QRect &outer, int width, const QColor &colour) {
        painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
        painter.fillRect(QRect(outer.left(), outer.bottom() - width + 1, outer.width(), width), colour);
        painter.fillRect(QRect(outer.left(), outer.top(), width, outer.height()), colour);
        painter.fillRect(QRect(outer.right() - width + 1, outer.top(), width, outer.height()), colour);
    };
    band(frame, 1, Qt::black);
    band(frame.adjusted(1, 1, -1, -1), 3, palette().color(QPalette::Active, QPalette::Highlight));
    band(frame.adjusted(4, 4, -4, -4), 1, Qt::white);
}

void TBoard::PaintTable(QPainter &painter, const QRect &area)
{
    painter.save();
    painter.setClipRect(area);
    if (OnPaint)
        OnPaint(painter, area);
    else
        painter.fillRect(area, Color);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const int allowance = qMax(4, cardPictures().CornerDepth() + 1);
    std::vector<const TDeck *> marks;
    std::vector<PaintItem> items;
    items.reserve(64);
    for (const auto &deck : decks) {
        if (!deck->Visible())
            continue;
        // Walk down from the top card; the first visible card is the one the pile shows.
        const TCard *shown = nullptr;
        const TCard *above = nullptr;
        for (const TCard *card = deck->TopCard(); card; above = card, card = card->Below) {
            if (!card->Visible())
                continue;
            if (!shown)
                shown = card;
            const QRect part = above && above->Visible()
                ? uncoveredPart(*card, *above, allowance)
                : QRect(QPoint(0, 0), card->BoundsRect().size());
            if (!part.isEmpty() && part.translated(card->BoundsRect().topLeft()).intersects(area))
                items.push_back({card->ZOrder() * 2 + 1, card, nullptr, part});
        }
        if (!shown) {
            if (deck->BoundsRect().intersects(area))
                marks.push_back(deck.get());
        } else if (!deck->IsSpread() && deck->CardsCount() > 1 && deck->BoundsRect().intersects(area)) {
            items.push_back({shown->ZOrder() * 2, shown, deck.get(), QRect()});
        }
    }
    // Cards that lie in no pile (a card in flight between piles, the won shower).
    for (const auto &card : cards)
        if (!card->HostDeck() && card->Visible() && card->BoundsRect().intersects(area))
            items.push_back({card->ZOrder() * 2 + 1, card.get(), nullptr, QRect(QPoint(0, 0), card->BoundsRect().size())});

    // The marks lie on the table, under every card.
    std::sort(marks.begin(), marks.end(), [](const TDeck *a, const TDeck *b) { return a->ZOrder() < b->ZOrder(); });
    for (const TDeck *deck : marks)
        Painting::PaintEmptyMark(painter, *this, *deck);

    std::sort(items.begin(), items.end(), [](const PaintItem &a, const PaintItem &b) { return a.Key < b.Key; });
    for (const PaintItem &item : items) {
        if (item.Stack)
            Painting::PaintPileStack(painter, *item.Stack, *item.Card);
        else
            Painting::DrawCard(painter, *this, *item.Card, item.Card->BoundsRect().topLeft(), item.Part);
    }
    painter.restore();
}
