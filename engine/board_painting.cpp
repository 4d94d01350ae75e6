// Painting the table: the background, the piles' places and the cards in z-order.
#include "engine/board.h"

#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {

const char *const rankTexts[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const char16_t suitSymbols[] = {u'?', u'\u2663', u'\u2666', u'\u2665', u'\u2660'};

// A card whose picture is not loaded: a plain rounded card with its rank and suit.
void paintPlainCard(QPainter &painter, const TCard &card, const QRect &place)
{
    const QRectF r = QRectF(place).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QColor(40, 40, 40));
    if (!card.Face()) {
        painter.setBrush(QColor(30, 60, 150));
        painter.drawRoundedRect(r, 4, 4);
        return;
    }
    painter.setBrush(card.Selected() ? QColor(40, 40, 40) : Qt::white);
    painter.drawRoundedRect(r, 4, 4);
    const int suit = card.Suit();
    const int rank = card.Rank();
    const bool red = suit == 2 || suit == 3;
    painter.setPen(card.Selected() ? Qt::white : (red ? QColor(200, 0, 0) : Qt::black));
    const QString label = QString::fromLatin1(rankTexts[rank >= 1 && rank <= 13 ? rank : 0])
        + QChar(suitSymbols[suit >= 1 && suit <= 4 ? suit : 0]);
    painter.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, label);
}

void paintEmptyPlace(QPainter &painter, const TBoard &board, const TDeck &deck)
{
    const int role = deck.ShowEmpty();
    if (role == NoMark || (role == PlainPile && !board.ShowEmptyOutline) || deck.DeckToAlign())
        return;
    const QSize card(cardPictures().CardWidth(), cardPictures().CardHeight());
    const QRectF r = QRectF(QRect(deck.BoundsRect().topLeft(), card)).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 110), 2));
    painter.drawRoundedRect(r, 5, 5);
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
    // A card shown whole while the right button is held lies over everything.
    if (PeekCard && PeekCard->BoundsRect().intersects(event->rect()))
        PaintCard(painter, *PeekCard, PeekCard->BoundsRect().topLeft());
}

void TBoard::PaintCard(QPainter &painter, const TCard &card, const QPoint &at) const
{
    const QImage &picture = card.Picture();
    const QRect place(at, card.BoundsRect().size());
    if (picture.isNull()) {
        paintPlainCard(painter, card, place);
        return;
    }
    painter.drawImage(place, picture);
    if (card.Face() && card.Selected()) {
        // Inverted inside the card's shape only.
        QImage inverted = picture.convertToFormat(QImage::Format_ARGB32);
        inverted.invertPixels(QImage::InvertRgb);
        painter.drawImage(place, inverted);
    }
}

void TBoard::PaintTable(QPainter &painter, const QRect &area)
{
    painter.save();
    painter.setClipRect(area);
    if (OnPaint)
        OnPaint(painter, area);
    else
        painter.fillRect(area, Color);
    painter.setRenderHint(QPainter::Antialiasing);

    for (const auto &deck : decks)
        if (deck->Visible() && deck->CardsCount() == 0 && deck->BoundsRect().intersects(area))
            paintEmptyPlace(painter, *this, *deck);

    std::vector<const TCard *> shown;
    shown.reserve(cards.size());
    for (const auto &card : cards)
        if (card->Visible() && card->HostDeck() && card->BoundsRect().intersects(area))
            shown.push_back(card.get());
    std::sort(shown.begin(), shown.end(), [](const TCard *a, const TCard *b) { return a->ZOrder() < b->ZOrder(); });
    for (const TCard *card : shown)
        PaintCard(painter, *card, card->BoundsRect().topLeft());
    painter.restore();
}

bool TBoard::AnimateTurn(TCard *, bool)
{
    // The turn is shown by the repaint that follows; the frame-by-frame turn is drawn by the painter.
    return false;
}
