#include "store/stats_file.h"
#include "support/store_fixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double Today = 45352.0;
constexpr qsizetype RecordSize = 33856;

// The block of a game inside a player record that starts at recordStart.
qsizetype block(qsizetype recordStart, int gameId)
{
    return recordStart + 64 * gameId;
}

// qelstat.dat with two players, written from the byte tables.
Bytes twoPlayerFile()
{
    Bytes bytes(12 + 2 * RecordSize);
    bytes.raw(0, QByteArray("\x03v50")).i32(4, 2).i32(8, 1);
    const qsizetype alice = 12;
    bytes.i16(block(alice, 10) + 0, 3).i16(block(alice, 10) + 2, 5).i32(block(alice, 10) + 4, 120)
        .f64(block(alice, 10) + 8, 0.01)
        .f64(block(alice, 10) + 16, Today - 1)
        .i16(block(alice, 10) + 24, 1).i16(block(alice, 10) + 26, 2).i32(block(alice, 10) + 28, 40)
        .f64(block(alice, 10) + 32, 0.02)
        .i16(block(alice, 10) + 40, 6).i16(block(alice, 10) + 42, 7).i32(block(alice, 10) + 44, -9)
        .f64(block(alice, 10) + 48, 0.03);
    bytes.i16(block(alice, 500) + 2, 1);
    bytes.str(alice + 32064, "Alice").str(alice + 32320 + 2 * 256, "alice@example.org");
    const qsizetype bob = 12 + RecordSize;
    bytes.i16(block(bob, 0), 11).str(bob + 32064, "Bob");
    return bytes;
}

} // namespace

TEST(StatsFile, ReadsEveryFieldAtItsOffset)
{
    const StatsFileContents contents = decodeStatsFile(twoPlayerFile(), Today);
    ASSERT_EQ(contents.status, StatsFileContents::Status::Whole);
    ASSERT_EQ(contents.players.size(), 2u);
    EXPECT_EQ(contents.currentIndex, 1);
    const PlayerRecord &alice = contents.players[0];
    EXPECT_EQ(alice.Name, QStringLiteral("Alice"));
    EXPECT_EQ(alice.Details[2], QStringLiteral("alice@example.org"));
    const GameStats &stats = alice.Games[10];
    EXPECT_EQ(stats.AllTime, (PeriodStats{3, 5, 120, 0.01}));
    EXPECT_EQ(stats.TodayDate, Today - 1);
    EXPECT_EQ(stats.Today, (PeriodStats{1, 2, 40, 0.02}));
    EXPECT_EQ(stats.ThisRun, (PeriodStats{6, 7, -9, 0.03}));
    EXPECT_EQ(alice.Games[500].AllTime.Won, 1);
    EXPECT_EQ(contents.players[1].Name, QStringLiteral("Bob"));
    EXPECT_EQ(contents.players[1].Games[0].AllTime.NotWon, 11);
}

TEST(StatsFile, WritesBackByteForByte)
{
    const QByteArray original = twoPlayerFile();
    const StatsFileContents contents = decodeStatsFile(original, Today);
    const QByteArray written = encodeStatsFile(contents.players, contents.currentIndex);
    EXPECT_EQ(written.size(), 12 + 2 * RecordSize);
    EXPECT_EQ(written, original);
}

TEST(StatsFile, AWrongMarkGivesOneDefaultPlayer)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("v50"), QByteArray("\x03v41xxxxxxxx"),
                                    QByteArray(twoPlayerFile()).replace(1, 1, "V")}) {
        const StatsFileContents contents = decodeStatsFile(bytes, Today);
        EXPECT_EQ(contents.status, StatsFileContents::Status::WrongMark);
        ASSERT_EQ(contents.players.size(), 1u);
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Default"));
        EXPECT_EQ(contents.players[0].Games[7].TodayDate, Today);
    }
}

TEST(StatsFile, AbsurdCountsAndIndexesFallBack)
{
    const struct {
        qint32 count;
        qint32 index;
        std::size_t players;
        int current;
    } cases[] = {
        {2, 1, 2, 1},
        {0, 0, 1, 0},
        {-1, 0, 1, 0},
        {501, 0, 1, 0},
        {std::numeric_limits<qint32>::max(), 1, 1, 0},
        {500, 1, 2, 1},  // only two records in the file: no records made out of nothing
        {2, 2, 2, 0},
        {2, -5, 2, 0},
        {2, 501, 2, 0},
    };
    for (const auto &entry : cases) {
        Bytes bytes = twoPlayerFile();
        bytes.i32(4, entry.count).i32(8, entry.index);
        const StatsFileContents contents = decodeStatsFile(bytes, Today);
        EXPECT_EQ(contents.players.size(), entry.players) << entry.count << " " << entry.index;
        EXPECT_EQ(contents.currentIndex, entry.current) << entry.count << " " << entry.index;
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Alice"));
        const bool whole = entry.count == 2;
        EXPECT_EQ(contents.status == StatsFileContents::Status::Whole, whole) << entry.count;
    }
}

TEST(StatsFile, EveryTruncationKeepsTheWholeRecordsAndNamesTheRest)
{
    const QByteArray full = twoPlayerFile();
    std::vector<qsizetype> lengths;
    for (qsizetype length = 0; length < 200; ++length)
        lengths.push_back(length);
    for (qsizetype length = 200; length < full.size(); length += 97)
        lengths.push_back(length);
    for (qsizetype near : {12 + RecordSize, qsizetype(full.size())})
        for (qsizetype length = near - 300; length < near; ++length)
            lengths.push_back(length);

    for (qsizetype length : lengths) {
        const StatsFileContents contents = decodeStatsFile(full.left(length), Today);
        ASSERT_FALSE(contents.players.empty());
        ASSERT_GE(contents.currentIndex, 0);
        ASSERT_LT(contents.currentIndex, int(contents.players.size()));
        if (length < 4) {
            EXPECT_EQ(contents.status, StatsFileContents::Status::WrongMark);
            continue;
        }
        EXPECT_EQ(contents.status, StatsFileContents::Status::Damaged) << length;
        if (length == 12 + RecordSize) {
            ASSERT_EQ(contents.players.size(), 1u);
            EXPECT_EQ(contents.players[0].Name, QStringLiteral("Alice"));
        } else if (length > 12 + RecordSize) {
            ASSERT_EQ(contents.players.size(), 2u) << length;
            EXPECT_EQ(contents.players[0].Name, QStringLiteral("Alice"));
            EXPECT_EQ(contents.players[1].Name, QStringLiteral("Default1"));
            EXPECT_EQ(contents.players[1].Games[0].AllTime.NotWon, 0);
        } else {
            EXPECT_EQ(contents.players[0].Name, QStringLiteral("Default")) << length;
        }
    }
}

TEST(StatsFile, UnusableBestTimesReadAsNone)
{
    Bytes bytes = twoPlayerFile();
    const qsizetype stats = block(12, 3);
    bytes.f64(stats + 8, std::numeric_limits<double>::quiet_NaN())
        .f64(stats + 32, -0.5)
        .f64(stats + 48, std::numeric_limits<double>::infinity())
        .f64(stats + 16, std::numeric_limits<double>::quiet_NaN())
        .i16(stats + 24, 4);
    StatsFileContents contents = decodeStatsFile(bytes, Today);
    GameStats &read = contents.players[0].Games[3];
    EXPECT_EQ(read.AllTime.BestTime, 0);
    EXPECT_EQ(read.Today.BestTime, 0);
    EXPECT_EQ(read.ThisRun.BestTime, 0);
    // A day that is no day is never today: the Today counters restart.
    contents.players[0].startRun(Today);
    EXPECT_EQ(read.TodayDate, Today);
    EXPECT_EQ(read.Today.NotWon, 0);
}

TEST(StatsFile, ANameLengthOf255ReadsTheWholeField)
{
    Bytes bytes = twoPlayerFile();
    bytes.raw(12 + 32064, QByteArray(256, 'N')).u8(12 + 32064, 255);
    const StatsFileContents contents = decodeStatsFile(bytes, Today);
    EXPECT_EQ(contents.players[0].Name, QString(255, u'N'));
    EXPECT_EQ(contents.players[0].Details[0], QString());
}

namespace {

// A 48-byte entry of the older forms: the first 40 bytes of a game's block.
void putShortEntry(Bytes &bytes, qsizetype entry, qint16 notWon, qint16 won, qint32 score, double best, double day,
                   qint16 todayWon)
{
    bytes.i16(entry, notWon).i16(entry + 2, won).i32(entry + 4, score).f64(entry + 8, best).f64(entry + 16, day)
        .i16(entry + 26, todayWon);
}

LegacyPlayerSettings legacy(int count)
{
    LegacyPlayerSettings settings;
    settings.playerCount = count;
    settings.names = {QStringLiteral("Ursula"), QString()};
    settings.details = {QStringLiteral("Ursula U."), QStringLiteral("Norway"), QStringLiteral("u@example.org")};
    return settings;
}

} // namespace

TEST(OldPlayersFile, ConvertsEachOlderForm)
{
    constexpr qsizetype NamedRecord = 25840;
    constexpr qsizetype UnnamedRecord = 24048;
    constexpr qsizetype OldestRecord = 4824;

    {
        SCOPED_TRACE("v41: count, index and current records");
        Bytes bytes(12 + RecordSize);
        bytes.raw(0, "\x03v41").i32(4, 1).i32(8, 0).i16(block(12, 42) + 2, 9).i16(block(12, 42) + 42, 4)
            .str(12 + 32064, "Vera");
        const StatsFileContents contents = decodeOldPlayersFile(bytes, legacy(0), Today);
        ASSERT_EQ(contents.players.size(), 1u);
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Vera"));
        EXPECT_EQ(contents.players[0].Games[42].AllTime.Won, 9);
        EXPECT_EQ(contents.players[0].Games[42].ThisRun.Won, 0);
    }
    {
        SCOPED_TRACE("v33: count, index and 25,840-byte records");
        Bytes bytes(12 + 2 * NamedRecord);
        bytes.raw(0, "\x03v33").i32(4, 2).i32(8, 1);
        putShortEntry(bytes, 12 + 5 * 48, 2, 4, 50, 0.02, Today, 3);
        bytes.str(12 + 24048, "Walter").str(12 + 24048 + 256, "detail one");
        bytes.str(12 + NamedRecord + 24048, "Xenia");
        const StatsFileContents contents = decodeOldPlayersFile(bytes, legacy(0), Today);
        ASSERT_EQ(contents.players.size(), 2u);
        EXPECT_EQ(contents.currentIndex, 1);
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Walter"));
        EXPECT_EQ(contents.players[0].Details[0], QStringLiteral("detail one"));
        EXPECT_EQ(contents.players[0].Games[5].AllTime, (PeriodStats{2, 4, 50, 0.02}));
        EXPECT_EQ(contents.players[0].Games[5].Today.Won, 3); // the same day: kept
        EXPECT_EQ(contents.players[1].Name, QStringLiteral("Xenia"));
    }
    {
        SCOPED_TRACE("v32: the count from the settings");
        Bytes bytes(4 + NamedRecord);
        bytes.raw(0, "\x03v32");
        putShortEntry(bytes, 4 + 500 * 48, 1, 1, 10, 0.5, Today - 3, 1);
        bytes.str(4 + 24048, "Yves");
        const StatsFileContents contents = decodeOldPlayersFile(bytes, legacy(1), Today);
        ASSERT_EQ(contents.players.size(), 1u);
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Yves"));
        EXPECT_EQ(contents.players[0].Games[500].AllTime, (PeriodStats{1, 1, 10, 0.5}));
        EXPECT_EQ(contents.players[0].Games[500].TodayDate, Today); // another day: restarted
        EXPECT_EQ(contents.players[0].Games[500].Today.Won, 0);
    }
    {
        SCOPED_TRACE("v28: names and details from the settings");
        Bytes bytes(4 + 2 * UnnamedRecord);
        bytes.raw(0, "\x03v28");
        putShortEntry(bytes, 4 + UnnamedRecord + 7 * 48, 0, 6, 0, 0.1, Today, 0);
        const StatsFileContents contents = decodeOldPlayersFile(bytes, legacy(2), Today);
        ASSERT_EQ(contents.players.size(), 2u);
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Ursula"));
        EXPECT_EQ(contents.players[1].Name, QStringLiteral("Default"));
        EXPECT_EQ(contents.players[1].Games[7].AllTime.Won, 6);
        EXPECT_EQ(contents.players[0].Details[1], QStringLiteral("Norway"));
        EXPECT_EQ(contents.players[0].Details[3], QString());
    }
    {
        SCOPED_TRACE("no mark: 4,824-byte records of ids 0 to 200");
        Bytes bytes(OldestRecord);
        bytes.i16(200 * 24, 8).i16(200 * 24 + 2, 2).i32(200 * 24 + 4, 77).f64(200 * 24 + 8, 0.25).f64(200 * 24 + 16, 99.0);
        const StatsFileContents contents = decodeOldPlayersFile(bytes, legacy(1), Today);
        ASSERT_EQ(contents.players.size(), 1u);
        EXPECT_EQ(contents.players[0].Name, QStringLiteral("Ursula"));
        EXPECT_EQ(contents.players[0].Games[200].AllTime, (PeriodStats{8, 2, 77, 0.25}));
        EXPECT_EQ(contents.players[0].Games[200].TodayDate, Today);
        EXPECT_EQ(contents.players[0].Games[201].AllTime, PeriodStats{});
        EXPECT_EQ(contents.players[0].Details[2], QStringLiteral("u@example.org"));
    }
}

TEST(OldPlayersFile, ShortFilesAndFalseCountsNeverMakeRecordsOutOfNothing)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("\x03v33"), QByteArray("\x03v41\xff\xff\xff\x7f"),
                                    QByteArray(100, '\x03')}) {
        for (int count : {0, 1, 7, 500, 100000}) {
            const StatsFileContents contents = decodeOldPlayersFile(bytes, legacy(count), Today);
            ASSERT_EQ(contents.players.size(), 1u);
            EXPECT_EQ(contents.currentIndex, 0);
        }
    }
}
