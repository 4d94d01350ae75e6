#pragma once

#include "engine/drag_shadow.h"

#include <QImage>
#include <QPoint>
#include <vector>

class TCard;
class TDeck;

// One drag in progress: the group, its image and shadow, and the table as it looks
// without the group (the image is composed over that, frame by frame).
struct DragState {
    TCard *Card = nullptr;        // the card taken, the bottom of the group
    TDeck *Origin = nullptr;
    std::vector<TCard *> Group;   // bottom card first
    QPoint GroupCorner;           // the group's top-left corner relative to Card's
    QSize GroupSize;
    QImage GroupImage;            // at the screen's pixel ratio
    QImage Background;            // the whole table without the group
    DragShadow Shadow;
    bool ShadowOn = false;
    qreal PixelRatio = 1;
    QPoint Grab;                  // minus the grab point inside the card
    TDeck *Target = nullptr;      // the pile that takes the cards here, nullptr when none
    TCard *RevealedBelow = nullptr; // a stacked pile's hidden card shown while its top is away
    bool ImageShown = true;
    QImage Frame;                 // scratch for composing one frame
};
