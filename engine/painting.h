#pragma once

// The table's painter, shared by the card, pile, table and turning painters.
#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;
class TBoard;
class TCard;
class TDeck;

namespace Painting {

// The picture of one side of a card: the face or the back from the picture table, or a
// plain card of our own drawing while no set is loaded.
QImage SidePicture(const TCard &card, bool face);

// Draws `part` (in card coordinates) of the card as the table shows it: its picture, the
// completed-foundation mark, the hover tint and the selection, with the card's top-left
// corner at `at`.
void DrawCard(QPainter &painter, const TBoard &board, const TCard &card, const QPoint &at, const QRect &part);

// Draws `part` (logical coordinates of the picture) of a picture with the picture's
// top-left corner at `at`, whatever its device pixel ratio.
void DrawPicture(QPainter &painter, const QImage &picture, const QPoint &at, const QRect &part);
void DrawPicture(QPainter &painter, const QImage &picture, const QPoint &at);

// The hover tint: each colour byte above 80 lowered, blue by 65, green and red by 25.
QImage Tinted(const QImage &picture);
// The colours inverted inside the picture's shape; transparent pixels stay transparent.
QImage Inverted(const QImage &picture);

// A pile's own drawing below its cards: the thickness of a stacked pile.
void PaintPileStack(QPainter &painter, const TDeck &deck, const TCard &shown);
// The mark of an empty pile (or of one whose cards are all hidden) by its ShowEmpty.
void PaintEmptyMark(QPainter &painter, const TBoard &board, const TDeck &deck);

// The label of an empty foundation for CardVal: nothing for -2 (and values that name no
// rank), "?" for -1, else the rank's short name.
QString FoundationLabel(int cardVal);

} // namespace Painting
