#pragma once

#include <QRect>
#include <QSize>

// The facts of the display that defaults depend on. Measured once at start.
class DisplayInfo {
public:
    virtual ~DisplayInfo() = default;
    virtual int colourDepth() const = 0; // bits per pixel
    virtual QSize screenSize() const = 0;
    virtual QRect workArea() const = 0;  // the desktop area not covered by panels
};

// Display facts given once: a measurement of the screen, or the fake of a test.
class FixedDisplayInfo : public DisplayInfo {
public:
    FixedDisplayInfo(int depth, QSize screen, QRect workArea) : depth_(depth), screen_(screen), workArea_(workArea) {}
    int colourDepth() const override { return depth_; }
    QSize screenSize() const override { return screen_; }
    QRect workArea() const override { return workArea_; }

private:
    int depth_;
    QSize screen_;
    QRect workArea_;
};

// Measures the primary screen (a 24-bit 1024 x 768 screen when there is none).
FixedDisplayInfo measurePrimaryScreen();
