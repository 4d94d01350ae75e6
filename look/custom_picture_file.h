#pragma once

#include <QImage>
#include <QString>

// The pictures a player makes (card backs, backgrounds) go into folders of the player's
// own under names the player types.
namespace CustomPictureFile {

// Whether a typed name can name a file in such a folder: not blank, no folder separator
// ("/" or "\"), no control characters, not "." or "..", and short enough for the file
// system with its extension.
bool IsUsableName(const QString &name);

// Writes the picture as a 24-bit BMP or a JPEG at quality 96 (by the path's extension),
// creating the folder when missing; the file appears whole or not at all.
bool Save(const QImage &picture, const QString &path);

} // namespace CustomPictureFile
