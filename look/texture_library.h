#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The table textures by name. A texture is a JPEG picture stored as a raw-data resource
// "rcdata/<NAME>": first among the program's own resources, then in the optional package
// "QELPlus.DLL" of the program folder. A texture's name is its resource name in lower case
// with the first letter upper case ("PAPER4" is "Paper4").
namespace TextureLibrary {

inline constexpr char PackageFileName[] = "QELPlus.DLL";
// No texture is larger than this; a bigger entry is refused unread.
constexpr qint64 MaxTextureBytes = 16 * 1024 * 1024;

QString TextureName(const QString &resourceName);
// Resource names that are not textures (sounds, marks, package information), and every
// name that begins with "T".
bool IsSkippedName(const QString &resourceName);

// The texture names of the program's resources and of the package, in resource order.
QStringList ProgramTextureNames();
QStringList PackageTextureNames(const QString &programFolder);

// The JPEG data of a texture, found by name in any case: the program's own resource, else
// the package's (opened and closed again). Empty when neither has it.
QByteArray TextureData(const QString &name, const QString &programFolder);

} // namespace TextureLibrary
