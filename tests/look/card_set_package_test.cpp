#include "look/card_set_package.h"
#include "look/program_folder.h"
#include "look/support/package_builder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(CardSetPackage, ReadsPicturesStringsAndOfferedSizes)
{
    QTemporaryDir folder;
    PackageBuilder builder;
    builder.AddSize(0, QSize(71, 96));
    builder.AddPicture(12001, FlatPicture(QSize(89, 120), 1));
    builder.AddString(6717, QStringLiteral("Fixture"));
    builder.AddString(6721, QStringLiteral("8"));
    const QString path = folder.filePath(QStringLiteral("cdeck4.dll"));
    ASSERT_TRUE(builder.Write(path));

    CardSetPackage package;
    ASSERT_TRUE(package.Open(path));
    EXPECT_EQ(package.String(6717), QStringLiteral("Fixture"));
    EXPECT_TRUE(package.String(6718).isEmpty());
    EXPECT_EQ(package.RequiredDepth(), 8);
    EXPECT_FALSE(package.OffersSize(0));
    EXPECT_TRUE(package.OffersSize(1));
    EXPECT_TRUE(package.OffersSize(2));
    EXPECT_EQ(package.Picture(5).size(), QSize(71, 96));
    EXPECT_EQ(package.Picture(5).pixel(10, 10), FlatPicture(QSize(71, 96), 5).pixel(10, 10));
    EXPECT_TRUE(package.Picture(9999).isNull());
    package.Close();
    EXPECT_FALSE(package.IsOpen());
    EXPECT_TRUE(package.Picture(5).isNull());
}

TEST(CardSetPackage, DenseCopyServesHiDpiScreens)
{
    QTemporaryDir folder;
    PackageBuilder builder;
    builder.AddPicture(1, FlatPicture(QSize(71, 96), 1));
    builder.Add(QStringLiteral("rcdata/1@2x"), Png(FlatPicture(QSize(142, 192), 1)));
    builder.AddPicture(2, FlatPicture(QSize(71, 96), 2));
    const QString path = folder.filePath(QStringLiteral("cdeck2.dll"));
    ASSERT_TRUE(builder.Write(path));
    CardSetPackage package;
    ASSERT_TRUE(package.Open(path));
    EXPECT_EQ(package.Picture(1, 2.0).size(), QSize(142, 192));
    EXPECT_DOUBLE_EQ(package.Picture(1, 2.0).devicePixelRatio(), 2.0);
    EXPECT_EQ(package.Picture(1, 1.0).size(), QSize(71, 96));
    EXPECT_EQ(package.Picture(2, 2.0).size(), QSize(71, 96)); // no dense copy: the plain one
    EXPECT_DOUBLE_EQ(package.Picture(2, 2.0).devicePixelRatio(), 1.0);
}

TEST(CardSetPackage, TwoOpenPackagesDoNotSeeEachOther)
{
    QTemporaryDir folder;
    PackageBuilder first;
    first.AddString(6717, QStringLiteral("First"));
    PackageBuilder second;
    second.AddString(6717, QStringLiteral("Second"));
    ASSERT_TRUE(first.Write(folder.filePath(QStringLiteral("a.dll"))));
    ASSERT_TRUE(second.Write(folder.filePath(QStringLiteral("b.dll"))));
    CardSetPackage a;
    CardSetPackage b;
    ASSERT_TRUE(a.Open(folder.filePath(QStringLiteral("a.dll"))));
    ASSERT_TRUE(b.Open(folder.filePath(QStringLiteral("b.dll"))));
    EXPECT_EQ(a.String(6717), QStringLiteral("First"));
    EXPECT_EQ(b.String(6717), QStringLiteral("Second"));
}

TEST(CardSetPackage, DamagedBundlesAreRefusedOrReadSafely)
{
    QTemporaryDir folder;
    PackageBuilder builder;
    builder.AddPicture(1, FlatPicture(QSize(20, 30), 1));
    builder.AddPicture(2, FlatPicture(QSize(20, 30), 2));
    builder.AddString(6717, QStringLiteral("Name"));
    const QString path = folder.filePath(QStringLiteral("good.dll"));
    ASSERT_TRUE(builder.Write(path));
    const QByteArray good = readAll(path);
    ASSERT_TRUE(CardSetPackage::IsValidBundle(good));

    for (qsizetype length = 0; length < good.size(); length += 7)
        EXPECT_FALSE(CardSetPackage::IsValidBundle(good.left(length))) << length;

    const QString damagedPath = folder.filePath(QStringLiteral("damaged.dll"));
    quint32 seed = 11;
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = good;
        for (int flip = 0; flip < 1 + round % 4; ++flip) {
            seed = seed * 134775813u + 1u;
            damaged[qsizetype(seed % quint32(damaged.size()))] = char(seed >> 24);
        }
        QFile file(damagedPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
        file.close();
        CardSetPackage package;
        if (package.Open(damagedPath)) {
            package.Picture(1);
            package.Picture(2, 2.0);
            package.String(6717);
            package.OffersSize(1);
        }
    }

    QByteArray farOffsets = good;
    farOffsets[8] = char(0x7F); // tree offset far beyond the end
    EXPECT_FALSE(CardSetPackage::IsValidBundle(farOffsets));
    CardSetPackage missing;
    EXPECT_FALSE(missing.Open(folder.filePath(QStringLiteral("absent.dll"))));
}

TEST(CardSetPackage, ATreeWhoseRootIsNoDirectoryIsRefused)
{
    // Headers alone, the root's entry overlapping them: version 1 (20 bytes) and 2 (24).
    const char *damaged[] = {"7172657300000001000000000000000400000000",
                             "717265730000000200000000000000040000000000000000"};
    QTemporaryDir folder;
    for (const char *hex : damaged) {
        const QByteArray bytes = QByteArray::fromHex(hex);
        EXPECT_FALSE(CardSetPackage::IsValidBundle(bytes)) << hex;
        const QString path = folder.filePath(QStringLiteral("cdeck2.dll"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        CardSetPackage package;
        EXPECT_FALSE(package.Open(path)) << hex;
        EXPECT_FALSE(package.HasPicture(1));
    }
}

TEST(CardSetPackage, ShippedPackagesHoldTheirSizesAndNames)
{
    CardSetPackage standard;
    ASSERT_TRUE(standard.Open(programFolder() + QStringLiteral("/sdeck.dll")));
    EXPECT_TRUE(standard.OffersSize(0));
    EXPECT_FALSE(standard.OffersSize(1));
    EXPECT_TRUE(standard.OffersSize(2));
    EXPECT_EQ(standard.Picture(11001).size(), QSize(55, 74));
    EXPECT_EQ(standard.Picture(12001, 2.0).size(), QSize(178, 240));

    CardSetPackage highland;
    ASSERT_TRUE(highland.Open(programFolder() + QStringLiteral("/cdeck1.dll")));
    EXPECT_EQ(highland.String(6717), QStringLiteral("Highland"));
    for (int size = 0; size < 3; ++size)
        EXPECT_TRUE(highland.OffersSize(size)) << size;
    EXPECT_TRUE(highland.HasPicture(66));       // its own back 13
    EXPECT_FALSE(highland.HasPicture(12000 + 60)); // back 6 comes from the program
}
