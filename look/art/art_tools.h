#pragma once

#include "look/art/card_art.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// Helpers shared by the card art sources.
namespace CardArt::Tools {

// A transparent picture of the card size at the device pixel ratio, ready to paint on
// in logical pixels.
QImage BlankPicture(QSize card, qreal devicePixelRatio);

// The rounded outline of a card of the given size (inset half a pixel so a one-pixel
// border lands on whole pixels).
QPainterPath CardOutline(QSizeF card);
qreal CornerRadius(QSizeF card);

// A suit symbol filling the box (suit 1 clubs, 2 diamonds, 3 hearts, 4 spades).
QPainterPath SuitPath(int suit, const QRectF &box);
// The same for the small signs of the corner index, drawn to stay apart at a few pixels.
QPainterPath IndexSuitPath(int suit, const QRectF &box);
bool IsRedSuit(int suit);

// The DejaVu faces, loaded once from the fonts package when the system lacks them.
enum class FontFace { SansBold, SansCondensedBold, SerifBold, Sans };
QFont ArtFont(FontFace face, qreal pixelSize);

// Draws text with its cap height starting at top and its ink centred on centreX.
void DrawCentredText(QPainter &painter, const QString &text, qreal centreX, qreal top, const QFont &font);

// The colours of a design.
struct Palette {
    QColor cardStock;
    QColor border;
    QColor red;
    QColor black;
    QColor courtPanel;
    QColor gold;
    QColor skin;
    QColor redSecondary;   // second robe colour on red-suit court cards
    QColor blackMain;      // robe colours on black-suit court cards (never red)
    QColor blackSecondary;
    FontFace indexFont;
};
const Palette &PaletteOf(Design design);

} // namespace CardArt::Tools
