#include "store/binary_stream.h"
#include "store/log_file.h"
#include "support/store_fixtures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// One log record from the byte table.
Bytes recordBytes(qint32 gameNumber, qint32 gameId, const char *player)
{
    Bytes bytes(112);
    bytes.i32(0, gameNumber).i32(4, gameId).u8(8, 1).raw(9, "\x01\x02\x03").i32(12, 250).i32(16, 87)
        .f64(20, 45352.5).f64(28, 0.125).str(36, player).str(57, "a comment").raw(98, "\x04\x05\x06\x07")
        .i32(102, 31).raw(106, "\x08\x09\x0a\x0b").raw(110, "\x0c\x0d");
    return bytes;
}

LogRecord record(qint32 gameId, const char *player, qint32 gameNumber = 1)
{
    return decodeLogRecord(recordBytes(gameNumber, gameId, player));
}

struct LogFixture : ::testing::Test {
    TempFolders folders;
    GameLog log{folders.path(QStringLiteral("qellog.dat"))};

    void writeRecords(const std::vector<LogRecord> &records)
    {
        QByteArray bytes;
        for (const LogRecord &entry : records)
            bytes += encodeLogRecord(entry);
        writeFile(log.path(), bytes);
    }

    std::vector<LogRecord> readRecords() const
    {
        std::vector<LogRecord> records;
        log.forEachRecord([&](qint64, const LogRecord &entry) {
            records.push_back(entry);
            return true;
        });
        return records;
    }
};

} // namespace

TEST(LogRecord, ReadsEveryFieldAtItsOffsetAndWritesItBack)
{
    const QByteArray bytes = recordBytes(-2, 1003, "Alice");
    const LogRecord read = decodeLogRecord(bytes);
    EXPECT_EQ(read.GameNumber, 0xFFFFFFFEu);
    EXPECT_EQ(read.GameId, 1003);
    EXPECT_TRUE(read.Won);
    EXPECT_EQ(read.Score, 250);
    EXPECT_EQ(read.Moves, 87);
    EXPECT_EQ(read.StartTime, 45352.5);
    EXPECT_EQ(read.Duration, 0.125);
    EXPECT_EQ(read.PlayerName, QStringLiteral("Alice"));
    EXPECT_EQ(read.Comment, QStringLiteral("a comment"));
    EXPECT_EQ(read.RunNumber, 31);
    EXPECT_EQ(encodeLogRecord(read), bytes);
    EXPECT_EQ(encodeLogRecord(read).size(), 112);
}

TEST(LogRecord, LengthBytesBeyondTheFieldAreClamped)
{
    Bytes bytes = recordBytes(1, 1, "");
    bytes.raw(37, QByteArray(20, 'p')).u8(36, 255).u8(57, 255);
    const LogRecord read = decodeLogRecord(bytes);
    EXPECT_EQ(read.PlayerName, QString(20, u'p'));
    EXPECT_EQ(read.Comment.size(), 40);
    EXPECT_EQ(read.RunNumber, 31);
}

TEST(LogRecord, EveryTruncationIsRefused)
{
    const QByteArray bytes = recordBytes(1, 1, "Alice");
    for (qsizetype length = 0; length < 112; ++length)
        EXPECT_THROW(decodeLogRecord(bytes.left(length)), DamagedData) << length;
}

TEST_F(LogFixture, AppendCreatesTheLogAndZeroesTheReservedRunField)
{
    log.append(record(10, "Alice"));
    log.append(record(11, "Bob"));
    const QByteArray bytes = readFile(log.path());
    ASSERT_EQ(bytes.size(), 224);
    EXPECT_EQ(bytes.mid(112 + 106, 4), QByteArray(4, '\0'));
    EXPECT_EQ(bytes.mid(112 + 110, 2), QByteArray("\x0c\x0d"));
    EXPECT_EQ(log.readLast()->GameId, 11);
}

TEST_F(LogFixture, AppendAfterAPartialRecordStaysAlignedAndKeepsTheDamagedLogAside)
{
    writeRecords({record(10, "Alice")});
    QFile file(log.path());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(50, 'x'));
    file.close();

    log.append(record(12, "Bob"));
    EXPECT_EQ(QFileInfo(log.path()).size(), 224);
    EXPECT_EQ(log.readLast()->GameId, 12);
    EXPECT_EQ(QFileInfo(log.path() + QStringLiteral(".bad")).size(), 162);
}

TEST_F(LogFixture, AnAppendOnAFullDiskLeavesOnlyWholeRecords)
{
    // Room for part of the new record, for one byte of it, and for none.
    for (const long room : {64L, 1L, 0L}) {
        writeRecords({record(10, "Alice"), record(11, "Bob")});
        {
            FileSizeLimit limit(2 * 112 + room);
            EXPECT_THROW(log.append(record(12, "Carol")), FileError) << room;
        }
        EXPECT_EQ(QFileInfo(log.path()).size(), 224) << room;
        EXPECT_EQ(log.readLast()->GameId, 11) << room;
    }
}

TEST_F(LogFixture, TheLastRecordIsNothingWithoutRecords)
{
    EXPECT_FALSE(log.readLast());
    EXPECT_FALSE(QFile::exists(log.path()));
    writeFile(log.path(), QByteArray(30, 'x'));
    EXPECT_FALSE(log.readLast());
    EXPECT_EQ(log.recordCount(), 0);
}

TEST_F(LogFixture, RenamingAPlayerChangesEveryRecordOfThatNameCutTo20)
{
    writeRecords({record(1, "Alice"), record(2, "Bob"), record(3, "Alice")});
    ASSERT_TRUE(log.renamePlayer(QStringLiteral("Alice"), QStringLiteral("Alexandra Konstantina")));
    const auto records = readRecords();
    EXPECT_EQ(records[0].PlayerName, QStringLiteral("Alexandra Konstantin"));
    EXPECT_EQ(records[1].PlayerName, QStringLiteral("Bob"));
    EXPECT_EQ(records[2].PlayerName, QStringLiteral("Alexandra Konstantin"));
    EXPECT_EQ(records[2].Comment, QStringLiteral("a comment"));
    EXPECT_FALSE(GameLog(folders.path(QStringLiteral("none.dat"))).renamePlayer(QStringLiteral("a"), QStringLiteral("b")));
}

TEST_F(LogFixture, DeletingAPlayersRecordsOfOneGameOrOfAll)
{
    writeRecords({record(1, "Alice"), record(2, "Alice"), record(1, "Bob")});
    ASSERT_TRUE(log.deletePlayerRecords(QStringLiteral("Alice"), 1));
    auto records = readRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].GameId, 2);
    ASSERT_TRUE(log.deletePlayerRecords(QStringLiteral("Alice"), -1));
    records = readRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].PlayerName, QStringLiteral("Bob"));
    EXPECT_FALSE(QFile::exists(log.scratchPath()));
}

TEST_F(LogFixture, DeletingACustomVariantRenumbersTheOnesAbove)
{
    writeRecords({record(1000, "A"), record(1001, "A"), record(1002, "A"), record(5, "A"), record(1003, "A")});
    ASSERT_TRUE(log.deleteGameRecords(1001));
    std::vector<int> ids;
    for (const LogRecord &entry : readRecords())
        ids.push_back(entry.GameId);
    EXPECT_EQ(ids, (std::vector<int>{1000, 1001, 5, 1002}));
    ASSERT_TRUE(log.deleteGameRecords(-1));
    EXPECT_EQ(log.recordCount(), 0);
}

TEST_F(LogFixture, TrimKeepsTheNewestRecords)
{
    const struct {
        int records;
        int maxLog;
        int kept;
    } cases[] = {{2001, 2000, 2000}, {2000, 2000, 2000}, {5, 1, 1}, {5, 0, 5}, {5, -3, 5}};
    for (const auto &entry : cases) {
        std::vector<LogRecord> records;
        for (int number = 0; number < entry.records; ++number)
            records.push_back(record(1, "A", number));
        writeRecords(records);
        EXPECT_EQ(log.trim(entry.maxLog), entry.maxLog >= 1);
        const auto kept = readRecords();
        ASSERT_EQ(int(kept.size()), entry.kept);
        EXPECT_EQ(int(kept.front().GameNumber), entry.records - entry.kept);
        EXPECT_EQ(int(kept.back().GameNumber), entry.records - 1);
    }
}

TEST_F(LogFixture, TrimKeepsTheLastRecordsByteForByteInOrder)
{
    // Logs longer than a copy block, ending on and off a block's edge, some with a partial
    // record left by an interrupted write; the log of only a partial record is left alone.
    const struct {
        int records;
        int partialBytes;
        int maxLog;
        int kept;
    } cases[] = {{10176, 0, 10000, 10000}, {8200, 0, 8193, 8193}, {4097, 0, 1, 1},
                 {2001, 57, 2000, 2000},   {3, 111, 1, 1},         {0, 50, 1, 0}};
    for (const auto &entry : cases) {
        QByteArray whole;
        for (int number = 0; number < entry.records; ++number)
            whole += recordBytes(number, number % 7, "Alice").data();
        const QByteArray original = whole + QByteArray(entry.partialBytes, '\x5a');
        writeFile(log.path(), original);

        ASSERT_TRUE(log.trim(entry.maxLog)) << entry.records << " records";
        const bool trimmed = entry.records > entry.maxLog;
        EXPECT_EQ(readFile(log.path()), trimmed ? whole.right(qsizetype(entry.kept) * LogRecord::Size) : original)
            << entry.records << " records";
        EXPECT_EQ(log.recordCount(), entry.kept);
        EXPECT_FALSE(QFile::exists(log.scratchPath()));
        // The damaged log is kept aside before it is replaced.
        if (trimmed && entry.partialBytes > 0) {
            EXPECT_EQ(readFile(log.path() + QStringLiteral(".bad")), original);
            QFile::remove(log.path() + QStringLiteral(".bad"));
        }
    }
}

TEST_F(LogFixture, AFailedRewriteLeavesTheOldLog)
{
    writeRecords({record(1, "Alice"), record(2, "Bob")});
    const QByteArray before = readFile(log.path());
    // The scratch file's name is taken by a folder, so it cannot be written.
    QDir().mkpath(log.scratchPath());
    EXPECT_FALSE(log.deletePlayerRecords(QStringLiteral("Alice"), -1));
    EXPECT_FALSE(log.trim(1));
    EXPECT_EQ(readFile(log.path()), before);
    QDir(log.scratchPath()).removeRecursively();

    // Running out of space half-way through the scratch file.
    std::vector<LogRecord> many(40, record(1, "Alice"));
    writeRecords(many);
    const QByteArray full = readFile(log.path());
    {
        FileSizeLimit limit(112 * 10);
        EXPECT_FALSE(log.deleteGameRecords(2));
    }
    EXPECT_EQ(readFile(log.path()), full);
    EXPECT_FALSE(QFile::exists(log.scratchPath()));
}

TEST(RecordStream, StepBackAtTheStartFailsWithItsMessage)
{
    TempFolders folders;
    const QString path = folders.path(QStringLiteral("log"));
    writeFile(path, QByteArray(112 * 2 + 5, '\0'));
    TRecordStream stream;
    ASSERT_TRUE(stream.open(path, QIODevice::ReadOnly));
    EXPECT_EQ(stream.RecordCount(), 2);
    EXPECT_EQ(stream.CurrentRecord(), 1);
    stream.SeekLastRecord();
    EXPECT_EQ(stream.CurrentRecord(), 2);
    stream.StepBack();
    try {
        stream.StepBack();
        FAIL() << "stepping back before the first record must fail";
    } catch (const FileError &error) {
        EXPECT_STREQ(error.what(), "Cannot read beyond beginning of the  file.");
    }
}
