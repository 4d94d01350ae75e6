#include "store/binary_stream.h"
#include "support/store_fixtures.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(BinaryReader, ReadsLittleEndianValuesAtTheirOffsets)
{
    const QByteArray bytes = Bytes(19).i16(0, -2).i32(2, 0x12345678).f64(6, 1.5).u8(14, 200).i32(15, -7);
    BinaryReader reader(bytes);
    EXPECT_EQ(reader.readInt16(), -2);
    EXPECT_EQ(reader.readInt32(), 0x12345678);
    EXPECT_EQ(reader.readDouble(), 1.5);
    EXPECT_EQ(reader.readUInt8(), 200);
    EXPECT_EQ(reader.readInt32(), -7);
    EXPECT_EQ(reader.remaining(), 0);
}

TEST(BinaryReader, ReadingPastTheEndThrowsAndLeavesThePosition)
{
    const QByteArray bytes(3, '\x01');
    BinaryReader reader(bytes);
    EXPECT_THROW(reader.readInt32(), DamagedData);
    EXPECT_EQ(reader.position(), 0);
    EXPECT_THROW(reader.skip(4), DamagedData);
    EXPECT_THROW(reader.skip(-1), DamagedData);
    EXPECT_THROW(reader.readBytes(-1), DamagedData);
    EXPECT_THROW(reader.seek(4), DamagedData);
    EXPECT_EQ(reader.readUInt16(), 0x0101);
}

TEST(BinaryReader, ShortStringLengthIsClampedToTheField)
{
    // A length byte of 255 in a string[5]: only the five bytes of the field count, and the
    // reader goes on after the field.
    const QByteArray bytes = Bytes(8).u8(0, 255).raw(1, "abcdefg");
    BinaryReader reader(bytes);
    EXPECT_EQ(reader.readShortString(5), QStringLiteral("abcde"));
    EXPECT_EQ(reader.position(), 6);
}

TEST(BinaryReader, ShortStringNeedsTheWholeField)
{
    const QByteArray bytes = Bytes(4).str(0, "ab");
    BinaryReader reader(bytes);
    EXPECT_THROW(reader.readShortString(20), DamagedData);
}

TEST(BinaryWriter, ShortStringIsCutToTheFieldAndPaddedWithZeros)
{
    BinaryWriter writer;
    writer.writeShortString(QStringLiteral("abcdefgh"), 5);
    writer.writeShortString(QStringLiteral("x"), 3);
    EXPECT_EQ(writer.bytes(), QByteArray("\x05" "abcde" "\x01x\0\0", 10));
}

TEST(Windows1252, MapsTheHighControlBlockBothWays)
{
    const struct {
        char byte;
        char16_t character;
    } cases[] = {{'\x80', 0x20AC}, {'\x8A', 0x0160}, {'\x99', 0x2122}, {'\x9F', 0x0178},
                 {'\x81', 0x0081}, {'\x9D', 0x009D}, {'\xE9', 0x00E9}, {'A', u'A'}};
    for (const auto &entry : cases) {
        EXPECT_EQ(fromWindows1252(QByteArray(1, entry.byte)), QString(QChar(entry.character)));
        EXPECT_EQ(toWindows1252(QString(QChar(entry.character))), QByteArray(1, entry.byte));
    }
}

TEST(Windows1252, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(char(value));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(toWindows1252(QStringLiteral("a\u4E2Db\U0001F600c")), QByteArray("a?b?c"));
    EXPECT_EQ(fitToField(QStringLiteral("\U0001F600\U0001F600xyz"), 3), QStringLiteral("??x"));
}

TEST(DayNumber, CountsDaysSince18991230InLocalTime)
{
    const struct {
        QDateTime time;
        double days;
    } cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1900, 1, 1), QTime(12, 0)), 2.5},
        {QDateTime(QDate(2024, 3, 1), QTime(6, 0)), 45352.25},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
    };
    for (const auto &entry : cases) {
        EXPECT_DOUBLE_EQ(toDayNumber(entry.time), entry.days) << entry.time.toString().toStdString();
        EXPECT_EQ(fromDayNumber(entry.days), entry.time) << entry.days;
    }
}

TEST(DayNumber, ValuesThatNameNoDateGiveAnInvalidTime)
{
    for (double days : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1e300, -1e300, 2958466.0, -700000.0})
        EXPECT_FALSE(fromDayNumber(days).isValid()) << days;
    EXPECT_TRUE(fromDayNumber(2958465.99).isValid());
}

TEST(AtomicWrite, AFailedWriteLeavesTheOldFile)
{
    TempFolders folders;
    const QString folder = folders.path(QStringLiteral("locked"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/file.dat");
    writeFileAtomically(path, QByteArray("old contents"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(folder).isWritable())
        GTEST_SKIP() << "the folder cannot be made read-only (running as root?)";
    EXPECT_THROW(writeFileAtomically(path, QByteArray("new")), FileError);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readFile(path), QByteArray("old contents"));
}

TEST(AtomicWrite, AWriteThatRunsOutOfSpaceLeavesTheOldFile)
{
    TempFolders folders;
    const QString path = folders.path(QStringLiteral("file.dat"));
    writeFileAtomically(path, QByteArray("old contents"));
    {
        FileSizeLimit limit(64);
        EXPECT_THROW(writeFileAtomically(path, QByteArray(1000, 'n')), FileError);
    }
    EXPECT_EQ(readFile(path), QByteArray("old contents"));
    EXPECT_EQ(QDir(folders.path(QString())).entryList(QDir::Files), QStringList{QStringLiteral("file.dat")});
}

TEST(ReadWholeFile, RefusesFilesAboveTheLimit)
{
    TempFolders folders;
    const QString path = folders.path(QStringLiteral("big"));
    writeFile(path, QByteArray(100, 'x'));
    EXPECT_THROW(readWholeFile(path, 99), DamagedData);
    EXPECT_EQ(readWholeFile(path, 100).size(), 100);
    EXPECT_THROW(readWholeFile(folders.path(QStringLiteral("missing")), 100), FileError);
}
