#include "engine/control.h"

#include "engine/board.h"

TControl::TControl(TBoard *owner) : owner(owner)
{
    if (owner)
        zOrder = owner->NextZOrder();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    const QRect next(left, top, width, height);
    if (next == bounds)
        return;
    if (owner && visible) {
        owner->RepaintArea(bounds);
        owner->RepaintArea(next);
    }
    bounds = next;
}

void TControl::SetVisible(bool value)
{
    if (visible == value)
        return;
    visible = value;
    Repaint();
}

void TControl::BringToFront()
{
    if (!owner)
        return;
    zOrder = owner->NextZOrder();
    Repaint();
}

void TControl::Repaint() const
{
    if (owner)
        owner->RepaintArea(bounds);
}
