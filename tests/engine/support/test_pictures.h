#pragma once

#include "engine/card_pictures.h"

#include <QColor>

// A picture table of plain, crisp test pictures at 71 x 96, so that grabbed pixels can be
// told apart exactly: every card has transparent rounded corners (radius 6) and a one-pixel
// dark border; faces are white with a coloured block, backs blue; each mark is a block or
// frame of a colour of its own.
namespace TestPictures {

constexpr int Width = 71;
constexpr int Height = 96;
constexpr int Radius = 6;

const QColor Border(40, 40, 40);
const QColor FaceWhite(255, 255, 255);
const QColor Block(100, 50, 200);   // at (20..49, 60..79) of every face
const QColor Back(30, 60, 150);
const QColor CompletedShade(0, 0, 0, 128); // the completed mark, inside the shape

// Marks: frames are 3 pixels wide along the card's edge, blocks 20 x 20 at the centre.
const QColor OutlineFrame(255, 0, 255);
const QColor FoundationFrame(0, 255, 255);
const QColor RedCross(200, 0, 0);
const QColor GreenRing(0, 200, 0);
const QColor GreenArrow(0, 120, 60);
const QColor RedealMark(255, 160, 0);
const QColor CrossMark(160, 0, 80);
const QColor RingMark(0, 80, 160);
const QColor RankBackdrop(90, 90, 0);   // 40 x 40
const QColor QuestionBackdrop(0, 90, 90);
QColor Rank(int index); // 20 x 20 rank pictures, a colour per index 0..13

// True inside the rounded card shape.
bool InsideShape(int x, int y);
// Fills the table (and sets the card size).
void Load(CardPictures &table);

} // namespace TestPictures
