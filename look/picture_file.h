#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Reading pictures from untrusted files and packages: the header is read first, absurd
// dimensions (over 8192 pixels a side or 40 megapixels) are refused, damaged data gives
// a null image and never ends the program.
namespace PictureFile {

constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

// True for a name ending in ".jpg" or ".jpeg" (any case).
bool HasJpegName(const QString &path);

// The JPEG check of picture backs: the first two bytes are FF D8 and the last two FF D9.
bool HasJpegMarkers(const QByteArray &data);
bool IsValidJpegFile(const QString &path);

// Decodes JPEG data with libjpeg-turbo at the scale nearest above the wanted size, anything else
// (BMP, PNG) through QImageReader with an allocation limit.
QImage Decode(const QByteArray &data, QSize wanted = QSize());

// Reads a picture file: a file named as JPEG must pass the marker check.
QImage Read(const QString &path, QSize wanted = QSize());

} // namespace PictureFile
