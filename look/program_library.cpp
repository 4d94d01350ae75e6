#include "look/program_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLibrary>
#include <QMutex>

namespace {

struct Loaded {
    QLibrary *library = nullptr; // kept for the rest of the run
    QString failure;
};

QStringList candidates(const QString &fileName)
{
    const QString executableFolder = QCoreApplication::applicationDirPath();
    QStringList paths;
    const QString buildTree = QFileInfo(QStringLiteral(TARNWICK_BUILD_TREE)).canonicalFilePath();
    const QString executableTree = QFileInfo(executableFolder).canonicalFilePath();
    if (!buildTree.isEmpty() && (executableTree == buildTree || executableTree.startsWith(buildTree + u'/')))
        paths << QStringLiteral(TARNWICK_BUILD_LIBRARY_DIR "/") + fileName;
    // Installed: beside the program's own lib folder, wherever the installation was moved.
    if (!executableFolder.isEmpty())
        paths << QDir::cleanPath(executableFolder + QStringLiteral("/../lib/tarnwick/") + fileName);
    paths << QStringLiteral(TARNWICK_INSTALL_LIBRARY_DIR "/") + fileName;
    return paths;
}

Loaded load(const QString &fileName)
{
    Loaded loaded;
    for (const QString &path : candidates(fileName)) {
        if (!QFileInfo::exists(path))
            continue;
        auto *library = new QLibrary(path);
        if (library->load()) {
            loaded.library = library;
            return loaded;
        }
        loaded.failure = library->errorString();
        delete library;
    }
    if (loaded.failure.isEmpty())
        loaded.failure = QStringLiteral("The library %1 was not found.").arg(fileName);
    return loaded;
}

} // namespace

QFunctionPointer programLibraryEntry(const char *name, const char *entry, QString *failure)
{
    static QMutex guard;
    static QHash<QString, Loaded> libraries;
    const QString fileName = QStringLiteral("libtarnwick_%1.so").arg(QLatin1String(name));
    QMutexLocker locked(&guard);
    auto found = libraries.find(fileName);
    if (found == libraries.end())
        found = libraries.insert(fileName, load(fileName));
    QFunctionPointer resolved = found->library ? found->library->resolve(entry) : nullptr;
    if (failure)
        *failure = resolved ? QString()
                   : found->library ? QStringLiteral("%1 lacks %2.").arg(fileName, QLatin1String(entry))
                                    : found->failure;
    return resolved;
}
