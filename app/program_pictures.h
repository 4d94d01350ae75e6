#pragma once

#include <QImage>
#include <QSize>

class QIcon;
class QPainter;

inline constexpr char VersionText[] = "Version 1.7.1";
inline constexpr QSize SplashSize(401, 251);

// The whole splash window as a picture: the felt with a fan of cards and the title, the
// raised bevel and the version label. Drawn at build time into the program's resources
// (tools/make_splash_picture.cpp); the program draws it itself only when that is missing.
QImage splashPicture();
// The program's icon: a white card with a spade on green felt, in a square of `size` pixels
// from the painter's origin. The window icon, the installed PNG icons and the scalable icon
// (tools/make_program_icons.cpp) are all drawn by it.
void paintProgramIcon(QPainter &painter, double size);
QImage programIconPicture(int size);
// The window icon, drawn at the sizes the desktop asks for.
QIcon programIcon();
