#include "look/art/jpeg_codec.h"

#include <turbojpeg.h>

#include <memory>

namespace JpegCodec {

namespace {

// The byte order of QImage::Format_RGB32 in memory.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr int rgb32Layout = TJPF_BGRA;
#else
constexpr int rgb32Layout = TJPF_ARGB;
#endif

struct HandleCloser {
    void operator()(void *handle) const
    {
        if (handle)
            tjDestroy(handle);
    }
};
using Handle = std::unique_ptr<void, HandleCloser>;

bool readHeader(tjhandle handle, const QByteArray &data, int &width, int &height)
{
    int subsampling = 0;
    int colourSpace = 0;
    return tjDecompressHeader3(handle, reinterpret_cast<const unsigned char *>(data.constData()),
                               static_cast<unsigned long>(data.size()), &width, &height, &subsampling,
                               &colourSpace) == 0;
}

} // namespace

bool AcceptableSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide && size.height() <= MaxSide &&
           qint64(size.width()) * size.height() <= MaxPixels;
}

QSize HeaderSize(const QByteArray &data)
{
    if (data.size() < 4)
        return QSize();
    Handle handle(tjInitDecompress());
    int width = 0;
    int height = 0;
    if (!handle || !readHeader(handle.get(), data, width, height))
        return QSize();
    return QSize(width, height);
}

QSize ScaledSize(QSize full, QSize wanted)
{
    if (!wanted.isValid() || wanted.isEmpty())
        return full;
    int count = 0;
    const tjscalingfactor *factors = tjGetScalingFactors(&count);
    QSize best = full;
    for (int i = 0; factors && i < count; ++i) {
        const QSize scaled(TJSCALED(full.width(), factors[i]), TJSCALED(full.height(), factors[i]));
        const bool covers = scaled.width() >= wanted.width() && scaled.height() >= wanted.height();
        const bool smaller = qint64(scaled.width()) * scaled.height() < qint64(best.width()) * best.height();
        if (covers && smaller && factors[i].num <= factors[i].denom)
            best = scaled;
    }
    return best;
}

QImage Decode(const QByteArray &data, QSize wanted)
{
    if (data.size() < 4)
        return QImage();
    Handle handle(tjInitDecompress());
    int width = 0;
    int height = 0;
    if (!handle || !readHeader(handle.get(), data, width, height) || !AcceptableSize(QSize(width, height)))
        return QImage();
    const QSize scaled = ScaledSize(QSize(width, height), wanted);
    QImage image(scaled, QImage::Format_RGB32);
    if (image.isNull())
        return QImage();
    const int result = tjDecompress2(handle.get(), reinterpret_cast<const unsigned char *>(data.constData()),
                                     static_cast<unsigned long>(data.size()), image.bits(), scaled.width(),
                                     static_cast<int>(image.bytesPerLine()), scaled.height(), rgb32Layout, 0);
    // A warning (a damaged but decodable stream) still yields a picture; an error does not.
    if (result != 0 && tjGetErrorCode(handle.get()) != TJERR_WARNING)
        return QImage();
    return image;
}

QByteArray Encode(const QImage &image, int quality)
{
    if (image.isNull() || !AcceptableSize(image.size()))
        return QByteArray();
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    Handle handle(tjInitCompress());
    if (!handle)
        return QByteArray();
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle.get(), source.constBits(), source.width(),
                                   static_cast<int>(source.bytesPerLine()), source.height(), rgb32Layout, &buffer,
                                   &size, TJSAMP_420, qBound(1, quality, 100), TJFLAG_ACCURATEDCT);
    QByteArray encoded;
    if (result == 0 && buffer)
        encoded = QByteArray(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    tjFree(buffer);
    return encoded;
}

} // namespace JpegCodec
