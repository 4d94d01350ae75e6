#pragma once

#include <QImage>
#include <QWidget>

inline constexpr char VersionText[] = "Version 1.7.1";

// The picture of the splash window, 400 x 250, drawn by our own code.
QImage splashPicture();
// The program's icon (a card with a spade), drawn at the sizes the desktop asks for.
class QIcon;
QIcon programIcon();

// The window shown while the main window and the game selection dialog are built:
// borderless, centred, 401 x 251 with a raised bevel, the picture and the version label at
// the right. It measures the display's colour depth.
class SplashWindow : public QWidget {
public:
    SplashWindow();
    int ColourDepth() const { return colourDepth; }
    // Shows the window and paints it at once, before the event loop runs.
    void ShowNow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture;
    int colourDepth = 24;
};
