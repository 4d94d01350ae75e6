#include "look/custom_picture_file.h"

#include "look/art/jpeg_codec.h"
#include "look/picture_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace CustomPictureFile {

bool IsUsableName(const QString &name)
{
    // 255 bytes is the usual limit of one file name; the extension takes 4 of them.
    constexpr int MaxNameBytes = 250;
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String(".") || trimmed == QLatin1String("..")
        || name.toUtf8().size() > MaxNameBytes)
        return false;
    for (const QChar character : name)
        if (character == QLatin1Char('/') || character == QLatin1Char('\\') || character.category() == QChar::Other_Control)
            return false;
    return true;
}

bool Save(const QImage &picture, const QString &path)
{
    if (picture.isNull() || !QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QByteArray data;
    if (PictureFile::HasJpegName(path)) {
        data = JpegCodec::Encode(picture, 96);
    } else {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "BMP");
        if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
            return false;
    }
    QSaveFile file(path);
    return !data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

} // namespace CustomPictureFile
