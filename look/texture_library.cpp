#include "look/texture_library.h"

#include "look/card_set_package.h"

#include <QDir>
#include <QResource>

// The program's own textures are compiled into this library; naming them here makes the
// linker keep them.
static void registerProgramTextures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(program_textures);
        return true;
    }();
    (void)registered;
}

namespace TextureLibrary {
namespace {

const QString ResourceFolder = QStringLiteral("rcdata");

QString packagePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QString::fromLatin1(PackageFileName));
}

QStringList textureNames(const QStringList &resourceNames)
{
    QStringList names;
    for (const QString &resource : resourceNames)
        if (!IsSkippedName(resource))
            names << TextureName(resource);
    return names;
}

} // namespace

QString TextureName(const QString &resourceName)
{
    if (resourceName.isEmpty())
        return resourceName;
    return resourceName.left(1).toUpper() + resourceName.mid(1).toLower();
}

bool IsSkippedName(const QString &resourceName)
{
    static const QStringList skipped = {
        QStringLiteral("PACKAGEINFO"),      QStringLiteral("DVCLAL"),          QStringLiteral("DESCRIPTION"),
        QStringLiteral("PLYSEL"),           QStringLiteral("PLYWIN"),          QStringLiteral("CARDDRAG"),
        QStringLiteral("SHUFFLE"),          QStringLiteral("_KRH_LIBSETTINGS"), QStringLiteral("_KRH_EXESETTINGS"),
        QStringLiteral("AEROBALL"),         QStringLiteral("EMPTYVALUE"),      QStringLiteral("BST88"),
        QStringLiteral("BST89"),            QStringLiteral("BST90"),           QStringLiteral("__JOKERSHADOW"),
        QStringLiteral("__JOKERWS"),        QStringLiteral("__BULLET"),        QStringLiteral("__BULLETWS"),
    };
    const QString upper = resourceName.toUpper();
    return upper.isEmpty() || upper.startsWith(QLatin1Char('T')) || skipped.contains(upper);
}

QStringList ProgramTextureNames()
{
    registerProgramTextures();
    return textureNames(QDir(QStringLiteral(":/") + ResourceFolder).entryList(QDir::Files, QDir::Name));
}

QStringList PackageTextureNames(const QString &programFolder)
{
    CardSetPackage package;
    if (!package.Open(packagePath(programFolder)))
        return {};
    return textureNames(package.EntryNames(ResourceFolder));
}

QByteArray TextureData(const QString &name, const QString &programFolder)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return QByteArray();
    registerProgramTextures();
    const QString entry = ResourceFolder + QLatin1Char('/') + name.toUpper();
    const QResource own(QStringLiteral(":/") + entry);
    if (own.isValid() && own.uncompressedSize() <= MaxTextureBytes)
        return own.uncompressedData();
    CardSetPackage package;
    if (!package.Open(packagePath(programFolder)))
        return QByteArray();
    return package.Entry(entry, MaxTextureBytes);
}

} // namespace TextureLibrary
