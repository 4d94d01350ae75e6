#pragma once

#include <QImage>
#include <QString>

// Rotates a bitmap about its origin into another: every source pixel (x, y), from the last
// row and column backwards, goes to (offsetX + (x C - y S) / 65536, offsetY + (y C + x S) / 65536)
// with C and S the cosine and sine of the angle times 65536 rounded, the quotients truncated
// toward zero; a pixel that lands inside the target is written there and, right of the first
// column, once more one pixel to its left (which closes the gaps the truncation leaves).
namespace BitmapRotation {

// The text that refuses a pixel size the routine does not rotate; empty for 8, 16, 24 and
// 32 bits per pixel.
QString Refusal(int bitsPerPixel);
// The bits per pixel of a picture as the routine counts them (RGB555 is 15).
int BitsPerPixel(const QImage &picture);

// Rotates source into target, which keeps its size and takes the source's pixel format.
// Returns the refusal text and leaves the target alone for a pixel size it does not rotate.
QString RotateBitmap(const QImage &source, QImage &target, int offsetX, int offsetY, double angle);

} // namespace BitmapRotation
