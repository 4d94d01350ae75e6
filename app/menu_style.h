#pragma once

class QMainWindow;
class QPalette;
class QString;

// The two presentations of the one menu: the plain menu bar of the desktop, or a flat one of
// our own (flat bar items and menu rows, a framed highlight, room for the pictures). Both
// show the same menus and items; only their drawing differs.
namespace MenuStyle {

// The flat presentation's style sheet in the colours of a palette.
QString FlatStyleSheet(const QPalette &palette);
// Gives the window's menu bar and every menu it owns (the toolbar's too) the presentation.
void Apply(QMainWindow &window, bool flat);

} // namespace MenuStyle
