#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

// Our own pictures of the toolbar buttons and menu items, drawn from vector shapes at the
// asked size and screen ratio, so that they stay sharp everywhere. Codes 1 to 13 are the
// toolbar's buttons; 14 is the game log (a menu picture only).
namespace ButtonPictures {

inline constexpr int LastCode = 14;

// The picture sets: the default small (16 pixels) and large pictures, the old style and the
// few colours of a palette display.
enum class Set { Small, Large, OldStyle, Palette };

// The set the toolbar shows: a palette display has its own, then the old style, then the size.
Set ToolbarSet(bool largeButtons, bool oldStyle, int colourDepth);
// The set the menus show (always 16 pixels).
Set MenuSet(bool oldStyle, int colourDepth);
// The side of a picture in logical pixels: 16, or about five eighths of a large button.
int GlyphSize(Set set, int largeButtonSize);

// One picture, transparent around its shape; the disabled look is a grey one.
// outline: the colour of the shapes' outlines in the default sets.
QImage Picture(int code, Set set, int size, qreal devicePixelRatio, bool disabled, QColor outline);
// The outline colour that suits the desktop's palette: dark on a light desktop, light on a dark one.
QColor OutlineFor(const QPalette &palette);
// An icon that draws the picture at whatever size and ratio it is shown at, following the
// application's palette; every drawing is kept for the next time.
QIcon Icon(int code, Set set);

} // namespace ButtonPictures
