// Turning a card over on the table: a flat flip drawn in 28 frames, the side that was up
// narrowing to its edge and the other side widening from it, each frame a parallelogram
// skewed a little more towards the edge.
#include "engine/board.h"

#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/painting.h"

#include <QElapsedTimer>
#include <QPainter>

namespace {

constexpr int HalfFrames = 14;
constexpr int Margin = 25;         // room above and below the card for the skew
constexpr int FrameMilliseconds = 10;

// Maps the card rectangle onto the parallelogram with the given upper-left, upper-right
// and lower-left corners.
QTransform parallelogram(QSize card, QPointF upperLeft, QPointF upperRight, QPointF lowerLeft)
{
    return QTransform((upperRight.x() - upperLeft.x()) / card.width(), (upperRight.y() - upperLeft.y()) / card.width(),
                      (lowerLeft.x() - upperLeft.x()) / card.height(), (lowerLeft.y() - upperLeft.y()) / card.height(),
                      upperLeft.x(), upperLeft.y());
}

} // namespace

void TBoard::paintTurnFrame(QPainter &painter)
{
    if (!turnFrame.Active || turnFrame.Picture.isNull())
        return;
    painter.save();
    painter.setClipRect(turnFrame.Area);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(turnFrame.Place, true);
    painter.drawImage(QRectF(QPointF(0, 0), turnFrame.Picture.deviceIndependentSize()), turnFrame.Picture);
    painter.restore();
}

bool TBoard::AnimateTurn(TCard *card, bool toFace)
{
    if (!card || !isVisible() || drag)
        return false;
    const QImage from = Painting::SidePicture(*card, card->Face());
    const QImage to = Painting::SidePicture(*card, toFace);
    const QRect place = card->BoundsRect();
    const QSize size = place.size();
    const QRect area = place.adjusted(0, -Margin, 0, Margin);
    // Frame coordinates: the area's top-left corner is (0, 0), the card lies at (0, 25).
    const QPointF corner = area.topLeft();

    card->SetVisible(false);
    card->BringToFront();
    turnFrame.Active = true;
    turnFrame.Area = area;
    const int step = size.width() / HalfFrames;
    auto showFrame = [&](const QImage &picture, int width, qreal upperLeftY, qreal upperRightY, qreal lowerLeftY) {
        QElapsedTimer frame;
        frame.start();
        const qreal x0 = (size.width() - width) / 2;
        turnFrame.Picture = width > 0 ? picture : QImage();
        turnFrame.Place = parallelogram(size, corner + QPointF(x0, upperLeftY), corner + QPointF(x0 + width, upperRightY),
                                        corner + QPointF(x0, lowerLeftY));
        repaint(area);
        PaceFrame(frame, FrameMilliseconds);
    };
    // The side that is up narrows to its edge, its left side rising and its right falling.
    for (int i = 1; i <= HalfFrames; ++i) {
        const int width = step * (HalfFrames - i);
        const int skew = i + 2;
        showFrame(from, width, Margin - skew, Margin + skew, size.height() + Margin - skew);
    }
    // The other side widens from the edge, skewed the other way.
    for (int n = HalfFrames; n >= 1; --n) {
        const int width = step * (HalfFrames - n);
        showFrame(to, width, Margin + n, Margin - n, size.height() + Margin + n);
    }
    // The new side flat at the card's place; the card then shows it itself.
    turnFrame.Picture = to;
    turnFrame.Place = QTransform::fromTranslate(place.left(), place.top());
    repaint(area);
    turnFrame = TurnFrame{};
    card->SetVisible(true);
    return true;
}
