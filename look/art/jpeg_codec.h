#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// JPEG through libjpeg-turbo's libjpeg interface. Every picture file is untrusted: the header
// is read first and absurd dimensions are refused before anything is allocated.
namespace JpegCodec {

constexpr int MaxSide = 8192;
constexpr qint64 MaxPixels = 40'000'000;

// True when a picture of this size may be decoded.
bool AcceptableSize(QSize size);

// The picture's full size from its header; an invalid size when the data is no JPEG.
QSize HeaderSize(const QByteArray &data);

// The reduced size the decoder will produce for a wanted size: the smallest of the decoder's
// scales that still covers the wanted size in both directions (the full size when none does,
// or when no size is wanted).
QSize ScaledSize(QSize full, QSize wanted);

// Decodes to an RGB32 image at ScaledSize; a null image for damaged, absurd or non-JPEG data.
QImage Decode(const QByteArray &data, QSize wanted = QSize());

// Encodes at the given quality (the program writes its JPEGs at 96); empty on failure.
QByteArray Encode(const QImage &image, int quality = 96);

} // namespace JpegCodec
