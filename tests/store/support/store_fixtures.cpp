#include "store_fixtures.h"

#include <QDir>
#include <QFile>

FixedDisplayInfo testDisplay(int depth, QSize screen)
{
    return FixedDisplayInfo(depth, screen, QRect(0, 0, screen.width(), screen.height() - 40));
}

TempFolders::TempFolders()
{
    for (const char *name : {"config", "data", "program", "documents", "desktop"})
        QDir(root_.path()).mkpath(QString::fromLatin1(name));
    locations_.configFolder = path(QStringLiteral("config/Tarnwick"));
    locations_.dataFolder = path(QStringLiteral("data/Tarnwick"));
    locations_.programFolder = path(QStringLiteral("program"));
    locations_.documentsFolder = path(QStringLiteral("documents"));
    locations_.desktopFolder = path(QStringLiteral("desktop"));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}
