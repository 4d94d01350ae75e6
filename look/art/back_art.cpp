#include "look/art/art_tools.h"

#include <QPainter>
#include <QtMath>

using namespace CardArt::Tools;

namespace {

struct BackColours {
    QColor ground;
    QColor figure;
};

// Ground and figure colours of backs 1..12.
const BackColours standardBacks[12] = {
    {QColor(28, 70, 160), QColor(140, 180, 240)},  // 1 blue lattice
    {QColor(170, 24, 36), QColor(240, 170, 170)},  // 2 red lattice
    {QColor(20, 110, 60), QColor(70, 168, 110)},   // 3 green checks
    {QColor(20, 90, 150), QColor(130, 196, 232)},  // 4 blue waves
    {QColor(150, 20, 40), QColor(206, 70, 90)},    // 5 red diamonds
    {QColor(80, 40, 120), QColor(172, 132, 212)},  // 6 purple frames
    {QColor(0, 110, 120), QColor(196, 240, 240)},  // 7 teal stars
    {QColor(206, 104, 18), QColor(242, 172, 66)},  // 8 orange sunburst
    {QColor(24, 36, 90), QColor(230, 200, 90)},    // 9 navy dots
    {QColor(110, 20, 40), QColor(176, 66, 86)},    // 10 maroon stripes
    {QColor(186, 136, 28), QColor(244, 204, 96)},  // 11 gold scales
    {QColor(88, 94, 104), QColor(172, 178, 188)},  // 12 grey honeycomb
};

void lattice(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(QPen(colour, 0.9 * unit));
    const qreal step = 6 * unit;
    const qreal span = area.width() + area.height();
    for (qreal offset = -span; offset < span; offset += step) {
        painter.drawLine(QPointF(area.left() + offset, area.top()),
                         QPointF(area.left() + offset + area.height(), area.bottom()));
        painter.drawLine(QPointF(area.left() + offset + area.height(), area.top()),
                         QPointF(area.left() + offset, area.bottom()));
    }
}

void checks(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    const qreal step = 4 * unit;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    int row = 0;
    for (qreal y = area.top(); y < area.bottom(); y += step, ++row)
        for (qreal x = area.left() + (row % 2) * step; x < area.right(); x += 2 * step)
            painter.drawRect(QRectF(x, y, step, step));
}

void waves(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(QPen(colour, 1.2 * unit));
    painter.setBrush(Qt::NoBrush);
    const qreal step = 5 * unit;
    for (qreal y = area.top() - step; y < area.bottom() + step; y += step) {
        QPainterPath wave;
        wave.moveTo(area.left(), y);
        for (qreal x = area.left(); x <= area.right() + unit; x += unit / 2)
            wave.lineTo(x, y + 1.6 * unit * qSin((x - area.left()) / (3 * unit)));
        painter.drawPath(wave);
    }
}

void diamonds(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    const qreal width = 8 * unit;
    const qreal height = 11 * unit;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    int row = 0;
    for (qreal y = area.top(); y < area.bottom() + height; y += height / 2, ++row) {
        for (qreal x = area.left() + (row % 2) * width / 2; x < area.right() + width; x += width) {
            QPolygonF shape;
            shape << QPointF(x, y - height / 2 + unit) << QPointF(x + width / 2 - unit, y)
                  << QPointF(x, y + height / 2 - unit) << QPointF(x - width / 2 + unit, y);
            painter.drawPolygon(shape);
        }
    }
}

void frames(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(QPen(colour, unit));
    painter.setBrush(Qt::NoBrush);
    for (qreal inset = 2 * unit; inset * 2 < qMin(area.width(), area.height()); inset += 4 * unit)
        painter.drawRoundedRect(area.adjusted(inset, inset, -inset, -inset), 2 * unit, 2 * unit);
}

QPainterPath star(QPointF centre, qreal radius)
{
    QPainterPath path;
    for (int point = 0; point < 10; ++point) {
        const qreal angle = -M_PI / 2 + point * M_PI / 5;
        const qreal reach = point % 2 == 0 ? radius : radius * 0.42;
        const QPointF corner(centre.x() + reach * qCos(angle), centre.y() + reach * qSin(angle));
        if (point == 0)
            path.moveTo(corner);
        else
            path.lineTo(corner);
    }
    path.closeSubpath();
    return path;
}

void stars(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal step = 10 * unit;
    int row = 0;
    for (qreal y = area.top() + step / 2; y < area.bottom() + step; y += step * 0.75, ++row)
        for (qreal x = area.left() + (row % 2 ? step : step / 2); x < area.right() + step; x += step)
            painter.drawPath(star(QPointF(x, y), 3 * unit));
}

void sunburst(QPainter &painter, const QRectF &area, qreal, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPointF centre = area.center();
    const qreal reach = area.width() + area.height();
    const int rays = 24;
    for (int ray = 0; ray < rays; ray += 2) {
        const qreal from = ray * 2 * M_PI / rays;
        const qreal to = (ray + 1) * 2 * M_PI / rays;
        QPolygonF wedge;
        wedge << centre << QPointF(centre.x() + reach * qCos(from), centre.y() + reach * qSin(from))
              << QPointF(centre.x() + reach * qCos(to), centre.y() + reach * qSin(to));
        painter.drawPolygon(wedge);
    }
}

void dots(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal step = 6 * unit;
    int row = 0;
    for (qreal y = area.top() + step / 2; y < area.bottom() + step; y += step / 2, ++row)
        for (qreal x = area.left() + (row % 2 ? step : step / 2); x < area.right() + step; x += step)
            painter.drawEllipse(QPointF(x, y), 1.3 * unit, 1.3 * unit);
}

void stripes(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(QPen(colour, 2.5 * unit, Qt::SolidLine, Qt::FlatCap));
    const qreal step = 5 * unit;
    for (qreal offset = -area.height(); offset < area.width(); offset += step)
        painter.drawLine(QPointF(area.left() + offset, area.bottom()),
                         QPointF(area.left() + offset + area.height(), area.top()));
}

void scales(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(QPen(colour, unit));
    painter.setBrush(Qt::NoBrush);
    const qreal radius = 4 * unit;
    int row = 0;
    for (qreal y = area.top(); y < area.bottom() + radius; y += radius, ++row)
        for (qreal x = area.left() + (row % 2) * radius; x < area.right() + 2 * radius; x += 2 * radius)
            painter.drawArc(QRectF(x - radius, y - radius, 2 * radius, 2 * radius), 180 * 16, 180 * 16);
}

void honeycomb(QPainter &painter, const QRectF &area, qreal unit, const QColor &colour)
{
    painter.setPen(QPen(colour, 0.9 * unit));
    painter.setBrush(Qt::NoBrush);
    const qreal radius = 4 * unit;
    const qreal across = radius * qSqrt(3.0);
    int column = 0;
    for (qreal x = area.left(); x < area.right() + radius; x += radius * 1.5, ++column) {
        for (qreal y = area.top() + (column % 2) * across / 2; y < area.bottom() + across; y += across) {
            QPolygonF hexagon;
            for (int corner = 0; corner < 6; ++corner)
                hexagon << QPointF(x + radius * qCos(corner * M_PI / 3), y + radius * qSin(corner * M_PI / 3));
            painter.drawPolygon(hexagon);
        }
    }
}

void tartan(QPainter &painter, const QRectF &area, qreal unit, const QColor &ground, const QColor &band,
            const QColor &thread)
{
    painter.fillRect(area, ground);
    const qreal sett = 16 * unit;
    QColor wide = band;
    wide.setAlphaF(0.55);
    QColor fine = thread;
    fine.setAlphaF(0.8);
    for (qreal offset = 0; offset < qMax(area.width(), area.height()) + sett; offset += sett) {
        painter.fillRect(QRectF(area.left() + offset, area.top(), 6 * unit, area.height()), wide);
        painter.fillRect(QRectF(area.left(), area.top() + offset, area.width(), 6 * unit), wide);
        painter.fillRect(QRectF(area.left() + offset + 10 * unit, area.top(), 0.9 * unit, area.height()), fine);
        painter.fillRect(QRectF(area.left(), area.top() + offset + 10 * unit, area.width(), 0.9 * unit), fine);
    }
}

// The set's own back: a monogram in a ring with small diamonds in the corners.
void emblem(QPainter &painter, const QRectF &area, qreal unit, const QColor &gold, CardArt::Design design)
{
    const QPointF centre = area.center();
    const qreal radius = area.width() * 0.3;
    painter.setPen(QPen(gold, 1.4 * unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    painter.drawEllipse(centre, radius - 2.5 * unit, radius - 2.5 * unit);
    painter.setPen(gold);
    const QFont font = ArtFont(FontFace::SerifBold, radius * 1.2);
    const QFontMetricsF metrics(font);
    const QRectF ink = metrics.tightBoundingRect(QStringLiteral("T"));
    DrawCentredText(painter, QStringLiteral("T"), centre.x(), centre.y() - ink.height() / 2, font);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    const qreal size = 3 * unit;
    const QRectF inner = area.adjusted(5 * unit, 5 * unit, -5 * unit, -5 * unit);
    for (const QPointF &corner : {inner.topLeft(), inner.topRight(), inner.bottomLeft(), inner.bottomRight()}) {
        QPolygonF shape;
        shape << QPointF(corner.x(), corner.y() - size) << QPointF(corner.x() + size * 0.7, corner.y())
              << QPointF(corner.x(), corner.y() + size) << QPointF(corner.x() - size * 0.7, corner.y());
        painter.drawPolygon(shape);
    }
    if (design == CardArt::Design::Standard) {
        painter.setPen(QPen(gold, 0.8 * unit));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area.adjusted(2 * unit, 2 * unit, -2 * unit, -2 * unit));
    }
}

} // namespace

namespace CardArt {

QImage Back(Design design, int number, QSize card, qreal devicePixelRatio)
{
    number = qBound(1, number, 13);
    const Palette &palette = PaletteOf(design);
    const QSizeF size(card);
    const qreal unit = size.width() / 71.0;

    QImage picture = BlankPicture(card, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(QPen(palette.border, 1.0));
    painter.setBrush(palette.cardStock);
    painter.drawPath(CardOutline(size));

    const qreal margin = qMax(3.0, size.width() * 0.07);
    const QRectF area(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
    const qreal radius = CornerRadius(size) * 0.6;
    QPainterPath panel;
    panel.addRoundedRect(area, radius, radius);
    painter.setClipPath(panel);

    const bool highland = design == Design::Highland;
    if (highland && number == 1) {
        tartan(painter, area, unit, QColor(168, 22, 34), QColor(20, 40, 30), QColor(236, 214, 120));
    } else if (highland && number == 2) {
        tartan(painter, area, unit, QColor(24, 92, 54), QColor(16, 26, 60), QColor(222, 60, 60));
    } else if (number == 13) {
        if (highland) {
            tartan(painter, area, unit, QColor(26, 52, 120), QColor(18, 70, 44), QColor(240, 240, 240));
            emblem(painter, area, unit, QColor(240, 214, 120), design);
        } else {
            painter.fillRect(area, QColor(16, 96, 56));
            emblem(painter, area, unit, palette.gold, design);
        }
    } else {
        const BackColours &colours = standardBacks[number - 1];
        painter.fillRect(area, colours.ground);
        switch (number) {
        case 1:
        case 2: lattice(painter, area, unit, colours.figure); break;
        case 3: checks(painter, area, unit, colours.figure); break;
        case 4: waves(painter, area, unit, colours.figure); break;
        case 5: diamonds(painter, area, unit, colours.figure); break;
        case 6: frames(painter, area, unit, colours.figure); break;
        case 7: stars(painter, area, unit, colours.figure); break;
        case 8: sunburst(painter, area, unit, colours.figure); break;
        case 9: dots(painter, area, unit, colours.figure); break;
        case 10: stripes(painter, area, unit, colours.figure); break;
        case 11: scales(painter, area, unit, colours.figure); break;
        default: honeycomb(painter, area, unit, colours.figure); break;
        }
    }
    painter.setClipping(false);
    painter.setPen(QPen(QColor(255, 255, 255, 150), qMax(0.8, unit * 0.8)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(panel);
    return picture;
}

} // namespace CardArt
