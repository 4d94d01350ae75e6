#include "look/art/jpeg_codec.h"
#include "look/picture_file.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage gradientPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), 128));
    return picture;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Rewrites the dimensions in a JPEG's start-of-frame marker.
QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && (uchar(jpeg[i + 1]) == 0xC0 || uchar(jpeg[i + 1]) == 0xC2)) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height & 0xFF);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width & 0xFF);
            return jpeg;
        }
    }
    return QByteArray();
}

} // namespace

TEST(PictureFile, JpegNeedsItsStartAndEndMarkers)
{
    const QByteArray jpeg = JpegCodec::Encode(gradientPicture(QSize(40, 30)));
    ASSERT_FALSE(jpeg.isEmpty());
    QTemporaryDir folder;
    struct Case {
        const char *name;
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {"whole.jpg", jpeg, true},
        {"truncated.jpg", jpeg.left(jpeg.size() - 10), false},
        {"no-start.JPG", jpeg.mid(2), false},
        {"tiny.jpg", QByteArray("\xFF\xD8\xFF", 3), false},
        {"empty.jpeg", QByteArray(), false},
    };
    for (const Case &item : cases) {
        const QString path = folder.filePath(QString::fromLatin1(item.name));
        ASSERT_TRUE(writeBytes(path, item.bytes));
        EXPECT_EQ(PictureFile::IsValidJpegFile(path), item.valid) << item.name;
        EXPECT_EQ(PictureFile::Read(path).isNull(), !item.valid) << item.name;
    }
    EXPECT_FALSE(PictureFile::IsValidJpegFile(folder.filePath(QStringLiteral("absent.jpg"))));
}

TEST(PictureFile, JpegIsDecodedAtTheSmallestScaleThatCoversTheCard)
{
    const QByteArray jpeg = JpegCodec::Encode(gradientPicture(QSize(800, 1000)));
    const struct {
        QSize wanted;
        QSize decoded;
    } cases[] = {
        {QSize(71, 96), QSize(100, 125)},     // 1/8
        {QSize(142, 192), QSize(200, 250)},   // 1/4
        {QSize(300, 300), QSize(300, 375)},   // 3/8
        {QSize(900, 900), QSize(800, 1000)},  // never enlarged
        {QSize(), QSize(800, 1000)},
    };
    for (const auto &item : cases) {
        const QImage image = PictureFile::Decode(jpeg, item.wanted);
        EXPECT_EQ(image.size(), item.decoded) << item.wanted.width();
    }
    const QImage small = PictureFile::Decode(jpeg, QSize(71, 96));
    EXPECT_GT(qRed(small.pixel(99, 0)), 200); // the picture, not garbage: red grows to the right
    EXPECT_LT(qRed(small.pixel(0, 0)), 40);
}

TEST(PictureFile, AbsurdDimensionsAreRefusedBeforeDecoding)
{
    const QByteArray jpeg = JpegCodec::Encode(gradientPicture(QSize(64, 64)));
    for (QSize size : {QSize(9000, 100), QSize(100, 8193), QSize(8000, 8000)}) {
        const QByteArray huge = withFrameSize(jpeg, size.width(), size.height());
        ASSERT_FALSE(huge.isEmpty());
        EXPECT_EQ(JpegCodec::HeaderSize(huge), size);
        EXPECT_TRUE(PictureFile::Decode(huge).isNull()) << size.width() << "x" << size.height();
    }

    // A BMP header claiming 20000 x 20000 pixels.
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(bitmap.save(&buffer, "BMP"));
    EXPECT_FALSE(PictureFile::Decode(bmp).isNull());
    const int huge = 20000;
    for (int i = 0; i < 4; ++i) {
        bmp[18 + i] = char((huge >> (8 * i)) & 0xFF);
        bmp[22 + i] = char((huge >> (8 * i)) & 0xFF);
    }
    EXPECT_TRUE(PictureFile::Decode(bmp).isNull());
}

TEST(PictureFile, DamagedJpegGivesNoPictureOrAPartialOneButNeverCrashes)
{
    const QByteArray jpeg = JpegCodec::Encode(gradientPicture(QSize(120, 90)));
    quint32 seed = 7;
    for (int round = 0; round < 200; ++round) {
        QByteArray damaged = jpeg;
        for (int flip = 0; flip < 1 + round % 8; ++flip) {
            seed = seed * 134775813u + 1u;
            damaged[2 + qsizetype(seed % quint32(damaged.size() - 4))] = char(seed >> 24);
        }
        const QImage image = PictureFile::Decode(damaged, QSize(71, 96));
        if (!image.isNull()) {
            EXPECT_TRUE(JpegCodec::AcceptableSize(image.size()));
        }
    }
    for (qsizetype length = 0; length < jpeg.size(); length += 37)
        PictureFile::Decode(jpeg.left(length) + QByteArray("\xFF\xD9", 2));
    EXPECT_TRUE(PictureFile::Decode(QByteArray("\xFF\xD8garbage\xFF\xD9")).isNull());
}
