// Draws the splash window's picture into a PNG file for the program's resources, so that
// the program shows it at start without drawing text or paths.
//
// Usage: make_splash_picture <out.png>

#include "app/program_pictures.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: make_splash_picture <out.png>\n", stderr);
        return 2;
    }
    if (!splashPicture().save(arguments[1], "PNG")) {
        std::fputs("make_splash_picture: could not write the picture\n", stderr);
        return 1;
    }
    return 0;
}
