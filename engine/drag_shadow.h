#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

class TCard;

// The shadow under a dragged group: one darkness map (0 = none, 255 = black) for the
// whole group, subtracted from the table's colours wherever the image goes.
//  - blurred (style 0) and sharp (style 1): the card shape in darkness 165, offset 4
//    pixels right and down; blurred softens its edge with a Gaussian of sigma 1. Each
//    following card of a spread group carries a solid half towards the card before it, so
//    the shadows of overlapping cards join.
//  - dotted (style 2): every other pixel of the shape, offset 5 pixels, the dots in one
//    phase across the group so they stay continuous.
struct DragShadow {
    // Builds the map for the given cards (positions relative to the group's top-left corner).
    void Build(int style, const std::vector<QPoint> &cardOffsets, QSize cardSize, bool verticalGroup);
    // Darkens `target` (RGB32/ARGB32) where the shadow lies; `groupAt` is the group's corner in target pixels.
    void Apply(QImage &target, QPoint groupAt) const;

    QImage Darkness;   // Grayscale8
    QPoint Origin;     // where Darkness's corner lies relative to the group's corner
};

// The darkness table of one card shape: (card width + 4) x (card height + 4).
QImage CardShadowTable(QSize cardSize, bool blurred);
