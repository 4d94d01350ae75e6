#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// Our own card art, drawn with QPainter from vector shapes and the DejaVu fonts. Every
// picture is drawn at the asked card size in logical pixels and at the asked device pixel
// ratio, so it stays sharp on HiDPI screens. Pictures are ARGB (premultiplied) with
// transparent rounded corners.
namespace CardArt {

// The looks we draw: the program's own cards, and the extra set shipped as "cdeck1.dll".
enum class Design { Standard, Highland };

// The narrowest spreads of overlapped face-up cards the games lay out, in layout units of the
// 71 x 96 reference card (scaled with the card): a vertical spread leaves the top strip of a
// face visible, a horizontal fan the left strip. The corner index is laid out to be read in either.
constexpr int NarrowestVerticalSpread = 17;
constexpr int NarrowestHorizontalSpread = 11;

// The nominal card of a size index: 0 small 55 x 74, 1 normal 71 x 96, 2 large 89 x 120.
QSize NominalCardSize(int sizeIndex);

// Suit 1 clubs, 2 diamonds, 3 hearts, 4 spades; rank 1 (ace) to 13 (king).
QImage Face(Design design, int suit, int rank, QSize card, qreal devicePixelRatio);
QImage Joker(Design design, QSize card, qreal devicePixelRatio);
// Back number 1..13; 13 is the set's own back.
QImage Back(Design design, int number, QSize card, qreal devicePixelRatio);

// Pile marks, masks and alpha pictures by picture slot: 67..80 and 88..90 (null otherwise).
QImage Mark(int slot, QSize card, qreal devicePixelRatio);

// The foundation-mark pictures: "tablquestion", "tabla", "tabl2".."tabl10", "tablj",
// "tablq", "tablk", and the backdrops "aeroball" and "emptyvalue" (null for other names).
QImage FoundationPicture(const QString &name, QSize card, qreal devicePixelRatio);
// The rank picture names by index: 0 the question mark, 1..13 the ranks.
QString FoundationRankName(int index);

// The program's own pictures by resource id: faces "1".."52", marks "67".."80", the joker
// "87", backs "BST53".."BST65", alpha marks "BST88".."BST90" and the foundation-mark names.
// A null image for an unknown id.
QImage ProgramPicture(const QString &id, QSize card, qreal devicePixelRatio);

// The card shape as an alpha mask: opaque white inside the rounded card, transparent outside.
QImage CardShape(QSize card, qreal devicePixelRatio);

} // namespace CardArt
