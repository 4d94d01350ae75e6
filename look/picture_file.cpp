#include "look/picture_file.h"

#include "look/art/jpeg_codec.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace PictureFile {

bool HasJpegName(const QString &path)
{
    return path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
}

bool HasJpegMarkers(const QByteArray &data)
{
    return data.size() >= 4 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 &&
           uchar(data[data.size() - 2]) == 0xFF && uchar(data[data.size() - 1]) == 0xD9;
}

namespace {

QByteArray readWhole(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return QByteArray();
    return file.readAll();
}

// A PNG whose chunk claims more bytes than the data holds is refused before the PNG library,
// which would allocate the claimed size first, sees it.
bool hasSoundPngChunks(const QByteArray &data)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!data.startsWith(signature))
        return true;
    for (qint64 offset = signature.size(); offset + 8 <= data.size();) {
        const qint64 length = qFromBigEndian<quint32>(data.constData() + offset);
        if (length > data.size() - offset - 12)
            return false;
        if (data.mid(offset + 4, 4) == "IEND")
            return true;
        offset += 12 + length;
    }
    return true;
}

} // namespace

bool IsValidJpegFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 4)
        return false;
    const QByteArray head = file.read(2);
    if (!file.seek(file.size() - 2))
        return false;
    return HasJpegMarkers(head + file.read(2));
}

QImage Decode(const QByteArray &data, QSize wanted)
{
    if (data.size() >= 2 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8)
        return JpegCodec::Decode(data, wanted);
    if (!hasSoundPngChunks(data))
        return QImage();
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&buffer);
    reader.setAllocationLimit(int(JpegCodec::MaxPixels * 4 / (1024 * 1024)) + 1);
    const QSize size = reader.size();
    if (size.isValid() && !JpegCodec::AcceptableSize(size))
        return QImage();
    QImage image;
    if (!reader.read(&image) || !JpegCodec::AcceptableSize(image.size()))
        return QImage();
    return image;
}

QImage Read(const QString &path, QSize wanted)
{
    const QByteArray data = readWhole(path);
    if (data.isEmpty() || (HasJpegName(path) && !HasJpegMarkers(data)))
        return QImage();
    return Decode(data, wanted);
}

} // namespace PictureFile
