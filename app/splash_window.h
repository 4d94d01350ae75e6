#pragma once

#include <QImage>
#include <QWidget>

// The window shown while the main window and the game selection dialog are built:
// borderless, centred, 401 x 251, showing the picture made at build time. It measures the
// display's colour depth.
class SplashWindow : public QWidget {
public:
    SplashWindow();
    int ColourDepth() const { return colourDepth; }
    // Shows the window; it paints as the events waiting are handled, before the event loop runs.
    void ShowNow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture;
    int colourDepth = 24;
};
