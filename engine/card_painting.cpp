// Painting one card: its picture over what lies beneath, with the completed-foundation
// mark, the hover tint and the selection.
#include "engine/painting.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"

#include <QPainter>
#include <map>
#include <tuple>

namespace {

const char *const rankTexts[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
const char16_t suitSymbols[] = {u'?', u'\u2663', u'\u2666', u'\u2665', u'\u2660'};

// A card of our own plain drawing, for a table whose pictures are not loaded: a rounded
// white card with its rank and suit, or a blue back.
QImage plainPicture(int cardFace, bool face, QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(face ? QColor(Qt::white) : QColor(30, 60, 150));
    painter.drawRoundedRect(r, 4, 4);
    if (!face)
        return picture;
    const int value = cardFace & 0xFFFF;
    const int suit = value / 256;
    const int rank = value % 256;
    const bool red = suit == 2 || suit == 3;
    painter.setPen(red ? QColor(200, 0, 0) : QColor(Qt::black));
    const QString label = QString::fromLatin1(rankTexts[rank >= 1 && rank <= 13 ? rank : 0])
        + QChar(suitSymbols[suit >= 1 && suit <= 4 ? suit : 0]);
    painter.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, label);
    return picture;
}

// Card looks that differ from the plain picture, made once and kept while the picture
// lives (a new card set gives new pictures and so new keys).
enum LookFlag { Completed = 1, Tint = 2, Invert = 4 };

QImage makeLook(const QImage &picture, int flags)
{
    QImage look = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    look.setDevicePixelRatio(picture.devicePixelRatio());
    if (flags & Completed) {
        const QImage &mark = cardPictures().Picture(CardPictures::CompletedMark);
        if (!mark.isNull()) {
            QPainter painter(&look);
            painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
            painter.drawImage(QRectF(QPointF(0, 0), look.deviceIndependentSize()), mark);
        }
    }
    if (flags & Tint)
        look = Painting::Tinted(look);
    if (flags & Invert)
        look = Painting::Inverted(look);
    return look;
}

const QImage &cachedLook(const QImage &picture, int flags)
{
    static std::map<std::tuple<qint64, qint64, int>, QImage> looks;
    const qint64 markKey = (flags & Completed) ? cardPictures().Picture(CardPictures::CompletedMark).cacheKey() : 0;
    const auto key = std::make_tuple(picture.cacheKey(), markKey, flags);
    auto found = looks.find(key);
    if (found != looks.end())
        return found->second;
    if (looks.size() >= 64)
        looks.clear();
    return looks.emplace(key, makeLook(picture, flags)).first->second;
}

bool isCompletedTop(const TBoard &board, const TCard &card)
{
    const TDeck *deck = card.HostDeck();
    return board.ShowFinished && deck && deck->ShowEmpty() == FoundationPile && deck->IsFull()
        && deck->TopCard() == &card;
}

} // namespace

namespace Painting {

QImage SidePicture(const TCard &card, bool face)
{
    const CardPictures &pictures = cardPictures();
    const QImage &picture = face ? pictures.Picture(TCard::FacePictureSlot(card.CardFace()))
        : (card.CardBack() == 100 && !pictures.CustomBack().isNull())
        ? pictures.CustomBack()
        : pictures.Picture(TCard::BackPictureSlot(card.CardBack()));
    if (!picture.isNull())
        return picture;
    static std::map<std::tuple<int, int, int>, QImage> plain;
    const QSize size(pictures.CardWidth(), pictures.CardHeight());
    const auto key = std::make_tuple(face ? card.CardFace() & 0xFFFF : -1, size.width(), size.height());
    auto found = plain.find(key);
    if (found == plain.end()) {
        if (plain.size() >= 128)
            plain.clear();
        found = plain.emplace(key, plainPicture(card.CardFace(), face, size)).first;
    }
    return found->second;
}

void DrawPicture(QPainter &painter, const QImage &picture, const QPoint &at, const QRect &part)
{
    if (picture.isNull() || part.isEmpty())
        return;
    const qreal ratio = picture.devicePixelRatio();
    if (ratio == 1.0) {
        painter.drawImage(at + part.topLeft(), picture, part);
        return;
    }
    const QRectF source(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio);
    painter.drawImage(QRectF(QPointF(at + part.topLeft()), QSizeF(part.size())), picture, source);
}

void DrawPicture(QPainter &painter, const QImage &picture, const QPoint &at)
{
    DrawPicture(painter, picture, at, QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
}

QImage Tinted(const QImage &picture)
{
    QImage tinted = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < tinted.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(tinted.scanLine(y));
        for (int x = 0; x < tinted.width(); ++x) {
            const QRgb pixel = line[x];
            const int red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
            line[x] = qRgba(red > 80 ? red - 25 : red, green > 80 ? green - 25 : green, blue > 80 ? blue - 65 : blue,
                            qAlpha(pixel));
        }
    }
    tinted = tinted.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    tinted.setDevicePixelRatio(picture.devicePixelRatio());
    return tinted;
}

QImage Inverted(const QImage &picture)
{
    QImage inverted = picture.convertToFormat(QImage::Format_ARGB32);
    inverted.invertPixels(QImage::InvertRgb);
    inverted = inverted.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    inverted.setDevicePixelRatio(picture.devicePixelRatio());
    return inverted;
}

void DrawCard(QPainter &painter, const TBoard &board, const TCard &card, const QPoint &at, const QRect &part)
{
    const QImage picture = SidePicture(card, card.Face());
    const int flags = (isCompletedTop(board, card) ? Completed : 0) | (card.HighLighted() ? Tint : 0)
        | (card.Selected() ? Invert : 0);
    DrawPicture(painter, flags ? cachedLook(picture, flags) : picture, at, part);
}

} // namespace Painting

void TBoard::PaintCard(QPainter &painter, const TCard &card, const QPoint &at) const
{
    Painting::DrawCard(painter, *this, card, at, QRect(QPoint(0, 0), card.BoundsRect().size()));
}
