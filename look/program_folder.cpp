#include "look/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

bool isInside(const QString &path, const QString &folder)
{
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QString canonicalPath = QFileInfo(path).canonicalFilePath();
    return !canonicalFolder.isEmpty() && !canonicalPath.isEmpty() &&
           (canonicalPath == canonicalFolder || canonicalPath.startsWith(canonicalFolder + QLatin1Char('/')));
}

} // namespace

QString programFolder()
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if (!executableFolder.isEmpty() && isInside(executableFolder, QStringLiteral(TARNWICK_BUILD_TREE)))
        return QStringLiteral(TARNWICK_BUILD_DATA_DIR);
    // An installed program finds its data relative to itself, so the installation may move.
    if (!executableFolder.isEmpty()) {
        const QString relative = QDir::cleanPath(executableFolder + QStringLiteral("/../share/tarnwick"));
        if (QFileInfo(relative).isDir())
            return relative;
    }
    return QStringLiteral(TARNWICK_INSTALL_DATA_DIR);
}
