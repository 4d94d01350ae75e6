#include "look/rotate_bitmap.h"

#include <cmath>
#include <cstring>

namespace BitmapRotation {

QString Refusal(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8:
    case 16:
    case 24:
    case 32:
        return QString();
    case 1:
        return QStringLiteral("pf1bit or monochrome is not supported.");
    default:
        return QStringLiteral("pf%1bit is not supported.").arg(bitsPerPixel);
    }
}

int BitsPerPixel(const QImage &picture)
{
    return picture.format() == QImage::Format_RGB555 ? 15 : picture.depth();
}

QString RotateBitmap(const QImage &source, QImage &target, int offsetX, int offsetY, double angle)
{
    if (const QString refusal = Refusal(BitsPerPixel(source)); !refusal.isEmpty())
        return refusal;
    if (target.format() != source.format()) {
        QImage converted(target.size(), source.format());
        converted.setColorTable(source.colorTable());
        converted.fill(0);
        target = converted;
    } else if (source.format() == QImage::Format_Indexed8) {
        target.setColorTable(source.colorTable());
    }
    const qint64 c = std::llround(std::cos(angle) * 65536.0);
    const qint64 s = std::llround(std::sin(angle) * 65536.0);
    const int bytes = source.depth() / 8;
    const int width = target.width(), height = target.height();
    for (int y = source.height() - 1; y >= 0; --y) {
        const uchar *from = source.constScanLine(y);
        for (int x = source.width() - 1; x >= 0; --x) {
            const qint64 tx = offsetX + (x * c - y * s) / 65536;
            const qint64 ty = offsetY + (y * c + x * s) / 65536;
            if (tx < 0 || ty < 0 || tx >= width || ty >= height)
                continue;
            uchar *to = target.scanLine(int(ty));
            const uchar *pixel = from + qsizetype(x) * bytes;
            std::memcpy(to + tx * bytes, pixel, size_t(bytes));
            if (tx > 0)
                std::memcpy(to + (tx - 1) * bytes, pixel, size_t(bytes));
        }
    }
    return QString();
}

} // namespace BitmapRotation
