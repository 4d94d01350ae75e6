// Draws the program's icon for the desktop's icon theme: a scalable SVG and PNGs of the
// given pixel sizes, all from the one drawing the program uses for its window icon.
//
// Usage: make_program_icons <name> <out-folder> SIZE...
// writes <out-folder>/scalable/apps/<name>.svg and <out-folder>/SIZExSIZE/apps/<name>.png.

#include "app/program_pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool writeScalable(const QString &path)
{
    // The drawing is made for a 64-unit square; the SVG keeps that as its view box.
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(QSize(64, 64));
    generator.setViewBox(QRectF(0, 0, 64, 64));
    generator.setTitle(QStringLiteral("Tarnwick"));
    generator.setDescription(QStringLiteral("A white card with a spade on green felt"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    paintProgramIcon(painter, 64);
    return painter.end();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: make_program_icons <name> <out-folder> SIZE...\n", stderr);
        return 2;
    }
    const QString name = arguments[1];
    const QDir out(arguments[2]);
    bool written = out.mkpath(QStringLiteral("scalable/apps")) &&
                   writeScalable(out.filePath(QStringLiteral("scalable/apps/%1.svg").arg(name)));
    for (const QString &argument : arguments.mid(3)) {
        bool ok = false;
        const int size = argument.toInt(&ok);
        if (!ok || size < 16 || size > 1024) {
            std::fprintf(stderr, "make_program_icons: bad size %s\n", qPrintable(argument));
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        written = written && out.mkpath(folder) &&
                  programIconPicture(size).save(out.filePath(folder + QStringLiteral("/%1.png").arg(name)), "PNG");
    }
    if (!written) {
        std::fputs("make_program_icons: could not write the icons\n", stderr);
        return 1;
    }
    return 0;
}
