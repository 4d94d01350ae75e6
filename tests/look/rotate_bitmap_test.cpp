// The rotation routine of the card back maker against its formula, stated here apart.
#include "look/rotate_bitmap.h"

#include <QRandomGenerator>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

QImage noisePicture(QSize size, QImage::Format format, quint32 seed)
{
    QImage picture(size, format);
    if (format == QImage::Format_Indexed8) {
        QList<QRgb> colours;
        for (int i = 0; i < 256; ++i)
            colours << qRgb(i, 255 - i, i / 2);
        picture.setColorTable(colours);
    }
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y)
        for (qsizetype i = 0; i < picture.bytesPerLine(); ++i)
            picture.scanLine(y)[i] = uchar(random.bounded(256));
    return picture;
}

// The formula: C, S = cos, sin of the angle times 65536, rounded; for each source pixel from
// the last row and column back, the target point is offset + (x C - y S, y C + x S) / 65536
// with the quotients cut toward zero; the pixel goes there and to the pixel left of it.
QImage expectedRotation(const QImage &source, QSize targetSize, int dx, int dy, double angle)
{
    QImage target(targetSize, source.format());
    target.fill(0);
    const double c = std::round(std::cos(angle) * 65536), s = std::round(std::sin(angle) * 65536);
    const int bytes = source.depth() / 8;
    for (int y = source.height() - 1; y >= 0; --y)
        for (int x = source.width() - 1; x >= 0; --x) {
            const long tx = dx + long(std::trunc((x * c - y * s) / 65536));
            const long ty = dy + long(std::trunc((y * c + x * s) / 65536));
            if (tx < 0 || ty < 0 || tx >= targetSize.width() || ty >= targetSize.height())
                continue;
            for (const long column : {tx, tx - 1})
                if (column >= 0)
                    std::memcpy(target.scanLine(int(ty)) + column * bytes, source.constScanLine(y) + x * bytes,
                                size_t(bytes));
        }
    return target;
}

bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    const int rowBytes = a.width() * a.depth() / 8;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(rowBytes)) != 0)
            return false;
    return true;
}

} // namespace

TEST(RotateBitmap, FollowsItsFormulaAtEveryPixelSize)
{
    const QImage::Format formats[] = {QImage::Format_Indexed8, QImage::Format_RGB16, QImage::Format_RGB888,
                                      QImage::Format_RGB32};
    const struct {
        double angle;
        int dx, dy;
    } turns[] = {{0, 0, 0}, {0.3, 20, 0}, {M_PI / 2, 33, 0}, {2.0, 60, 30}, {M_PI, 70, 40}, {-0.7, 0, 45}};
    quint32 seed = 1;
    for (const QImage::Format format : formats)
        for (const auto &turn : turns) {
            SCOPED_TRACE(testing::Message() << "format " << format << " angle " << turn.angle);
            const QImage source = noisePicture(QSize(47, 33), format, ++seed);
            QImage target(QSize(80, 70), QImage::Format_RGB32); // takes the source's format
            target.fill(0);
            EXPECT_TRUE(BitmapRotation::RotateBitmap(source, target, turn.dx, turn.dy, turn.angle).isEmpty());
            EXPECT_TRUE(samePixels(target, expectedRotation(source, QSize(80, 70), turn.dx, turn.dy, turn.angle)));
        }
}

TEST(RotateBitmap, AQuarterTurnOf200By100IsAnExactTurn)
{
    const QImage source = noisePicture(QSize(200, 100), QImage::Format_RGB888, 9);
    QImage target(100, 200, QImage::Format_RGB888);
    ASSERT_TRUE(BitmapRotation::RotateBitmap(source, target, source.height(), 0, M_PI / 2).isEmpty());
    ASSERT_EQ(target.size(), QSize(100, 200));
    // Row 0 lands just outside the target; the extra pixel of row 1 fills the last column.
    for (int y = 1; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(target.pixel(99 - y, x), source.pixel(x, y)) << x << "," << y;
}

TEST(RotateBitmap, RefusesPixelSizesItCannotTurn)
{
    EXPECT_EQ(BitmapRotation::Refusal(4), QStringLiteral("pf4bit is not supported."));
    const struct {
        QImage::Format format;
        const char *text;
    } cases[] = {{QImage::Format_Mono, "pf1bit or monochrome is not supported."},
                 {QImage::Format_RGB555, "pf15bit is not supported."}};
    for (const auto &test : cases) {
        QImage target(10, 20, QImage::Format_RGB32);
        target.fill(Qt::red);
        EXPECT_EQ(BitmapRotation::RotateBitmap(QImage(20, 10, test.format), target, 10, 0, M_PI / 2),
                  QString::fromLatin1(test.text));
        EXPECT_EQ(target.pixel(3, 3), QColor(Qt::red).rgb());
    }
}
