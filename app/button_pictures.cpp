#include "app/button_pictures.h"

#include "look/art/art_tools.h"

#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPalette>
#include <QPixmap>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace ButtonPictures {
namespace {

// Every picture is designed on a square of 32 units.
constexpr qreal Units = 32;

// The colours of the pictures.
const QColor CardWhite(250, 250, 250);
const QColor CardBlue(46, 86, 176);
const QColor ArrowBlue(38, 110, 205);
const QColor PlayGreen(40, 160, 60);
const QColor BulbYellow(250, 214, 50);
const QColor MetalGrey(160, 164, 172);
const QColor FolderTan(214, 170, 82);
const QColor FolderYellow(246, 206, 96);
const QColor DoorBrown(120, 72, 36);
const QColor DoorLight(176, 118, 62);
const QColor ExitRed(214, 40, 40);
const QColor LineGrey(150, 150, 150);

// The sixteen colours a palette display is sure to show.
const QRgb DisplayColours[] = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};

bool classicLook(Set set)
{
    return set == Set::OldStyle || set == Set::Palette;
}

// Draws shapes in picture units in the look of a set: the default sets fill with a soft
// gradient and an outline in the desktop's colour, the old style with flat colours, black
// outlines and no smoothing.
class Brush {
public:
    Brush(QPainter &painter, Set set, QColor outline, int size)
        : painter(painter), classic(classicLook(set)), outline(classic ? QColor(Qt::black) : outline)
    {
        // One logical pixel wide on small pictures, a little more on large ones.
        const qreal pixel = Units / size;
        outlineWidth = classic || size <= 20 ? pixel : pixel * 1.5;
        painter.setRenderHint(QPainter::Antialiasing, !classic);
    }

    void shape(const QPainterPath &path, QColor colour) const
    {
        fill(path, colour);
        painter.strokePath(path, QPen(outline, outlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }

    // A shape without an outline (fine lines and marks on other shapes).
    void fill(const QPainterPath &path, QColor colour) const
    {
        if (classic) {
            painter.fillPath(path, colour);
            return;
        }
        const QRectF box = path.boundingRect();
        QLinearGradient gradient(box.topLeft(), box.bottomLeft());
        gradient.setColorAt(0, colour.lighter(135));
        gradient.setColorAt(1, colour.darker(112));
        painter.fillPath(path, gradient);
    }

    // A line of the given width in units, as a shape of its own.
    void line(QPointF from, QPointF to, qreal width, QColor colour) const
    {
        QPainterPath path(from);
        path.lineTo(to);
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        fill(stroker.createStroke(path), colour);
    }

    QPainter &painter;
    bool classic;
    QColor outline;
    qreal outlineWidth = 1;
};

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath card(const QRectF &box, qreal degrees)
{
    QPainterPath path;
    path.addRoundedRect(box, 2.5, 2.5);
    QTransform turn;
    turn.translate(box.center().x(), box.center().y());
    turn.rotate(degrees);
    turn.translate(-box.center().x(), -box.center().y());
    return turn.map(path);
}

QPointF onCircle(QPointF centre, qreal radius, qreal degrees)
{
    const qreal angle = qDegreesToRadians(degrees);
    return {centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle)};
}

// A thick arc from start through span degrees (positive turns anticlockwise) that ends in an
// arrow head.
QPainterPath arcArrow(QPointF centre, qreal outer, qreal inner, qreal start, qreal span, qreal headLength)
{
    const qreal end = start + span;
    const qreal middle = (outer + inner) / 2;
    const qreal headHalf = (outer - inner) * 0.95;
    const qreal angle = qDegreesToRadians(end);
    const qreal turn = span > 0 ? 1 : -1;
    const QPointF along(-std::sin(angle) * turn, -std::cos(angle) * turn);
    const QRectF outerBox(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer);
    const QRectF innerBox(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
    QPainterPath path(onCircle(centre, outer, start));
    path.arcTo(outerBox, start, span);
    path.lineTo(onCircle(centre, middle + headHalf, end));
    path.lineTo(onCircle(centre, middle, end) + along * headLength);
    path.lineTo(onCircle(centre, middle - headHalf, end));
    path.lineTo(onCircle(centre, inner, end));
    path.arcTo(innerBox, end, -span);
    path.closeSubpath();
    return path;
}

QPainterPath textPath(const QString &text, const QRectF &box)
{
    QPainterPath path;
    path.addText(0, 0, CardArt::Tools::ArtFont(CardArt::Tools::FontFace::SansBold, 40), text);
    const QRectF ink = path.boundingRect();
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-ink.center().x(), -ink.center().y());
    return fit.map(path);
}

void drawSelectSolitaire(const Brush &brush)
{
    brush.shape(card(QRectF(4, 5, 15, 21), -12), CardBlue);
    brush.shape(card(QRectF(13, 6, 15, 21), 10), CardWhite);
    QTransform turn;
    turn.translate(20.5, 16.5);
    turn.rotate(10);
    turn.translate(-20.5, -16.5);
    brush.fill(turn.map(CardArt::Tools::SuitPath(4, QRectF(16, 12, 9, 9))), QColor(20, 20, 20));
}

void drawUndo(const Brush &brush, bool redo)
{
    QPainterPath arrow = arcArrow(QPointF(17, 19), 12, 6.5, -25, 205, 8);
    if (redo)
        arrow = QTransform(-1, 0, 0, 1, Units, 0).map(arrow);
    brush.shape(arrow, ArrowBlue);
}

void drawShowNextMove(const Brush &brush)
{
    QPainterPath bulb;
    bulb.addEllipse(QPointF(16, 12), 9.5, 9.5);
    bulb = bulb.united(polygon({{10.5, 17}, {21.5, 17}, {20, 23.5}, {12, 23.5}}));
    brush.shape(bulb, BulbYellow);
    QPainterPath base;
    base.addRoundedRect(QRectF(11.5, 23.5, 9, 6.5), 1.5, 1.5);
    brush.shape(base, MetalGrey);
    brush.line({12, 26.7}, {20, 26.7}, 1, LineGrey.darker(130));
    // The glow on the glass.
    QPainterPath glow;
    glow.addEllipse(QPointF(12.5, 9), 2.2, 3.2);
    brush.fill(glow, QColor(255, 252, 225));
}

void drawAutoplay(const Brush &brush)
{
    brush.shape(card(QRectF(3, 4, 15, 21), 0), CardWhite);
    brush.fill(CardArt::Tools::SuitPath(3, QRectF(6.5, 8.5, 8, 8)), QColor(210, 30, 40));
    brush.shape(polygon({{13, 15}, {21.5, 21.5}, {13, 28}}), PlayGreen);
    brush.shape(polygon({{21, 15}, {29.5, 21.5}, {21, 28}}), PlayGreen);
}

void drawStatistics(const Brush &brush)
{
    brush.line({3.5, 3}, {3.5, 29}, 2, LineGrey.darker(150));
    brush.line({3, 28.5}, {30, 28.5}, 2, LineGrey.darker(150));
    QPainterPath bar;
    bar.addRect(QRectF(7, 17, 6, 11));
    brush.shape(bar, QColor(214, 56, 48));
    bar.clear();
    bar.addRect(QRectF(15, 10, 6, 18));
    brush.shape(bar, PlayGreen);
    bar.clear();
    bar.addRect(QRectF(23, 4, 6, 24));
    brush.shape(bar, ArrowBlue);
}

void drawOptions(const Brush &brush)
{
    constexpr int Teeth = 8;
    QPolygonF rim;
    for (int step = 0; step < Teeth * 4; ++step) {
        const qreal degrees = step * 360.0 / (Teeth * 4) + 360.0 / (Teeth * 8);
        const bool tooth = step % 4 < 2;
        rim << onCircle(QPointF(16, 16), tooth ? 14 : 10.5, degrees);
    }
    QPainterPath gear;
    gear.addPolygon(rim);
    gear.closeSubpath();
    gear.addEllipse(QPointF(16, 16), 4.5, 4.5);
    gear.setFillRule(Qt::OddEvenFill);
    brush.shape(gear, MetalGrey);
}

void drawHelp(const Brush &brush)
{
    QPainterPath ring;
    ring.addEllipse(QPointF(16, 16), 13.5, 13.5);
    brush.shape(ring, ArrowBlue);
    brush.fill(textPath(QStringLiteral("?"), QRectF(10, 7, 12, 18)), Qt::white);
}

void drawNewGame(const Brush &brush)
{
    brush.shape(card(QRectF(5, 6, 17, 23), 0), CardBlue);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(8, 9, 11, 17), 1.5, 1.5);
    QPainterPath frame = inner.subtracted([] {
        QPainterPath hole;
        hole.addRoundedRect(QRectF(9.2, 10.2, 8.6, 14.6), 1, 1);
        return hole;
    }());
    brush.fill(frame, CardBlue.lighter(170));
    QPolygonF star;
    for (int point = 0; point < 8; ++point)
        star << onCircle(QPointF(24, 8), point % 2 == 0 ? 7.5 : 2.5, 90 + point * 45);
    QPainterPath sparkle;
    sparkle.addPolygon(star);
    sparkle.closeSubpath();
    brush.shape(sparkle, BulbYellow);
}

void drawRestartGame(const Brush &brush)
{
    brush.shape(card(QRectF(3, 3, 15, 21), 0), CardWhite);
    brush.shape(arcArrow(QPointF(19.5, 19.5), 10, 5.5, 100, -290, 6.5), PlayGreen);
}

void drawOpenGame(const Brush &brush)
{
    brush.shape(polygon({{2.5, 7}, {11.5, 7}, {14, 10}, {27.5, 10}, {27.5, 27}, {2.5, 27}}), FolderTan);
    brush.shape(polygon({{7, 14.5}, {30.5, 14.5}, {26, 27}, {2.5, 27}}), FolderYellow);
}

void drawSaveGame(const Brush &brush)
{
    brush.shape(polygon({{4, 4}, {25, 4}, {28, 7}, {28, 28}, {4, 28}}), CardBlue);
    QPainterPath shutter;
    shutter.addRect(QRectF(9.5, 4, 13, 9));
    brush.shape(shutter, MetalGrey);
    QPainterPath slot;
    slot.addRect(QRectF(17, 5.5, 3, 6));
    brush.fill(slot, CardBlue.darker(130));
    QPainterPath label;
    label.addRect(QRectF(8, 17, 16, 11));
    brush.shape(label, CardWhite);
    brush.line({10.5, 21}, {21.5, 21}, 1, LineGrey);
    brush.line({10.5, 24.5}, {21.5, 24.5}, 1, LineGrey);
}

void drawExit(const Brush &brush)
{
    QPainterPath frame;
    frame.addRect(QRectF(5, 3, 15, 26));
    brush.shape(frame, DoorBrown);
    brush.shape(polygon({{5, 3}, {14, 6}, {14, 31}, {5, 29}}), DoorLight);
    brush.shape(polygon({{15, 13.5}, {22, 13.5}, {22, 9.5}, {30.5, 16.5}, {22, 23.5}, {22, 19.5}, {15, 19.5}}),
                ExitRed);
}

void drawLog(const Brush &brush)
{
    brush.shape(polygon({{6, 3}, {20, 3}, {26, 9}, {26, 29}, {6, 29}}), CardWhite);
    brush.shape(polygon({{20, 3}, {20, 9}, {26, 9}}), QColor(215, 215, 215));
    for (const qreal y : {13.0, 17.0, 21.0, 25.0})
        brush.line({9.5, y}, {22.5, y}, 1.3, LineGrey);
}

void drawShape(int code, const Brush &brush)
{
    switch (code) {
    case 1: drawSelectSolitaire(brush); break;
    case 2: drawUndo(brush, false); break;
    case 3: drawUndo(brush, true); break;
    case 4: drawShowNextMove(brush); break;
    case 5: drawAutoplay(brush); break;
    case 6: drawStatistics(brush); break;
    case 7: drawOptions(brush); break;
    case 8: drawHelp(brush); break;
    case 9: drawNewGame(brush); break;
    case 10: drawRestartGame(brush); break;
    case 11: drawOpenGame(brush); break;
    case 12: drawSaveGame(brush); break;
    case 13: drawExit(brush); break;
    case 14: drawLog(brush); break;
    default: break;
    }
}

QRgb nearestDisplayColour(QRgb pixel)
{
    QRgb best = DisplayColours[0];
    int bestDistance = std::numeric_limits<int>::max();
    for (const QRgb colour : DisplayColours) {
        const int red = qRed(pixel) - qRed(colour), green = qGreen(pixel) - qGreen(colour);
        const int blue = qBlue(pixel) - qBlue(colour);
        const int distance = red * red * 3 + green * green * 4 + blue * blue * 2;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = colour;
        }
    }
    return best;
}

// Only the sixteen sure colours, each pixel either shown or not.
void reduceToDisplayColours(QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qAlpha(line[x]) < 128 ? 0 : nearestDisplayColour(line[x]) | 0xFF000000u;
    }
}

// The classic disabled look: the shape in grey over a white copy one pixel down and right.
QImage embossed(const QImage &picture, int offset)
{
    QImage result(picture.size(), QImage::Format_ARGB32);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    result.fill(Qt::transparent);
    const auto opaque = [&picture](int x, int y) {
        return x >= 0 && y >= 0 && x < picture.width() && y < picture.height() && qAlpha(picture.pixel(x, y)) >= 128;
    };
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (opaque(x, y))
                result.setPixel(x, y, qRgb(128, 128, 128));
            else if (opaque(x - offset, y - offset))
                result.setPixel(x, y, qRgb(255, 255, 255));
        }
    return result;
}

// The smooth disabled look: the picture in pale greys, partly transparent.
QImage greyed(const QImage &picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const int grey = 128 + (qGray(line[x]) - 128) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 55 / 100);
        }
    }
    return result;
}

struct PictureKey {
    int code;
    Set set;
    int size;
    int ratio; // hundredths
    bool disabled;
    QRgb outline;
    bool operator==(const PictureKey &) const = default;
};

size_t qHash(const PictureKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.code, int(key.set), key.size, key.ratio, key.disabled, key.outline);
}

// Each picture is drawn once for a size and ratio, then kept.
QPixmap cachedPicture(int code, Set set, int size, qreal ratio, bool disabled)
{
    static QHash<PictureKey, QPixmap> kept;
    const QColor outline = OutlineFor(QGuiApplication::palette());
    const PictureKey key{code, set, size, qRound(ratio * 100), disabled, outline.rgba()};
    auto found = kept.constFind(key);
    if (found != kept.constEnd())
        return *found;
    QPixmap picture = QPixmap::fromImage(Picture(code, set, size, ratio, disabled, outline));
    kept.insert(key, picture);
    return picture;
}

class PictureEngine : public QIconEngine {
public:
    PictureEngine(int code, Set set) : code(code), set(set) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const int side = std::min(rect.width(), rect.height());
        if (side <= 0)
            return;
        const QPixmap picture = cachedPicture(code, set, side, ratio, mode == QIcon::Disabled);
        painter->drawPixmap(QRect(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side),
                            picture);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // size is in device pixels.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        const qreal ratio = scale > 0 ? scale : 1.0;
        const int side = qRound(std::min(size.width(), size.height()) / ratio);
        if (side <= 0)
            return {};
        return cachedPicture(code, set, side, ratio, mode == QIcon::Disabled);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        const int side = set == Set::Large ? 32 : 16;
        return {QSize(side, side)};
    }

    QIconEngine *clone() const override { return new PictureEngine(code, set); }
    QString key() const override { return QStringLiteral("TarnwickButtonPicture"); }

private:
    int code;
    Set set;
};

} // namespace

Set ToolbarSet(bool largeButtons, bool oldStyle, int colourDepth)
{
    if (colourDepth <= 8)
        return Set::Palette;
    if (oldStyle)
        return Set::OldStyle;
    return largeButtons ? Set::Large : Set::Small;
}

Set MenuSet(bool oldStyle, int colourDepth)
{
    return ToolbarSet(false, oldStyle, colourDepth);
}

int GlyphSize(Set set, int largeButtonSize)
{
    return set == Set::Large ? qRound(largeButtonSize * 5 / 8.0) : 16;
}

QColor OutlineFor(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < 128 ? QColor(225, 225, 230) : QColor(40, 40, 48);
}

QImage Picture(int code, Set set, int size, qreal devicePixelRatio, bool disabled, QColor outline)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int pixels = std::max(1, qRound(size * ratio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.scale(size / Units, size / Units);
        const Brush brush(painter, set, outline, size);
        drawShape(code, brush);
    }
    if (set == Set::Palette) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        reduceToDisplayColours(image);
    }
    if (!disabled)
        return image;
    return classicLook(set) ? embossed(image.convertToFormat(QImage::Format_ARGB32), std::max(1, qRound(ratio)))
                            : greyed(image);
}

QIcon Icon(int code, Set set)
{
    return QIcon(new PictureEngine(code, set));
}

} // namespace ButtonPictures
