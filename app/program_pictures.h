#pragma once

#include <QImage>
#include <QSize>

class QIcon;

inline constexpr char VersionText[] = "Version 1.7.1";
inline constexpr QSize SplashSize(401, 251);

// The whole splash window as a picture: the felt with a fan of cards and the title, the
// raised bevel and the version label. Drawn at build time into the program's resources
// (tools/make_splash_picture.cpp); the program draws it itself only when that is missing.
QImage splashPicture();
// The program's icon (a card with a spade), drawn at the sizes the desktop asks for.
QIcon programIcon();
