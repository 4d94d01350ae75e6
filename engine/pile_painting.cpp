// Painting a pile: the thickness of a stacked pile and the mark of an empty pile, which
// tells its role.
#include "engine/painting.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"

#include <QPainter>
#include <vector>

namespace {

// A mark picture at the pile's place: at the origin when it has the card size, else
// centred and moved 3 pixels right and down.
void drawAlphaMark(QPainter &painter, const QImage &mark, const QPoint &origin, QSize card)
{
    if (mark.isNull())
        return;
    const QSize size = mark.deviceIndependentSize().toSize();
    if (size == card)
        Painting::DrawPicture(painter, mark, origin);
    else
        Painting::DrawPicture(painter, mark,
                              origin + QPoint((card.width() - size.width()) / 2 + 3, (card.height() - size.height()) / 2 + 3));
}

void drawFoundationMark(QPainter &painter, const TDeck &deck, const QPoint &origin, QSize card)
{
    const CardPictures &pictures = cardPictures();
    Painting::DrawPicture(painter, pictures.Picture(CardPictures::FoundationFrame), origin);
    const int value = deck.CardVal();
    const QString label = Painting::FoundationLabel(value);
    if (label.isEmpty())
        return;
    const bool alpha = pictures.AlphaBlending();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(card.width() < 71 ? 16 : 24); // 12 and 18 points at 96 dots per inch
    font.setStyleStrategy(alpha ? QFont::PreferAntialias : QFont::NoAntialias);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, alpha);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    painter.drawText(origin + QPoint(5, 2 + metrics.ascent()), label);
    painter.restore();
    if (!alpha)
        return;
    const QImage &backdrop = value == -1 ? pictures.QuestionBackdrop() : pictures.RankBackdrop();
    if (!backdrop.isNull()) {
        const QSize size = backdrop.deviceIndependentSize().toSize();
        Painting::DrawPicture(painter, backdrop,
                              origin + QPoint((card.width() - size.width()) / 2, (card.height() - size.height()) / 2));
    }
    const QImage &rank = pictures.FoundationRank(value == -1 ? 0 : value);
    if (!rank.isNull()) {
        const QSize size = rank.deviceIndependentSize().toSize();
        Painting::DrawPicture(painter, rank,
                              origin + QPoint((card.width() - size.width()) / 2, (card.height() - size.height() - 3) / 2));
    }
}

} // namespace

namespace Painting {

QString FoundationLabel(int cardVal)
{
    static const char *const names[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    if (cardVal == -1)
        return QStringLiteral("?");
    if (cardVal >= 1 && cardVal <= 13)
        return QString::fromLatin1(names[cardVal]);
    return QString();
}

void PaintPileStack(QPainter &painter, const TDeck &deck, const TCard &shown)
{
    if (deck.IsSpread() || deck.CardsCount() < 2)
        return;
    // The pile from its bottom card up to the card shown on top.
    std::vector<const TCard *> bottomUp;
    bottomUp.reserve(size_t(deck.CardsCount()));
    bool below = false;
    for (const TCard *card = deck.TopCard(); card; card = card->Below) {
        below = below || card == &shown;
        if (below)
            bottomUp.push_back(card);
    }
    if (bottomUp.size() < 2)
        return;
    std::reverse(bottomUp.begin(), bottomUp.end());
    const CardPictures &pictures = cardPictures();
    const QSize card(pictures.CardWidth(), pictures.CardHeight());
    const QPoint origin = deck.BoundsRect().topLeft();

    if (!deck.FlatPile() && deck.VShift() == 0 && deck.GShift() == 0) {
        // Raised: the card beneath the top one lies at the origin.
        const TCard *under = bottomUp[bottomUp.size() - 2];
        DrawPicture(painter, SidePicture(*under, under->Face()), origin);
        return;
    }
    // Flat: one edge per DeckScale cards, each the card that first reached that step. A
    // pile without any shift shows no edges at all.
    if (deck.GShift() == 0 && deck.VShift() == 0)
        return;
    const int scale = deck.DeckScale > 0 ? deck.DeckScale : 1;
    const int steps = (int(bottomUp.size()) - 1) / scale;
    const int allowance = qMax(4, pictures.CornerDepth() + 1);
    const QRect left(0, 0, qMin(card.width(), deck.GShift() + allowance), card.height());
    const QRect top(0, 0, card.width(), qMin(card.height(), deck.VShift() + allowance));
    for (int i = 0; i < steps; ++i) {
        const TCard *edge = bottomUp[size_t(i * scale)];
        const QImage picture = SidePicture(*edge, edge->Face());
        const QPoint at = origin + QPoint(deck.GShift() * i, deck.VShift() * i);
        DrawPicture(painter, picture, at, left);
        DrawPicture(painter, picture, at, top.adjusted(left.width(), 0, 0, 0));
    }
}

void PaintEmptyMark(QPainter &painter, const TBoard &board, const TDeck &deck)
{
    const CardPictures &pictures = cardPictures();
    const QSize card(pictures.CardWidth(), pictures.CardHeight());
    const QPoint origin = deck.BoundsRect().topLeft();
    const bool alpha = pictures.AlphaBlending();
    switch (deck.ShowEmpty()) {
    case PlainPile:
        if (board.ShowEmptyOutline)
            DrawPicture(painter, pictures.Picture(CardPictures::Outline), origin);
        break;
    case FoundationPile:
        drawFoundationMark(painter, deck, origin, card);
        break;
    case StockNoRedeal:
    case StockRedeal:
        if (alpha) {
            DrawPicture(painter, pictures.Picture(CardPictures::Outline), origin);
            drawAlphaMark(painter,
                          pictures.Picture(deck.ShowEmpty() == StockRedeal ? CardPictures::RedealPicture
                                                                           : CardPictures::CrossPicture),
                          origin, card);
        } else {
            DrawPicture(painter,
                        pictures.Picture(deck.ShowEmpty() == StockRedeal ? CardPictures::GreenRing
                                                                         : CardPictures::RedCross),
                        origin);
        }
        break;
    case SecondPlainMark:
        DrawPicture(painter, pictures.Picture(CardPictures::GreenArrow), origin);
        break;
    case FreeCellPile: {
        const QImage &ring = pictures.Picture(CardPictures::RingPicture);
        if (!alpha || ring.isNull() || ring.deviceIndependentSize().toSize() != card)
            DrawPicture(painter, pictures.Picture(CardPictures::GreenRing), origin);
        if (alpha)
            drawAlphaMark(painter, ring, origin, card);
        break;
    }
    case OutlineMark:
        if (alpha)
            DrawPicture(painter, pictures.Picture(CardPictures::GreenRing), origin);
        break;
    default: // NoMark and values no role has
        break;
    }
}

} // namespace Painting
