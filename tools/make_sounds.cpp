// Writes the program's five sounds as wave files for its resources.
//
// Usage: make_sounds <folder>

#include "look/sound_synthesis.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: make_sounds <folder>\n", stderr);
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fputs("make_sounds: could not make the folder\n", stderr);
        return 1;
    }
    for (const QString &name : SoundSynthesis::Names()) {
        QSaveFile file(folder.filePath(name + QStringLiteral(".wav")));
        if (!file.open(QIODevice::WriteOnly) || file.write(SoundSynthesis::Wave(name)) < 0 || !file.commit()) {
            std::fprintf(stderr, "make_sounds: could not write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
