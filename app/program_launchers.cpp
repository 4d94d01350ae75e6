#include "app/program_launchers.h"

#include "store/player_shortcuts.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace ProgramLaunchers {

QString StartMenuFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
}

bool Exists(const QString &folder)
{
    return !folder.isEmpty() && QFile::exists(QDir(folder).filePath(QString::fromLatin1(FileName)));
}

bool Set(const QString &folder, bool present, const QString &programPath)
{
    if (folder.isEmpty())
        return false;
    const QString path = QDir(folder).filePath(QString::fromLatin1(FileName));
    if (!present)
        return !QFile::exists(path) || QFile::remove(path);
    QDir().mkpath(folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=Tarnwick\nComment=Patience games\n"
                                        "Exec=%1\nIcon=tarnwick\nCategories=Game;CardGame;\n")
                             .arg(desktopExecValue({programPath}));
    file.write(text.toUtf8());
    if (!file.commit())
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser
                                           | QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

} // namespace ProgramLaunchers
