#include "store/binary_stream.h"
#include "store/log_file.h"
#include "store/statistics_store.h"
#include "store/stats_file.h"
#include "support/statistics_fixture.h"
#include "support/store_fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr double Minute = 1.0 / (24 * 60);
constexpr double Second = Minute / 60;

struct StatisticsFixture : StoredStatistics {
    double now() const { return toDayNumber(clock.now()); }
    GameResult result(int gameId, bool won, int score, double duration)
    {
        return GameResult{77, gameId, won, score, 30, now() - duration, now()};
    }
    const GameStats &game(int gameId) { return statistics.Players.current().Games[gameId]; }
    QString statsPath() const { return folders.path(QStringLiteral("qelstat.dat")); }
    // Changes whenever the file is replaced, as every atomic write does.
    ino_t fileIdentity() const
    {
        struct stat status {};
        return ::stat(QFile::encodeName(statsPath()).constData(), &status) == 0 ? status.st_ino : 0;
    }
    // Players with counters of their own, so that a record written in the wrong place shows.
    void fillPlayers(int count)
    {
        std::vector<PlayerRecord> records;
        for (int index = 0; index < count; ++index) {
            PlayerRecord record = PlayerRecord::create(generatedPlayerName(index), dayOf(now()));
            for (int gameId = 0; gameId < RecordedGameIds; gameId += 7)
                record.Games[gameId].AllTime = PeriodStats{qint16(index), qint16(gameId), index * 1000 + gameId, 0};
            records.push_back(std::move(record));
        }
        statistics.Players.replace(std::move(records), 0, dayOf(now()));
    }
    // Statistics as the file on disk holds them.
    StatsFileContents onDisk() const
    {
        return decodeStatsFile(readFile(folders.path(QStringLiteral("qelstat.dat"))), 0);
    }
};

// Durations come from differences of day numbers, so best times are compared within a
// millisecond.
void expectPeriod(const PeriodStats &actual, const PeriodStats &expected)
{
    EXPECT_EQ(actual.NotWon, expected.NotWon);
    EXPECT_EQ(actual.Won, expected.Won);
    EXPECT_EQ(actual.Score, expected.Score);
    EXPECT_NEAR(actual.BestTime, expected.BestTime, Second / 1000);
}

} // namespace

TEST_F(StatisticsFixture, AWinCountsInAllPeriodsAndIsSavedAndLogged)
{
    ASSERT_TRUE(statistics.recordResult(result(10, true, 120, 3 * Minute), true));
    for (StatsPeriod period : {StatsPeriod::AllTime, StatsPeriod::Today, StatsPeriod::ThisRun})
        expectPeriod(game(10).period(period), {0, 1, 120, 3 * Minute});
    EXPECT_EQ(onDisk().players[0].Games[10].AllTime.Won, 1);

    const std::optional<LogRecord> logged = log.readLast();
    ASSERT_TRUE(logged);
    EXPECT_EQ(logged->GameNumber, 77u);
    EXPECT_EQ(logged->GameId, 10);
    EXPECT_TRUE(logged->Won);
    EXPECT_EQ(logged->Score, 120);
    EXPECT_EQ(logged->Moves, 30);
    EXPECT_NEAR(logged->Duration, 3 * Minute, Second / 1000);
    EXPECT_EQ(logged->PlayerName, QStringLiteral("Default"));
    EXPECT_EQ(logged->RunNumber, 5);
}

TEST_F(StatisticsFixture, BestTimesAreReplacedOnlyByShorterPositiveDurations)
{
    statistics.recordResult(result(10, true, 0, 4 * Minute), true);
    statistics.recordResult(result(10, true, 0, 3 * Minute + 10 * Second), true);
    for (StatsPeriod period : {StatsPeriod::AllTime, StatsPeriod::Today, StatsPeriod::ThisRun})
        EXPECT_NEAR(game(10).period(period).BestTime, 3 * Minute + 10 * Second, Second / 1000);
    statistics.recordResult(result(10, true, 0, 5 * Minute), true);
    statistics.recordResult(result(10, true, 0, 0), true);
    statistics.recordResult(result(10, true, 0, -Minute), true);
    EXPECT_NEAR(game(10).AllTime.BestTime, 3 * Minute + 10 * Second, Second / 1000);
    EXPECT_EQ(game(10).AllTime.Won, 5);
}

TEST_F(StatisticsFixture, AGameWithoutScoreCountsButAddsNothingAndLogsZero)
{
    statistics.recordResult(result(32, false, NoScore, Minute), true);
    EXPECT_EQ(game(32).AllTime, (PeriodStats{1, 0, 0, 0}));
    EXPECT_EQ(log.readLast()->Score, 0);
    EXPECT_FALSE(log.readLast()->Won);
    // A game not won reaches the file only at the next save.
    EXPECT_FALSE(QFile::exists(folders.path(QStringLiteral("qelstat.dat"))));
}

TEST_F(StatisticsFixture, UncountedGamesAreStillLogged)
{
    statistics.recordResult(result(10, true, 50, Minute), false);
    statistics.setRun(5, false);
    statistics.recordResult(result(10, false, 50, Minute), true);
    EXPECT_EQ(game(10).AllTime, PeriodStats{});
    EXPECT_EQ(log.recordCount(), 2);
}

TEST_F(StatisticsFixture, CountersStopAtTheirLargestValues)
{
    GameStats &stats = statistics.Players.current().Games[10];
    stats.AllTime.NotWon = 32767;
    stats.AllTime.Score = 2147483600;
    statistics.recordResult(result(10, false, 100, Minute), true);
    EXPECT_EQ(game(10).AllTime.NotWon, 32767);
    EXPECT_EQ(game(10).AllTime.Score, 2147483647);
}

TEST_F(StatisticsFixture, TodayRollsOverAtANewDayAndTheRunAtANewStart)
{
    statistics.recordResult(result(10, true, 10, Minute), true);
    statistics.recordResult(result(11, false, 10, Minute), true);
    statistics.save();

    clock.set(QDateTime(QDate(2024, 3, 2), QTime(0, 5)));
    statistics.recordResult(result(10, false, 5, Minute), true);
    EXPECT_EQ(game(10).Today, (PeriodStats{1, 0, 5, 0}));
    expectPeriod(game(10).ThisRun, {1, 1, 15, Minute});
    expectPeriod(game(10).AllTime, {1, 1, 15, Minute});

    // A new run on the following day: run counters zero, Today restarts for every game.
    statistics.save();
    clock.set(QDateTime(QDate(2024, 3, 3), QTime(9, 0)));
    statistics.load({});
    EXPECT_EQ(game(10).ThisRun, PeriodStats{});
    EXPECT_EQ(game(11).Today, PeriodStats{});
    EXPECT_EQ(game(11).TodayDate, dayOf(now()));
    expectPeriod(game(10).AllTime, {1, 1, 15, Minute});
    EXPECT_EQ(game(11).AllTime, (PeriodStats{1, 0, 10, 0}));
}

TEST_F(StatisticsFixture, TheCrashGuardCountsTheStartedGameOnDiskOnly)
{
    statistics.guardStartedGame(14, true);
    statistics.finishWriting();
    EXPECT_EQ(game(14).AllTime.NotWon, 0);
    const StatsFileContents disk = onDisk();
    EXPECT_EQ(disk.players[0].Games[14].AllTime.NotWon, 1);
    EXPECT_EQ(disk.players[0].Games[14].Today.NotWon, 1);
    EXPECT_EQ(disk.players[0].Games[14].ThisRun.NotWon, 1);

    QFile::remove(folders.path(QStringLiteral("qelstat.dat")));
    statistics.guardStartedGame(1001, true);
    statistics.guardStartedGame(14, false);
    statistics.finishWriting();
    EXPECT_FALSE(QFile::exists(folders.path(QStringLiteral("qelstat.dat"))));
}

TEST_F(StatisticsFixture, TheCrashGuardWritesWhatASaveOfTheRaisedCountersWrites)
{
    const struct {
        int players;
        int current;
        int gameId;
    } cases[] = {{1, 0, 0}, {3, 2, 14}, {40, 17, RecordedGameIds - 1}};
    for (const auto &entry : cases) {
        fillPlayers(entry.players);
        statistics.Players.setCurrentIndex(entry.current);
        const GameStats before = game(entry.gameId);

        statistics.guardStartedGame(entry.gameId, true);
        statistics.finishWriting();
        const QByteArray guarded = readFile(statsPath());
        EXPECT_EQ(game(entry.gameId), before);

        GameStats &stats = statistics.Players.current().Games[entry.gameId];
        for (PeriodStats *period : {&stats.AllTime, &stats.Today, &stats.ThisRun})
            ++period->NotWon;
        ASSERT_TRUE(statistics.save());
        EXPECT_EQ(guarded, readFile(statsPath())) << entry.players << " players";

        const StatsFileContents disk = decodeStatsFile(guarded, 0);
        EXPECT_EQ(disk.status, StatsFileContents::Status::Whole);
        ASSERT_EQ(int(disk.players.size()), entry.players);
        EXPECT_EQ(disk.currentIndex, entry.current);
        EXPECT_EQ(disk.players[std::size_t(entry.current)].Games[entry.gameId].Today.NotWon, before.Today.NotWon + 1);
    }
}

TEST_F(StatisticsFixture, TheCrashGuardWritesOnlyWhenTheFileWouldChange)
{
    statistics.guardStartedGame(14, true);
    statistics.finishWriting();
    const ino_t first = fileIdentity();
    statistics.guardStartedGame(14, true);
    statistics.finishWriting();
    EXPECT_EQ(fileIdentity(), first);

    statistics.Players.current().Games[3].AllTime.Score += 10;
    statistics.guardStartedGame(14, true);
    statistics.finishWriting();
    const ino_t changed = fileIdentity();
    EXPECT_NE(changed, first);

    // A file that someone else replaced is written again.
    const QByteArray ours = readFile(statsPath());
    QFile::remove(statsPath());
    writeFile(statsPath(), QByteArray("elsewhere"));
    statistics.guardStartedGame(14, true);
    statistics.finishWriting();
    EXPECT_EQ(readFile(statsPath()), ours);
}

TEST_F(StatisticsFixture, ASaveDuringACrashGuardWriteLeavesTheNewerWholeFile)
{
    fillPlayers(MaxPlayers);
    for (int round = 0; round < 3; ++round) {
        statistics.guardStartedGame(14, true);
        // The close sequence counts the abandoned game while the guard's write is under way.
        statistics.Players.current().Games[14].AllTime.NotWon += 1;
        statistics.Players.current().Games[14].AllTime.Score += 7;
        ASSERT_TRUE(statistics.save());
        statistics.finishWriting();
        EXPECT_EQ(readFile(statsPath()), encodeStatsFile(statistics.Players.records(), 0)) << "round " << round;
    }
    const StatsFileContents disk = onDisk();
    EXPECT_EQ(disk.status, StatsFileContents::Status::Whole);
    EXPECT_EQ(int(disk.players.size()), MaxPlayers);
    // No scratch file of an interrupted write is left behind.
    EXPECT_EQ(QDir(QFileInfo(statsPath()).path()).entryList({QStringLiteral("qelstat*")}, QDir::Files),
              QStringList{QStringLiteral("qelstat.dat")});
}

TEST_F(StatisticsFixture, CustomVariantsCountInTheirOwnBlocks)
{
    GameStats variant;
    statistics.CustomGameStats = [&](int gameId, const QString &player) {
        return gameId == 1002 && player == QStringLiteral("Default") ? &variant : nullptr;
    };
    statistics.recordResult(result(1002, true, 40, Minute), true);
    statistics.recordResult(result(1003, true, 40, Minute), true);
    expectPeriod(variant.AllTime, {0, 1, 40, Minute});
    // Custom results reach their own file at close, not qelstat.dat.
    EXPECT_FALSE(QFile::exists(folders.path(QStringLiteral("qelstat.dat"))));
    EXPECT_EQ(log.recordCount(), 2);
}

TEST_F(StatisticsFixture, ADamagedFileIsKeptAsideBeforeANewOneIsWritten)
{
    const QString path = folders.path(QStringLiteral("qelstat.dat"));
    const struct {
        QByteArray contents;
        StatisticsStore::LoadOutcome outcome;
    } cases[] = {
        {QByteArray("garbage"), StatisticsStore::LoadOutcome::WrongMark},
        {QByteArray("\x03v50\x02\0\0\0\0\0\0\0", 12) + QByteArray(100, 'x'), StatisticsStore::LoadOutcome::Damaged},
    };
    for (const auto &entry : cases) {
        writeFile(path, entry.contents);
        EXPECT_EQ(statistics.load({}), entry.outcome);
        EXPECT_EQ(statistics.Players.names(), QStringList{QStringLiteral("Default")});
        EXPECT_TRUE(statistics.save());
        EXPECT_EQ(readFile(path + QStringLiteral(".bad")), entry.contents);
        EXPECT_EQ(onDisk().status, StatsFileContents::Status::Whole);
        QFile::remove(path + QStringLiteral(".bad"));
    }
}

TEST_F(StatisticsFixture, AFailedSaveKeepsTheLastGoodFile)
{
    statistics.recordResult(result(10, true, 10, Minute), true);
    const QByteArray saved = readFile(folders.path(QStringLiteral("qelstat.dat")));
    statistics.Players.current().Games[10].AllTime.Won = 99;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(statistics.save());
    }
    EXPECT_EQ(readFile(folders.path(QStringLiteral("qelstat.dat"))), saved);
}

TEST_F(StatisticsFixture, OlderPlayersFilesAreConvertedOnlyWithoutQelstat)
{
    Bytes oldest(4824);
    oldest.i16(3 * 24 + 2, 6);
    writeFile(folders.path(QStringLiteral("players.dat")), oldest);
    LegacyPlayerSettings legacy;
    legacy.playerCount = 1;
    legacy.names = {QStringLiteral("Olga")};
    EXPECT_EQ(statistics.load(legacy), StatisticsStore::LoadOutcome::Converted);
    EXPECT_EQ(statistics.Players.current().Name, QStringLiteral("Olga"));
    EXPECT_EQ(game(3).AllTime.Won, 6);
    legacy.playerCount = 0;
    EXPECT_EQ(statistics.load(legacy), StatisticsStore::LoadOutcome::Created);
    statistics.save();
    legacy.playerCount = 1;
    EXPECT_EQ(statistics.load(legacy), StatisticsStore::LoadOutcome::Loaded);
    EXPECT_EQ(statistics.Players.current().Name, QStringLiteral("Default"));
}

TEST_F(StatisticsFixture, TheWonDialogComparesWithEveryPlayer)
{
    std::vector<PlayerRecord> players{PlayerRecord::create(QStringLiteral("A"), 0),
                                      PlayerRecord::create(QStringLiteral("B"), 0),
                                      PlayerRecord::create(QStringLiteral("C"), 0)};
    players[0].Games[10].AllTime = {1, 3, 0, 5 * Minute};  // 75 %
    players[1].Games[10].AllTime = {0, 1, 0, 4 * Minute};  // 100 %
    players[2].Games[10].AllTime = {2, 0, 0, 0};           // never won
    statistics.Players.replace(players, 0, 0);
    const WinComparison comparison = statistics.compareWithAllPlayers(10);
    EXPECT_DOUBLE_EQ(comparison.bestTimeOfAll, 4 * Minute);
    EXPECT_EQ(comparison.bestWinPercentage, 100);
    EXPECT_EQ(statistics.compareWithAllPlayers(11).bestWinPercentage, std::nullopt);
}

TEST(PeriodStats, WinPercentageRoundsHalfToEven)
{
    EXPECT_EQ((PeriodStats{7, 1, 0, 0}).winPercentage(), 12); // 12.5
    EXPECT_EQ((PeriodStats{5, 3, 0, 0}).winPercentage(), 38); // 37.5
    EXPECT_EQ((PeriodStats{1, 2, 0, 0}).winPercentage(), 67);
    EXPECT_EQ(PeriodStats{}.winPercentage(), std::nullopt);
}

TEST(GameStats, ClearingZeroesEverythingButTheDay)
{
    GameStats stats;
    stats.TodayDate = 45000;
    stats.countResult(true, 10, 0.01);
    stats.clear();
    GameStats expected;
    expected.TodayDate = 45000;
    EXPECT_EQ(stats, expected);
}
