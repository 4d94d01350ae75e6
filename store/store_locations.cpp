#include "store/store_locations.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString joined(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

QString applicationFolder(QStandardPaths::StandardLocation location)
{
    const QString base = QStandardPaths::writableLocation(location);
    return base.isEmpty() ? QString() : joined(base, QStringLiteral("Tarnwick"));
}

} // namespace

StoreLocations StoreLocations::fromSystem(const QString &programFolder)
{
    StoreLocations locations;
    locations.configFolder = applicationFolder(QStandardPaths::GenericConfigLocation);
    if (locations.configFolder.isEmpty())
        locations.configFolder = programFolder;
    locations.dataFolder = applicationFolder(QStandardPaths::GenericDataLocation);
    locations.programFolder = programFolder;
    locations.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    locations.desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    locations.runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return locations;
}

QString StoreLocations::settingsFile() const
{
    return joined(configFolder, QStringLiteral("Tarnwick.ini"));
}

QString StoreLocations::toolbarSettingsFile() const
{
    return joined(configFolder, QStringLiteral("Quillon Cards.ini"));
}

QString StoreLocations::dataFile(const QString &fileName) const
{
    return joined(usesDataFolder() ? dataFolder : programFolder, fileName);
}

QString StoreLocations::savedGamesFolder() const
{
    return dataFile(QStringLiteral("Games"));
}

QString StoreLocations::userBackgroundsFolder() const
{
    return usesDataFolder() ? joined(dataFolder, QStringLiteral("Backgrounds"))
                            : joined(programFolder, QStringLiteral("Custom Backgounds"));
}

bool StoreLocations::createDataFolder() const
{
    return usesDataFolder() && QDir().mkpath(dataFolder);
}

void StoreLocations::moveOlderFiles() const
{
    if (!usesDataFolder() || programFolder.isEmpty())
        return;
    for (const char *name : {DataFileName::PlayersDat, DataFileName::CustomDat, DataFileName::QellogDat,
                             DataFileName::AsgLpg, DataFileName::QelstatDat, DataFileName::QelcustDat}) {
        const QString source = joined(programFolder, QString::fromLatin1(name));
        const QString target = joined(dataFolder, QString::fromLatin1(name));
        // QFile::rename never replaces an existing target; it copies across file systems.
        if (QFile::exists(source) && !QFile::exists(target))
            QFile::rename(source, target);
    }
}
