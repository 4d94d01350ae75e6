#include "look/art/art_tools.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QStandardPaths>
#include <QFile>
#include <array>
#include <mutex>

namespace CardArt::Tools {

QImage BlankPicture(QSize card, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage picture(qRound(card.width() * ratio), qRound(card.height() * ratio),
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

qreal CornerRadius(QSizeF card)
{
    return qMax(3.0, card.width() * 0.075);
}

QPainterPath CardOutline(QSizeF card)
{
    QPainterPath path;
    const qreal radius = CornerRadius(card);
    path.addRoundedRect(QRectF(0.5, 0.5, card.width() - 1, card.height() - 1), radius, radius);
    return path;
}

bool IsRedSuit(int suit)
{
    return suit == 2 || suit == 3;
}

namespace {

// Suit outlines in a unit box; mapped onto the wanted box afterwards.
QPainterPath unitHeart()
{
    QPainterPath path;
    path.moveTo(0.5, 0.97);
    path.cubicTo(0.30, 0.76, 0.0, 0.56, 0.02, 0.30);
    path.cubicTo(0.04, 0.06, 0.36, -0.04, 0.5, 0.22);
    path.cubicTo(0.64, -0.04, 0.96, 0.06, 0.98, 0.30);
    path.cubicTo(1.0, 0.56, 0.70, 0.76, 0.5, 0.97);
    path.closeSubpath();
    return path;
}

QPainterPath unitDiamond()
{
    QPainterPath path;
    path.moveTo(0.5, 0.0);
    path.quadTo(0.66, 0.28, 0.92, 0.5);
    path.quadTo(0.66, 0.72, 0.5, 1.0);
    path.quadTo(0.34, 0.72, 0.08, 0.5);
    path.quadTo(0.34, 0.28, 0.5, 0.0);
    path.closeSubpath();
    return path;
}

QPainterPath unitSpade()
{
    QPainterPath path;
    path.moveTo(0.5, 0.0);
    path.cubicTo(0.70, 0.26, 1.0, 0.40, 0.98, 0.62);
    path.cubicTo(0.96, 0.84, 0.68, 0.88, 0.54, 0.70);
    path.quadTo(0.58, 0.90, 0.72, 1.0);
    path.lineTo(0.28, 1.0);
    path.quadTo(0.42, 0.90, 0.46, 0.70);
    path.cubicTo(0.32, 0.88, 0.04, 0.84, 0.02, 0.62);
    path.cubicTo(0.0, 0.40, 0.30, 0.26, 0.5, 0.0);
    path.closeSubpath();
    return path;
}

QPainterPath unitClub()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const qreal radius = 0.225;
    path.addEllipse(QPointF(0.5, 0.25), radius, radius);
    path.addEllipse(QPointF(0.255, 0.58), radius, radius);
    path.addEllipse(QPointF(0.745, 0.58), radius, radius);
    path.addEllipse(QPointF(0.5, 0.52), 0.12, 0.12);
    QPainterPath stem;
    stem.moveTo(0.5, 0.5);
    stem.quadTo(0.54, 0.88, 0.72, 1.0);
    stem.lineTo(0.28, 1.0);
    stem.quadTo(0.46, 0.88, 0.5, 0.5);
    stem.closeSubpath();
    path.addPath(stem);
    return path.simplified();
}

const QPainterPath &unitSuit(int suit)
{
    static const std::array<QPainterPath, 4> paths = {unitClub(), unitDiamond(), unitHeart(), unitSpade()};
    return paths[static_cast<size_t>(qBound(1, suit, 4) - 1)];
}

// The index signs are only a few pixels tall, where the pip club and spade blur into one
// blot: this club has three plainly separate leaves and this spade a sharp point and shoulders.
QPainterPath unitIndexClub()
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const qreal radius = 0.235;
    path.addEllipse(QPointF(0.5, 0.235), radius, radius);
    path.addEllipse(QPointF(0.235, 0.62), radius, radius);
    path.addEllipse(QPointF(0.765, 0.62), radius, radius);
    QPainterPath stem;
    stem.moveTo(0.44, 0.4);
    stem.lineTo(0.56, 0.4);
    stem.quadTo(0.58, 0.9, 0.76, 1.0);
    stem.lineTo(0.24, 1.0);
    stem.quadTo(0.42, 0.9, 0.44, 0.4);
    stem.closeSubpath();
    path.addPath(stem);
    return path;
}

QPainterPath unitIndexSpade()
{
    QPainterPath path;
    path.moveTo(0.5, 0.0);
    path.cubicTo(0.58, 0.16, 1.0, 0.36, 1.0, 0.62);
    path.cubicTo(1.0, 0.84, 0.7, 0.9, 0.56, 0.72);
    path.quadTo(0.58, 0.9, 0.76, 1.0);
    path.lineTo(0.24, 1.0);
    path.quadTo(0.42, 0.9, 0.44, 0.72);
    path.cubicTo(0.3, 0.9, 0.0, 0.84, 0.0, 0.62);
    path.cubicTo(0.0, 0.36, 0.42, 0.16, 0.5, 0.0);
    path.closeSubpath();
    return path;
}

const QPainterPath &unitIndexSuit(int suit)
{
    static const std::array<QPainterPath, 4> paths = {unitIndexClub(), unitDiamond(), unitHeart(), unitIndexSpade()};
    return paths[static_cast<size_t>(qBound(1, suit, 4) - 1)];
}

QPainterPath mapUnit(const QPainterPath &unit, const QRectF &box)
{
    QTransform transform;
    transform.translate(box.left(), box.top());
    transform.scale(box.width(), box.height());
    return transform.map(unit);
}

} // namespace

QPainterPath SuitPath(int suit, const QRectF &box)
{
    return mapUnit(unitSuit(suit), box);
}

QPainterPath IndexSuitPath(int suit, const QRectF &box)
{
    return mapUnit(unitIndexSuit(suit), box);
}

namespace {

struct LoadedFonts {
    std::array<QString, 4> families;
};

const LoadedFonts &loadedFonts()
{
    static const LoadedFonts fonts = [] {
        LoadedFonts result;
        const std::array<const char *, 4> files = {"DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf",
                                                   "DejaVuSerif-Bold.ttf", "DejaVuSans.ttf"};
        const std::array<const char *, 4> fallbacks = {"DejaVu Sans", "DejaVu Sans", "DejaVu Serif", "DejaVu Sans"};
        for (size_t i = 0; i < files.size(); ++i) {
            result.families[i] = QString::fromLatin1(fallbacks[i]);
            const QString relative = QStringLiteral("fonts/truetype/dejavu/") + QString::fromLatin1(files[i]);
            QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative);
            if (path.isEmpty() && QFile::exists(QStringLiteral("/usr/share/") + relative))
                path = QStringLiteral("/usr/share/") + relative;
            if (path.isEmpty())
                continue;
            const int id = QFontDatabase::addApplicationFont(path);
            const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
            if (!families.isEmpty())
                result.families[i] = families.first();
        }
        return result;
    }();
    return fonts;
}

} // namespace

QFont ArtFont(FontFace face, qreal pixelSize)
{
    QFont font(loadedFonts().families[static_cast<size_t>(face)]);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(face != FontFace::Sans);
    if (face == FontFace::SansCondensedBold)
        font.setStretch(QFont::Condensed);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DrawCentredText(QPainter &painter, const QString &text, qreal centreX, qreal top, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(text);
    painter.setFont(font);
    painter.drawText(QPointF(centreX - ink.left() - ink.width() / 2, top - ink.top()), text);
}

const Palette &PaletteOf(Design design)
{
    static const Palette standard{
        QColor(255, 255, 255), QColor(96, 96, 96), QColor(206, 14, 30), QColor(20, 20, 24),
        QColor(252, 238, 196), QColor(222, 170, 36), QColor(246, 212, 178), QColor(38, 74, 168),
        QColor(34, 58, 134), QColor(26, 112, 70), FontFace::SansCondensedBold};
    static const Palette highland{
        QColor(253, 249, 236), QColor(88, 72, 56), QColor(178, 18, 38), QColor(16, 30, 28),
        QColor(226, 236, 222), QColor(196, 150, 40), QColor(240, 206, 174), QColor(22, 96, 60),
        QColor(22, 84, 56), QColor(60, 52, 112), FontFace::SerifBold};
    return design == Design::Highland ? highland : standard;
}

} // namespace CardArt::Tools
