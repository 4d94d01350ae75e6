#include "look/art/art_tools.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>
#include <cmath>

using namespace CardArt::Tools;

namespace {

const char *const rankTexts[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

void drawCardBase(QPainter &painter, QSizeF card, const Palette &palette)
{
    painter.setPen(QPen(palette.border, 1.0));
    painter.setBrush(palette.cardStock);
    painter.drawPath(CardOutline(card));
}

// The rotation by 180 degrees about the card's centre, for the lower half of every face.
void turnAround(QPainter &painter, QSizeF card)
{
    painter.translate(card.width(), card.height());
    painter.rotate(180);
}

// Where the corner index goes, in logical pixels of the card. The rank fills the column a
// horizontal fan leaves visible, with a suit sign below it for that fan; a second suit sign
// beside the rank is what a vertical spread's top strip shows with it. Pips and court panels
// start below the index.
struct IndexLayout {
    QRectF rank; // from the cap line to the baseline
    QRectF sideSuit;
    QRectF lowerSuit;
    qreal clearTop = 0;
};

IndexLayout indexLayout(QSizeF card)
{
    const qreal width = card.width();
    const qreal height = card.height();
    // The strips scale with the card from the normal size, and the board rounds them to whole
    // pixels, so they may come out half a pixel either side of the exact value.
    const QSizeF reference(CardArt::NominalCardSize(1));
    const qreal exactLeftStrip = CardArt::NarrowestHorizontalSpread * width / reference.width();
    const qreal topStrip = CardArt::NarrowestVerticalSpread * height / reference.height() - 0.5;
    const qreal rankLeft = qMax(1.6, width * 0.028);
    const qreal rankRight = exactLeftStrip - 0.5 - qMax(0.7, width * 0.015);
    const qreal rankTop = qMax(2.0, height * 0.03);
    const qreal rankHeight = qMin(height * 0.11, topStrip - rankTop - 1.5);
    const qreal suitWidth = width * 0.13;
    const qreal suitHeight = qMin(suitWidth * 1.1, rankHeight);

    IndexLayout layout;
    layout.rank = QRectF(rankLeft, rankTop, rankRight - rankLeft, rankHeight);
    // Wholly past the fan's edge, however that edge was rounded, so no sign is cut in half.
    const qreal sideLeft = exactLeftStrip + 0.5 + qMax(0.6, width * 0.01);
    layout.sideSuit = QRectF(sideLeft, layout.rank.center().y() - suitHeight / 2, suitWidth, suitHeight);
    const qreal lowerWidth = qMin(suitWidth, layout.rank.width());
    layout.lowerSuit = QRectF(layout.rank.center().x() - lowerWidth / 2, layout.rank.bottom() + height * 0.05,
                              lowerWidth, lowerWidth * 1.1);
    layout.clearTop = layout.sideSuit.bottom() + qMax(1.0, height * 0.012);
    return layout;
}

// A rank's outline in units of its cap height: ink from x = 0 to width, cap line at y = 0 and
// baseline at y = 1. "10" is set with its digits close together so it fits a narrow column.
struct RankShape {
    QPainterPath path;
    qreal width = 0;
};

RankShape makeRankShape(FontFace face, int rank)
{
    const QFont font = ArtFont(face, 200);
    const qreal capHeight = QFontMetricsF(font).tightBoundingRect(QStringLiteral("H")).height();
    QPainterPath path;
    if (rank == 10) {
        QPainterPath one, zero;
        one.addText(0, 0, font, QStringLiteral("1"));
        zero.addText(0, 0, font, QStringLiteral("0"));
        path = one;
        path.addPath(zero.translated(one.boundingRect().right() + capHeight * 0.07 - zero.boundingRect().left(), 0));
    } else {
        path.addText(0, 0, font, QString::fromLatin1(rankTexts[rank]));
    }
    QTransform unit;
    unit.scale(1 / capHeight, 1 / capHeight);
    unit.translate(-path.boundingRect().left(), capHeight);
    RankShape shape;
    shape.path = unit.map(path);
    shape.width = shape.path.boundingRect().right();
    return shape;
}

const RankShape &rankShape(FontFace face, int rank)
{
    static const auto shapes = [] {
        std::array<std::array<RankShape, 14>, 4> all;
        for (FontFace face : {FontFace::SansBold, FontFace::SansCondensedBold, FontFace::SerifBold, FontFace::Sans})
            for (int rank = 1; rank <= 13; ++rank)
                all[static_cast<size_t>(face)][static_cast<size_t>(rank)] = makeRankShape(face, rank);
        return all;
    }();
    return shapes[static_cast<size_t>(face)][static_cast<size_t>(qBound(1, rank, 13))];
}

// The rank fills the box's height (cap line and baseline on whole device pixels, for crisp
// edges), centred in its width and narrowed where it would be wider. Outlines are not hinted:
// at a few pixels a hairline of the ink's colour round them keeps thin and narrowed strokes
// from fading, larger ranks are filled only.
void drawRank(QPainter &painter, const QRectF &box, const RankShape &shape, const QColor &colour)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    const qreal line = box.height() * ratio < 24 ? qMin(0.6 / ratio, box.height() * 0.05) : 0;
    const qreal top = std::round(box.top() * ratio) / ratio + line / 2;
    const qreal height = std::round(box.bottom() * ratio) / ratio - line / 2 - top;
    const qreal width = qMin(shape.width * height, box.width() - line);
    QTransform place;
    place.translate(box.center().x() - width / 2, top);
    place.scale(width / shape.width, height);
    if (line > 0)
        painter.setPen(QPen(colour, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(place.map(shape.path));
}

void drawIndex(QPainter &painter, const IndexLayout &layout, int rank, int suit, const QColor &colour,
               const Palette &palette)
{
    drawRank(painter, layout.rank, rankShape(palette.indexFont, rank), colour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(IndexSuitPath(suit, layout.sideSuit));
    painter.drawPath(IndexSuitPath(suit, layout.lowerSuit));
}

// Pip positions as (column, row): columns 0 left, 1 centre, 2 right; rows from 0 (top) to 1.
struct Pip {
    int column;
    qreal row;
};

std::vector<Pip> pipLayout(int rank)
{
    const qreal third = 1.0 / 3.0;
    switch (rank) {
    case 2: return {{1, 0}, {1, 1}};
    case 3: return {{1, 0}, {1, 0.5}, {1, 1}};
    case 4: return {{0, 0}, {2, 0}, {0, 1}, {2, 1}};
    case 5: return {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}};
    case 6: return {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    case 7: return {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}};
    case 8: return {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}};
    case 9:
        return {{0, 0}, {2, 0}, {0, third}, {2, third}, {1, 0.5}, {0, 2 * third}, {2, 2 * third}, {0, 1}, {2, 1}};
    case 10:
        return {{0, 0}, {2, 0}, {1, third / 2}, {0, third}, {2, third}, {0, 2 * third}, {2, 2 * third},
                {1, 1 - third / 2}, {0, 1}, {2, 1}};
    default: return {};
    }
}

void drawPips(QPainter &painter, QSizeF card, int suit, int rank, const QColor &colour, CardArt::Design design,
              const IndexLayout &index)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const qreal width = card.width();
    const qreal height = card.height();
    if (rank == 1) {
        const qreal size = width * (suit == 4 ? 0.50 : 0.42);
        const QRectF box(width / 2 - size / 2, height / 2 - size * 0.55, size, size * 1.1);
        painter.drawPath(SuitPath(suit, box));
        if (design == CardArt::Design::Highland) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colour, qMax(1.0, width / 71.0)));
            const qreal ring = size * 0.78;
            painter.drawEllipse(QPointF(width / 2, height / 2), ring, ring);
        }
        return;
    }
    const qreal pipWidth = width * 0.18;
    const qreal pipHeight = pipWidth * 1.1;
    const std::array<qreal, 3> columns = {width * 0.315, width * 0.5, width * 0.685};
    const qreal firstRow = qMax(height * 0.19, index.clearTop + pipHeight / 2);
    const qreal lastRow = height - firstRow;
    for (const Pip &pip : pipLayout(rank)) {
        const QPointF centre(columns[static_cast<size_t>(pip.column)], firstRow + (lastRow - firstRow) * pip.row);
        painter.save();
        painter.translate(centre);
        if (pip.row > 0.5)
            painter.rotate(180);
        painter.drawPath(SuitPath(suit, QRectF(-pipWidth / 2, -pipHeight / 2, pipWidth, pipHeight)));
        painter.restore();
    }
}

struct CourtColours {
    QColor robe;
    QColor collar;
    QColor accent;
};

CourtColours courtColours(const Palette &palette, int suit, int rank)
{
    const bool red = IsRedSuit(suit);
    const QColor main = red ? palette.red : palette.blackMain;
    const QColor second = red ? palette.redSecondary : palette.blackSecondary;
    switch (rank) {
    case 13: return {main, palette.gold, second};
    case 12: return {second, main, palette.gold};
    default: return {main, second, palette.gold};
    }
}

// The upper half of a court figure inside the panel's upper half.
void drawCourtHalf(QPainter &painter, const QRectF &half, int suit, int rank, const Palette &palette)
{
    const CourtColours colours = courtColours(palette, suit, rank);
    const qreal width = half.width();
    const qreal centreX = half.center().x();
    const qreal headRadius = width * 0.15;
    const QPointF head(centreX, half.top() + half.height() * 0.46);
    const qreal line = qMax(0.6, width / 40.0);
    const QColor ink(40, 32, 32);

    // Robe from the neck down to the middle line, with a collar.
    QPainterPath robe;
    robe.moveTo(centreX - headRadius * 0.55, head.y() + headRadius * 0.8);
    robe.lineTo(centreX - width * 0.40, half.top() + half.height() * 0.82);
    robe.lineTo(half.left() + line, half.bottom());
    robe.lineTo(half.right() - line, half.bottom());
    robe.lineTo(centreX + width * 0.40, half.top() + half.height() * 0.82);
    robe.lineTo(centreX + headRadius * 0.55, head.y() + headRadius * 0.8);
    robe.closeSubpath();
    painter.setPen(QPen(ink, line * 0.8));
    painter.setBrush(colours.robe);
    painter.drawPath(robe);

    QPainterPath collar;
    collar.moveTo(centreX - width * 0.30, head.y() + headRadius * 1.05);
    collar.lineTo(centreX, half.top() + half.height() * 0.92);
    collar.lineTo(centreX + width * 0.30, head.y() + headRadius * 1.05);
    collar.lineTo(centreX + width * 0.20, head.y() + headRadius * 0.85);
    collar.lineTo(centreX, half.top() + half.height() * 0.80);
    collar.lineTo(centreX - width * 0.20, head.y() + headRadius * 0.85);
    collar.closeSubpath();
    painter.setBrush(colours.collar);
    painter.drawPath(collar);

    // Head, with a beard for the king.
    painter.setBrush(palette.skin);
    painter.drawEllipse(head, headRadius, headRadius * 1.08);
    if (rank == 13) {
        QPainterPath beard;
        beard.moveTo(head.x() - headRadius * 0.9, head.y() + headRadius * 0.1);
        beard.quadTo(head.x(), head.y() + headRadius * 2.1, head.x() + headRadius * 0.9, head.y() + headRadius * 0.1);
        beard.quadTo(head.x(), head.y() + headRadius * 0.9, head.x() - headRadius * 0.9, head.y() + headRadius * 0.1);
        painter.setBrush(QColor(128, 110, 100));
        painter.drawPath(beard);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const qreal eye = qMax(0.5, headRadius * 0.13);
    painter.drawEllipse(QPointF(head.x() - headRadius * 0.38, head.y() - headRadius * 0.12), eye, eye);
    painter.drawEllipse(QPointF(head.x() + headRadius * 0.38, head.y() - headRadius * 0.12), eye, eye);

    // Headgear: crown for the king, tiara for the queen, cap with a feather for the jack.
    const qreal brim = head.y() - headRadius * 0.65;
    painter.setPen(QPen(ink, line * 0.8));
    if (rank == 13) {
        QPainterPath crown;
        const qreal tall = headRadius * 1.3;
        crown.moveTo(head.x() - headRadius * 1.05, brim);
        crown.lineTo(head.x() - headRadius * 1.15, brim - tall);
        crown.lineTo(head.x() - headRadius * 0.5, brim - tall * 0.55);
        crown.lineTo(head.x(), brim - tall * 1.15);
        crown.lineTo(head.x() + headRadius * 0.5, brim - tall * 0.55);
        crown.lineTo(head.x() + headRadius * 1.15, brim - tall);
        crown.lineTo(head.x() + headRadius * 1.05, brim);
        crown.closeSubpath();
        painter.setBrush(palette.gold);
        painter.drawPath(crown);
    } else if (rank == 12) {
        QPainterPath tiara;
        tiara.moveTo(head.x() - headRadius * 1.0, brim + headRadius * 0.1);
        tiara.quadTo(head.x(), brim - headRadius * 1.6, head.x() + headRadius * 1.0, brim + headRadius * 0.1);
        tiara.closeSubpath();
        painter.setBrush(palette.gold);
        painter.drawPath(tiara);
        painter.setBrush(colours.accent == palette.gold ? colours.collar : colours.accent);
        const qreal jewel = headRadius * 0.22;
        painter.drawEllipse(QPointF(head.x(), brim - headRadius * 0.45), jewel, jewel);
    } else {
        QPainterPath cap;
        cap.moveTo(head.x() - headRadius * 1.2, brim + headRadius * 0.15);
        cap.cubicTo(head.x() - headRadius * 1.0, brim - headRadius * 1.1, head.x() + headRadius * 1.2,
                    brim - headRadius * 1.2, head.x() + headRadius * 1.25, brim + headRadius * 0.1);
        cap.closeSubpath();
        painter.setBrush(colours.collar);
        painter.drawPath(cap);
        QPainterPath feather;
        feather.moveTo(head.x() + headRadius * 0.6, brim - headRadius * 0.5);
        feather.quadTo(head.x() + headRadius * 1.9, brim - headRadius * 2.2, head.x() + headRadius * 2.3,
                       brim - headRadius * 1.0);
        feather.quadTo(head.x() + headRadius * 1.6, brim - headRadius * 1.2, head.x() + headRadius * 0.6,
                       brim - headRadius * 0.5);
        painter.setBrush(colours.robe);
        painter.drawPath(feather);
    }

    // What the figure holds, at the panel's right: sword, flower or staff.
    const qreal holdX = half.right() - width * 0.13;
    const qreal holdTop = half.top() + half.height() * 0.2;
    const qreal holdBottom = half.bottom() - half.height() * 0.06;
    if (rank == 13) {
        painter.setPen(QPen(QColor(150, 154, 166), line * 1.6, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(holdX, holdTop), QPointF(holdX, holdBottom));
        painter.setPen(QPen(palette.gold, line * 1.4, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(holdX - width * 0.07, holdBottom - half.height() * 0.18),
                         QPointF(holdX + width * 0.07, holdBottom - half.height() * 0.18));
    } else if (rank == 12) {
        painter.setPen(QPen(QColor(40, 120, 60), line * 1.2));
        painter.drawLine(QPointF(holdX, holdTop + width * 0.06), QPointF(holdX, holdBottom));
        painter.setPen(QPen(ink, line * 0.6));
        painter.setBrush(colours.accent == palette.gold ? colours.robe : colours.accent);
        for (int petal = 0; petal < 4; ++petal) {
            const qreal dx = (petal % 2 == 0 ? -1 : 1) * width * 0.035;
            const qreal dy = (petal < 2 ? -1 : 1) * width * 0.035;
            painter.drawEllipse(QPointF(holdX + dx, holdTop + width * 0.06 + dy), width * 0.045, width * 0.045);
        }
        painter.setBrush(palette.gold);
        painter.drawEllipse(QPointF(holdX, holdTop + width * 0.06), width * 0.03, width * 0.03);
    } else {
        painter.setPen(QPen(QColor(112, 82, 48), line * 1.3, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(holdX, holdTop), QPointF(holdX, holdBottom));
        QPainterPath blade;
        blade.moveTo(holdX, holdTop - width * 0.06);
        blade.lineTo(holdX + width * 0.07, holdTop + width * 0.04);
        blade.lineTo(holdX, holdTop + width * 0.08);
        blade.lineTo(holdX - width * 0.05, holdTop + width * 0.02);
        blade.closeSubpath();
        painter.setPen(QPen(ink, line * 0.5));
        painter.setBrush(QColor(160, 164, 176));
        painter.drawPath(blade);
    }
}

void drawCourt(QPainter &painter, QSizeF card, int suit, int rank, const QColor &colour, const Palette &palette,
               const IndexLayout &index)
{
    const qreal width = card.width();
    const qreal height = card.height();
    const qreal panelTop = qMax(height * 0.065, index.clearTop);
    const QRectF panel(width * 0.235, panelTop, width * 0.53, height - 2 * panelTop);
    const qreal line = qMax(1.0, width / 71.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(palette.courtPanel);
    painter.drawRect(panel);

    for (int half = 0; half < 2; ++half) {
        painter.save();
        if (half == 1)
            turnAround(painter, card);
        const QRectF upper(panel.left(), panel.top(), panel.width(), panel.height() / 2);
        painter.setClipRect(upper);
        drawCourtHalf(painter, upper, suit, rank, palette);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const qreal pip = panel.width() * 0.22;
        painter.drawPath(SuitPath(suit, QRectF(upper.left() + panel.width() * 0.06, upper.top() + panel.width() * 0.06,
                                               pip, pip * 1.1)));
        painter.restore();
    }

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, line));
    const qreal inset = line / 2;
    painter.drawRect(panel.adjusted(inset, inset, -inset, -inset));
    painter.drawLine(QPointF(panel.left(), panel.center().y()), QPointF(panel.right(), panel.center().y()));
}

void drawJokerCorner(QPainter &painter, QSizeF card, const Palette &palette)
{
    const QFont font = ArtFont(palette.indexFont, card.height() * 0.09);
    const QFontMetricsF metrics(font);
    const qreal step = metrics.capHeight() * 1.25;
    const QString word = QStringLiteral("JOKER");
    painter.setPen(palette.black);
    for (int i = 0; i < word.size(); ++i)
        DrawCentredText(painter, word.mid(i, 1), card.width() * 0.11, card.height() * 0.045 + step * i, font);
}

} // namespace

namespace CardArt {

QImage Face(Design design, int suit, int rank, QSize card, qreal devicePixelRatio)
{
    suit = qBound(1, suit, 4);
    rank = qBound(1, rank, 13);
    const Palette &palette = PaletteOf(design);
    const QColor colour = IsRedSuit(suit) ? palette.red : palette.black;
    const QSizeF size(card);

    QImage picture = BlankPicture(card, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawCardBase(painter, size, palette);
    const IndexLayout index = indexLayout(size);
    if (rank <= 10)
        drawPips(painter, size, suit, rank, colour, design, index);
    else
        drawCourt(painter, size, suit, rank, colour, palette, index);
    drawIndex(painter, index, rank, suit, colour, palette);
    turnAround(painter, size);
    drawIndex(painter, index, rank, suit, colour, palette);
    return picture;
}

QImage Joker(Design design, QSize card, qreal devicePixelRatio)
{
    const Palette &palette = PaletteOf(design);
    const QSizeF size(card);
    QImage picture = BlankPicture(card, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    drawCardBase(painter, size, palette);
    drawJokerCorner(painter, size, palette);
    painter.save();
    turnAround(painter, size);
    drawJokerCorner(painter, size, palette);
    painter.restore();

    // A jester's head under a three-pointed hat with bells.
    const qreal width = size.width();
    const QPointF head(width / 2, size.height() * 0.56);
    const qreal radius = width * 0.13;
    const qreal line = qMax(0.7, width / 80.0);
    const QColor ink(40, 32, 32);
    painter.setPen(QPen(ink, line));
    const std::array<QColor, 3> lobes = {palette.red, palette.redSecondary, palette.gold};
    const std::array<qreal, 3> tipsX = {-1.9, 0.0, 1.9};
    const std::array<qreal, 3> tipsY = {-1.2, -2.9, -1.2};
    for (size_t i = 0; i < lobes.size(); ++i) {
        QPainterPath lobe;
        lobe.moveTo(head.x() - radius * 1.05, head.y() - radius * 0.5);
        lobe.quadTo(head.x() + radius * tipsX[i] * 0.5, head.y() - radius * 2.6,
                    head.x() + radius * tipsX[i], head.y() + radius * tipsY[i]);
        lobe.quadTo(head.x() + radius * tipsX[i] * 0.3, head.y() - radius * 1.4, head.x() + radius * 1.05,
                    head.y() - radius * 0.5);
        lobe.closeSubpath();
        painter.setBrush(lobes[i]);
        painter.drawPath(lobe);
    }
    painter.setBrush(palette.gold);
    for (size_t i = 0; i < lobes.size(); ++i)
        painter.drawEllipse(QPointF(head.x() + radius * tipsX[i], head.y() + radius * tipsY[i]), radius * 0.28,
                            radius * 0.28);
    QPainterPath collar;
    collar.moveTo(head.x() - radius * 1.8, head.y() + radius * 1.0);
    for (int point = 0; point <= 6; ++point) {
        const qreal x = head.x() - radius * 1.8 + radius * 0.6 * point;
        collar.lineTo(x, head.y() + radius * (point % 2 == 0 ? 1.0 : 2.0));
    }
    collar.lineTo(head.x() + radius * 1.8, head.y() + radius * 1.0);
    collar.closeSubpath();
    painter.setBrush(palette.redSecondary);
    painter.drawPath(collar);
    painter.setBrush(palette.skin);
    painter.drawEllipse(head, radius, radius * 1.1);
    painter.setBrush(ink);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(head.x() - radius * 0.38, head.y() - radius * 0.15), radius * 0.12, radius * 0.12);
    painter.drawEllipse(QPointF(head.x() + radius * 0.38, head.y() - radius * 0.15), radius * 0.12, radius * 0.12);
    painter.setPen(QPen(ink, line));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(head.x() - radius * 0.5, head.y() - radius * 0.2, radius, radius * 0.8), 200 * 16, 140 * 16);
    return picture;
}

} // namespace CardArt
