#pragma once

#include <QRect>
#include <cstdint>

class TBoard;

// A window-less control on the table: bounds in table pixels, visibility and a place in
// the z-order. The table paints and hit-tests its controls; they own no widget.
class TControl {
public:
    virtual ~TControl() = default;

    const QRect &BoundsRect() const { return bounds; }
    int Left() const { return bounds.left(); }
    int Top() const { return bounds.top(); }
    int Width() const { return bounds.width(); }
    int Height() const { return bounds.height(); }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, bounds.top(), bounds.width(), bounds.height()); }
    void SetTop(int top) { SetBounds(bounds.left(), top, bounds.width(), bounds.height()); }
    void SetPosition(int left, int top) { SetBounds(left, top, bounds.width(), bounds.height()); }

    bool Visible() const { return visible; }
    void SetVisible(bool value);

    // Higher values lie above lower ones.
    std::uint64_t ZOrder() const { return zOrder; }
    void BringToFront();

    // Asks the table to draw the control's area again.
    void Repaint() const;

protected:
    explicit TControl(TBoard *owner);
    TBoard *owner;

private:
    QRect bounds;
    bool visible = true;
    std::uint64_t zOrder = 0;
};
