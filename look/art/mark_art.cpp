#include "look/art/art_tools.h"

#include <QPainter>
#include <QtMath>

using namespace CardArt::Tools;

namespace {

const QColor markRed(210, 20, 30);
const QColor markGreen(30, 150, 60);

// White wherever the picture shows, with the picture's own coverage; transparent elsewhere.
QImage maskOf(const QImage &picture)
{
    QImage mask = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < mask.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < mask.width(); ++x) {
            const int alpha = qAlpha(line[x]);
            line[x] = qRgba(alpha, alpha, alpha, alpha);
        }
    }
    return mask;
}

QImage inverseShape(const QImage &shape)
{
    QImage inverse = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < inverse.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(inverse.scanLine(y));
        for (int x = 0; x < inverse.width(); ++x) {
            const int alpha = 255 - qAlpha(line[x]);
            line[x] = qRgba(alpha, alpha, alpha, alpha);
        }
    }
    return inverse;
}

struct Canvas {
    QImage picture;
    QPainter painter;
    QSizeF size;
    Canvas(QSize card, qreal ratio) : picture(BlankPicture(card, ratio)), painter(&picture), size(card)
    {
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    }
    QImage take()
    {
        painter.end();
        return picture;
    }
};

QImage redCross(QSize card, qreal ratio, bool soft)
{
    Canvas canvas(card, ratio);
    const QPointF centre(canvas.size.width() / 2, canvas.size.height() / 2);
    const qreal reach = canvas.size.width() * 0.22;
    const qreal width = canvas.size.width() * 0.09;
    auto stroke = [&](const QColor &colour, qreal penWidth, QPointF shift) {
        canvas.painter.setPen(QPen(colour, penWidth, Qt::SolidLine, Qt::RoundCap));
        canvas.painter.drawLine(centre + shift + QPointF(-reach, -reach), centre + shift + QPointF(reach, reach));
        canvas.painter.drawLine(centre + shift + QPointF(-reach, reach), centre + shift + QPointF(reach, -reach));
    };
    if (soft)
        stroke(QColor(0, 0, 0, 70), width * 1.3, QPointF(1, 1));
    stroke(markRed, width, QPointF());
    return canvas.take();
}

QImage greenRing(QSize card, qreal ratio)
{
    Canvas canvas(card, ratio);
    const QPointF centre(canvas.size.width() / 2, canvas.size.height() / 2);
    const qreal radius = canvas.size.width() * 0.26;
    canvas.painter.setPen(QPen(markGreen, canvas.size.width() * 0.08));
    canvas.painter.drawEllipse(centre, radius, radius);
    return canvas.take();
}

QImage outline(QSize card, qreal ratio, const QColor &colour, qreal inset, qreal penWidth)
{
    Canvas canvas(card, ratio);
    const qreal radius = CornerRadius(canvas.size);
    canvas.painter.setPen(QPen(colour, penWidth));
    canvas.painter.setBrush(Qt::NoBrush);
    const qreal edge = inset + penWidth / 2;
    canvas.painter.drawRoundedRect(
        QRectF(edge, edge, canvas.size.width() - 2 * edge, canvas.size.height() - 2 * edge), radius, radius);
    return canvas.take();
}

QImage foundationFrame(QSize card, qreal ratio)
{
    Canvas canvas(card, ratio);
    const qreal radius = CornerRadius(canvas.size);
    const qreal unit = canvas.size.width() / 71.0;
    canvas.painter.setPen(QPen(QColor(255, 255, 255, 150), qMax(1.0, 1.5 * unit)));
    canvas.painter.setBrush(QColor(255, 255, 255, 28));
    const qreal edge = qMax(1.0, 1.5 * unit) / 2 + 0.5;
    canvas.painter.drawRoundedRect(
        QRectF(edge, edge, canvas.size.width() - 2 * edge, canvas.size.height() - 2 * edge), radius, radius);
    return canvas.take();
}

QImage greenArrow(QSize card, qreal ratio)
{
    Canvas canvas(card, ratio);
    const qreal width = canvas.size.width();
    const qreal height = canvas.size.height();
    QPainterPath arrow;
    arrow.moveTo(width * 0.42, height * 0.28);
    arrow.lineTo(width * 0.58, height * 0.28);
    arrow.lineTo(width * 0.58, height * 0.52);
    arrow.lineTo(width * 0.72, height * 0.52);
    arrow.lineTo(width * 0.50, height * 0.74);
    arrow.lineTo(width * 0.28, height * 0.52);
    arrow.lineTo(width * 0.42, height * 0.52);
    arrow.closeSubpath();
    canvas.painter.setPen(QPen(QColor(10, 80, 30), qMax(0.8, width / 71.0)));
    canvas.painter.setBrush(markGreen);
    canvas.painter.drawPath(arrow);
    return canvas.take();
}

QImage borderedShape(QSize card, qreal ratio)
{
    Canvas canvas(card, ratio);
    canvas.painter.setPen(QPen(QColor(60, 60, 60), 1.0));
    canvas.painter.setBrush(Qt::white);
    canvas.painter.drawPath(CardOutline(canvas.size));
    return canvas.take();
}

QImage redealMark(QSize card, qreal ratio)
{
    Canvas canvas(card, ratio);
    const QPointF centre(canvas.size.width() / 2, canvas.size.height() / 2);
    const qreal radius = canvas.size.width() * 0.24;
    const qreal width = canvas.size.width() * 0.085;
    QPainterPath arc;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    arc.arcMoveTo(box, 60);
    arc.arcTo(box, 60, 280);
    // Arrow head at the arc's end (angle 340 degrees), pointing along the turn.
    const qreal end = qDegreesToRadians(340.0);
    const QPointF tip(centre.x() + radius * qCos(end), centre.y() - radius * qSin(end));
    const QPointF along(-qSin(end), -qCos(end));
    const QPointF across(qCos(end), -qSin(end));
    QPolygonF head;
    head << tip + along * (width * 1.6) << tip + across * (width * 1.3) << tip - across * (width * 1.3);
    for (int pass = 0; pass < 2; ++pass) {
        const QColor colour = pass == 0 ? QColor(255, 255, 255, 110) : QColor(40, 170, 70, 235);
        const qreal grow = pass == 0 ? width * 0.6 : 0;
        canvas.painter.setPen(QPen(colour, width + grow, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        canvas.painter.setBrush(Qt::NoBrush);
        canvas.painter.drawPath(arc);
        canvas.painter.setBrush(colour);
        canvas.painter.drawPolygon(head);
    }
    return canvas.take();
}

QImage freeCellRing(QSize card, qreal ratio)
{
    Canvas canvas(card, ratio);
    const QPointF centre(canvas.size.width() / 2, canvas.size.height() / 2);
    const qreal radius = canvas.size.width() * 0.26;
    canvas.painter.setPen(QPen(QColor(255, 255, 255, 120), canvas.size.width() * 0.07));
    canvas.painter.setBrush(QColor(255, 255, 255, 30));
    canvas.painter.drawEllipse(centre, radius, radius);
    return canvas.take();
}

// A rank picture: white bold text with a dark edge, in a box of its own size.
QImage rankPicture(const QString &text, QSize card, qreal ratio)
{
    const QSize box(qRound(card.width() * 0.56), qRound(card.height() * 0.36));
    Canvas canvas(box, ratio);
    QFont font = ArtFont(FontFace::SansBold, 64);
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, text);
    const QRectF bounds = glyphs.boundingRect();
    const qreal scale = qMin(box.width() * 0.9 / bounds.width(), box.height() * 0.8 / bounds.height());
    QTransform place;
    place.translate(box.width() / 2.0, box.height() / 2.0);
    place.scale(scale, scale);
    place.translate(-bounds.center().x(), -bounds.center().y());
    const QPainterPath shaped = place.map(glyphs);
    canvas.painter.setPen(QPen(QColor(20, 40, 30, 200), qMax(1.0, card.width() / 40.0), Qt::SolidLine,
                               Qt::RoundCap, Qt::RoundJoin));
    canvas.painter.setBrush(Qt::white);
    canvas.painter.drawPath(shaped);
    canvas.painter.setPen(Qt::NoPen);
    canvas.painter.drawPath(shaped);
    return canvas.take();
}

QImage aeroBall(QSize card, qreal ratio)
{
    const int diameter = qRound(qMin(card.width() * 0.72, card.height() * 0.54));
    Canvas canvas(QSize(diameter, diameter), ratio);
    const QPointF centre(diameter / 2.0, diameter / 2.0);
    QRadialGradient glow(centre, diameter / 2.0, QPointF(centre.x(), centre.y() - diameter * 0.2));
    glow.setColorAt(0.0, QColor(255, 255, 255, 120));
    glow.setColorAt(0.7, QColor(200, 240, 210, 60));
    glow.setColorAt(1.0, QColor(255, 255, 255, 20));
    canvas.painter.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    canvas.painter.setBrush(glow);
    canvas.painter.drawEllipse(centre, diameter / 2.0 - 0.5, diameter / 2.0 - 0.5);
    canvas.painter.setPen(Qt::NoPen);
    canvas.painter.setBrush(QColor(255, 255, 255, 90));
    canvas.painter.drawEllipse(QPointF(centre.x(), centre.y() - diameter * 0.27), diameter * 0.26, diameter * 0.12);
    return canvas.take();
}

QImage emptyValue(QSize card, qreal ratio)
{
    const int side = qRound(qMin(card.width() * 0.66, card.height() * 0.5));
    Canvas canvas(QSize(side, side), ratio);
    canvas.painter.setPen(QPen(QColor(255, 255, 255, 140), 1.0, Qt::DashLine));
    canvas.painter.setBrush(QColor(255, 255, 255, 40));
    canvas.painter.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), side * 0.2, side * 0.2);
    return canvas.take();
}

const char *const rankNames[] = {"tablquestion", "tabla", "tabl2", "tabl3", "tabl4", "tabl5", "tabl6",
                                 "tabl7", "tabl8", "tabl9", "tabl10", "tablj", "tablq", "tablk"};
const char *const rankLabels[] = {"?", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

} // namespace

namespace CardArt {

QImage CardShape(QSize card, qreal devicePixelRatio)
{
    Canvas canvas(card, devicePixelRatio);
    canvas.painter.setPen(Qt::NoPen);
    canvas.painter.setBrush(Qt::white);
    // The shape covers the card's border line, so a picture cut by it keeps its edge.
    const qreal radius = CornerRadius(canvas.size);
    canvas.painter.drawRoundedRect(QRectF(0, 0, canvas.size.width(), canvas.size.height()), radius + 0.5,
                                   radius + 0.5);
    return canvas.take();
}

QImage Mark(int slot, QSize card, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio;
    const qreal unit = card.width() / 71.0;
    switch (slot) {
    case 67: return redCross(card, ratio, false);
    case 68: return greenRing(card, ratio);
    case 69: return CardShape(card, ratio);
    case 70: return inverseShape(CardShape(card, ratio));
    case 71: return foundationFrame(card, ratio);
    case 72: return maskOf(foundationFrame(card, ratio));
    case 73: return maskOf(greenRing(card, ratio));
    case 74: return maskOf(redCross(card, ratio, false));
    case 75: return outline(card, ratio, QColor(0, 0, 0, 120), 0.0, qMax(1.0, unit));
    case 76: return maskOf(outline(card, ratio, QColor(0, 0, 0, 120), 0.0, qMax(1.0, unit)));
    case 77: return greenArrow(card, ratio);
    case 78: return maskOf(greenArrow(card, ratio));
    case 79: return borderedShape(card, ratio);
    case 80: return CardShape(card, ratio);
    case 88: return redealMark(card, ratio);
    case 89: return redCross(card, ratio, true);
    case 90: return freeCellRing(card, ratio);
    default: return QImage();
    }
}

QString FoundationRankName(int index)
{
    if (index < 0 || index > 13)
        return QString();
    return QString::fromLatin1(rankNames[index]);
}

QImage FoundationPicture(const QString &name, QSize card, qreal devicePixelRatio)
{
    if (name == QLatin1String("aeroball"))
        return aeroBall(card, devicePixelRatio);
    if (name == QLatin1String("emptyvalue"))
        return emptyValue(card, devicePixelRatio);
    for (int index = 0; index <= 13; ++index)
        if (name == QLatin1String(rankNames[index]))
            return rankPicture(QString::fromLatin1(rankLabels[index]), card, devicePixelRatio);
    return QImage();
}

} // namespace CardArt
