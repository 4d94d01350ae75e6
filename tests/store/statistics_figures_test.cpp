#include "store/binary_stream.h"
#include "store/clear_statistics.h"
#include "store/high_scores.h"
#include "store/log_listing.h"
#include "store/score_history.h"
#include "store/stats_file.h"
#include "store/statistics_rows.h"
#include "store/trend_fit.h"
#include "support/statistics_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr double Minute = 1.0 / (24 * 60);

struct Figures : StoredStatistics {
    double now() const { return toDayNumber(clock.now()); }
    GameStats &stats(int player, int gameId) { return *statistics.gameStats(player, gameId); }
    void addPlayer(const QString &name)
    {
        std::vector<PlayerRecord> records = statistics.Players.records();
        records.push_back(PlayerRecord::create(name, statistics.today()));
        statistics.Players.replace(std::move(records), 0, statistics.today());
    }
    // A record of the current player's log: game id, won, score, ended daysAgo before now.
    LogRecord record(int gameId, bool won, int score, double daysAgo = 0, int run = 5, const char *player = "Default")
    {
        LogRecord r;
        r.GameNumber = quint32(1000 + score);
        r.GameId = gameId;
        r.Won = won;
        r.Score = score;
        r.Moves = 50;
        r.Duration = 3 * Minute;
        r.StartTime = now() - daysAgo - r.Duration;
        r.PlayerName = QString::fromLatin1(player);
        r.RunNumber = run;
        return r;
    }
};

const std::vector<ListedGame> Games{{108, "Klondike"}, {32, "FreeCell"}, {221, "Yukon"}};

TEST_F(Figures, RowsAndTotalsFollowPeriodAndFilter)
{
    GameStats &klondike = stats(0, 108);
    for (int i = 0; i < 3; ++i)
        klondike.countResult(true, 30, 4 * Minute);
    klondike.countResult(false, 7, 0);
    // FreeCell last played yesterday (a run that went past midnight); a best time too long to be one.
    GameStats &freecell = stats(0, 32);
    freecell.countResult(true, 10, 2 * Minute);
    freecell.TodayDate -= 1;
    freecell.AllTime.BestTime = 150;

    struct Case {
        StatsPeriod period;
        RowFilter filter;
        std::vector<int> ids;
        int total, won;
        qint64 score;
        QString totalBest;
    };
    const Case cases[] = {
        {StatsPeriod::AllTime, RowFilter::All, {108, 32, 221}, 5, 4, 107, "00:04:00  "},
        {StatsPeriod::AllTime, RowFilter::Played, {108, 32}, 5, 4, 107, "00:04:00  "},
        {StatsPeriod::Today, RowFilter::Played, {108}, 4, 3, 97, "00:04:00  "},
        {StatsPeriod::Today, RowFilter::NotPlayed, {32, 221}, 0, 0, 0, ""},
        {StatsPeriod::AllTime, RowFilter::Won, {108, 32}, 5, 4, 107, "00:04:00  "},
        {StatsPeriod::AllTime, RowFilter::NotWon, {}, 0, 0, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.period) * 10 + int(c.filter));
        const StatTable table = buildStatTable(statistics, 0, Games, c.period, c.filter);
        std::vector<int> ids;
        for (const StatRow &row : table.rows)
            ids.push_back(row.gameId);
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(table.totals.total, c.total);
        EXPECT_EQ(table.totals.won, c.won);
        EXPECT_EQ(table.totals.score, c.score);
        EXPECT_EQ(cellText(table.totals, StatColumn::BestTime), c.totalBest);
    }
    const StatRow row = buildStatTable(statistics, 0, Games, StatsPeriod::AllTime, RowFilter::All).rows[0];
    EXPECT_EQ(cellText(row.figures, StatColumn::Total), "4");
    EXPECT_EQ(cellText(row.figures, StatColumn::Ratio), "75.0");
    EXPECT_EQ(cellText(row.figures, StatColumn::Average), "24.25");
    const StatRow empty = buildStatTable(statistics, 0, Games, StatsPeriod::AllTime, RowFilter::All).rows[2];
    EXPECT_EQ(cellText(empty.figures, StatColumn::Ratio), "0.0");
    EXPECT_EQ(cellText(empty.figures, StatColumn::Average), "0.00");
}

TEST(StatSorting, EachColumnKeepsItsDirectionAndSortsByValue)
{
    std::vector<StatRow> rows{{1, "b", {2, 1, 1, 9, 0.5}}, {2, "a", {10, 5, 5, 100, 0}}, {3, "c", {3, 3, 0, 20, 0.1}}};
    StatSorting sorting;
    const auto order = [&] {
        std::vector<int> ids;
        for (const StatRow &row : rows)
            ids.push_back(row.gameId);
        return ids;
    };
    const std::pair<StatColumn, std::vector<int>> clicks[] = {
        {StatColumn::Score, {1, 3, 2}},    {StatColumn::Score, {2, 3, 1}}, {StatColumn::Game, {2, 1, 3}},
        {StatColumn::Score, {1, 3, 2}},    {StatColumn::Total, {1, 3, 2}}, {StatColumn::BestTime, {2, 3, 1}},
        {StatColumn::BestTime, {1, 3, 2}}, {StatColumn::Game, {3, 1, 2}},
    };
    for (const auto &[column, expected] : clicks) {
        sortStatRows(rows, column, sorting.click(column));
        EXPECT_EQ(order(), expected) << int(column);
    }
}

TEST_F(Figures, HighScoresRankTheTopTenWhoPlayed)
{
    for (int i = 1; i <= 12; ++i)
        addPlayer(QStringLiteral("P%1").arg(i));
    // Player index i+1 ... : P1 slowest, P12 wins most; "Default" (index 0) never played.
    for (int i = 1; i <= 12; ++i) {
        GameStats &s = stats(i, 108);
        s.countResult(true, i * 10, (20 - i) * Minute);
        for (int lost = 0; lost < 12 - i; ++lost)
            s.countResult(false, 0, 0);
    }
    stats(3, 108).AllTime.BestTime = 0; // P3 without a best time falls out of the ten
    struct Case {
        HiScoreKind kind;
        QString first, firstText, last;
    };
    const Case cases[] = {
        {HiScoreKind::BestTime, "P12", "00:08:00", "P2"},
        {HiScoreKind::TotalScore, "P12", "120", "P3"},
        {HiScoreKind::AverageScore, "P12", "120.00", "P3"},
        {HiScoreKind::Ratio, "P12", "100.0", "P3"},
    };
    for (const Case &c : cases) {
        const std::vector<HiScore> scores = rankHiScores(statistics, 108, StatsPeriod::AllTime, c.kind);
        ASSERT_EQ(scores.size(), 10u);
        EXPECT_EQ(scores.front().player, c.first);
        EXPECT_EQ(scores.front().text, c.firstText);
        EXPECT_EQ(scores.back().player, c.last);
        for (const HiScore &score : scores)
            EXPECT_NE(score.player, "Default");
    }
    EXPECT_TRUE(rankHiScores(statistics, 32, StatsPeriod::AllTime, HiScoreKind::TotalScore).empty());
}

TEST_F(Figures, LogListingFiltersNewestFirstAndSkipsDamagedRecords)
{
    log.append(record(108, true, 40, 40));           // 0: 40 days ago
    log.append(record(108, false, 10, 10, 4));       // 1: ten days ago, earlier run
    log.append(record(9000, true, 1));               // 2: damaged
    log.append(record(32, true, 20, 3));             // 3
    log.append(record(221, false, 5, 0));            // 4: today
    log.append(record(108, true, 7, 0, 5, "Other")); // 5: someone else
    const QByteArray before = readWholeFile(log.path(), 1 << 20);
    const std::pair<int, std::vector<qint64>> cases[] = {
        {0, {4, 3, 1, 0}}, {1, {4}}, {2, {4, 3, 0}}, {3, {4, 1}}, {4, {3, 0}}, {20, {4, 3, 1}}, {21, {4, 3}}, {7, {4, 3, 1, 0}},
    };
    for (const auto &[filter, expected] : cases) {
        const LogListing listing = readLogListing(log, "Default", logFilterFrom(filter), 5, now());
        std::vector<qint64> indexes;
        for (const LoggedGame &game : listing.games)
            indexes.push_back(game.index);
        EXPECT_EQ(indexes, expected) << filter;
        EXPECT_EQ(listing.damaged, 1);
    }
    EXPECT_EQ(readWholeFile(log.path(), 1 << 20), before);
}

TEST_F(Figures, CommentsGoToTheRecordShownOnly)
{
    for (int score : {1, 2, 3})
        log.append(record(108, true, score));
    LogListing listing = readLogListing(log, "Default", LogFilter::All, 5, now());
    const LoggedGame middle = listing.games[1];
    EXPECT_TRUE(setCommentOf(log, middle, "Nice one"));
    EXPECT_TRUE(commentLastGame(log, listing.games[0].record, QString(50, u'x')));
    listing = readLogListing(log, "Default", LogFilter::All, 5, now());
    EXPECT_EQ(listing.games[1].record.Comment, "Nice one");
    EXPECT_EQ(listing.games[0].record.Comment, QString(40, u'x'));
    EXPECT_EQ(listing.games[2].record.Comment, "");
    // The log changed under the window: record 1 is now another game and keeps its comment.
    ASSERT_TRUE(log.trim(2));
    EXPECT_FALSE(setCommentOf(log, middle, "Lost?"));
    EXPECT_FALSE(commentLastGame(log, middle.record, "Lost?"));
    EXPECT_EQ(readLogListing(log, "Default", LogFilter::All, 5, now()).games[0].record.Comment, QString(40, u'x'));
}

TEST(TrendFit, MatchesTheHandComputedFitAndNamesWhyItCannot)
{
    struct Case {
        std::vector<double> values;
        Quadratic expected;
        const char *error;
    };
    const Case cases[] = {
        {{0, 1, 2, 0}, {-3.25, 3.85, -0.75}, nullptr},
        {{6, 17, 34, 57}, {1, 2, 3}, nullptr},
        {{5, 5, 5, 5, 5}, {5, 0, 0}, nullptr},
        {{}, {}, TooFewPoints},
        {{4}, {}, TooFewPoints},
        {{4, 8}, {}, SingularMatrix},
    };
    for (const Case &c : cases) {
        const auto fit = fitTrend(c.values);
        if (c.error) {
            ASSERT_TRUE(std::holds_alternative<QString>(fit));
            EXPECT_EQ(std::get<QString>(fit), c.error);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<Quadratic>(fit));
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(std::get<Quadratic>(fit)[std::size_t(k)], c.expected[std::size_t(k)], 1e-9);
    }
    // A long history stays well conditioned.
    std::vector<double> line(20000);
    for (std::size_t x = 0; x < line.size(); ++x)
        line[x] = 3 + 0.5 * double(x + 1);
    const Quadratic long_fit = std::get<Quadratic>(fitTrend(line));
    EXPECT_NEAR(long_fit[0] + long_fit[1] * 20000 + long_fit[2] * 20000.0 * 20000, 10003, 1e-3);
}

TEST_F(Figures, ScoreHistoryKeepsTheLastGamesOfOnePlayerAndGame)
{
    for (int score : {-52, 10, 21, 30})
        log.append(record(108, true, score, score > 20 ? 0 : 10));
    log.append(record(32, true, 99));
    log.append(record(108, true, 99, 0, 5, "Other"));
    log.append(record(-3, true, 99));
    struct Case {
        HistoryFilter filter;
        int last;
        std::vector<int> scores;
        qint64 average;
    };
    const Case cases[] = {
        {HistoryFilter::All, 30, {-52, 10, 21, 30}, 2},
        {HistoryFilter::LastGames, 2, {21, 30}, 25},
        {HistoryFilter::LastGames, 0, {30}, 30},
        {HistoryFilter::Today, 30, {21, 30}, 25},
        {HistoryFilter::Last7Days, 30, {21, 30}, 25},
        {HistoryFilter::Last30Days, 30, {-52, 10, 21, 30}, 2},
    };
    for (const Case &c : cases) {
        const ScoreHistory history = readScoreHistory(log, "Default", 108, c.filter, c.last, 5, now());
        std::vector<int> scores;
        for (double score : history.scores())
            scores.push_back(int(score));
        EXPECT_EQ(scores, c.scores) << int(c.filter);
        EXPECT_EQ(history.average(), c.average);
        EXPECT_EQ(history.damaged, 1);
    }
    EXPECT_EQ(historyInfoLine(record(108, true, 40)).left(44), "Status: Won   Shuffle: 1040   Score: 40   St");
}

TEST_F(Figures, ClearingTakesTheChosenGamesAndTheirLogRecords)
{
    addPlayer("Other");
    struct Case {
        bool all;
        QList<int> ids;
        bool clearLog;
        std::vector<int> keptStats, keptLog;
    };
    const Case cases[] = {
        {false, {108}, false, {32, 221}, {108, 32, 221}},
        {false, {108, 221}, true, {32}, {32}},
        {true, {}, true, {}, {}},
        {true, {}, false, {}, {108, 32, 221}},
    };
    for (const Case &c : cases) {
        QFile::remove(log.path());
        for (int player : {0, 1})
            for (int gameId : {108, 32, 221}) {
                stats(player, gameId).countResult(true, 5, Minute);
                log.append(record(gameId, true, 5, 0, 5, player ? "Other" : "Default"));
            }
        const double todayDate = stats(0, 108).TodayDate;
        ASSERT_TRUE(clearStatistics(statistics, log, {0, c.all, c.ids, c.clearLog}));
        std::vector<int> keptStats, keptLog;
        for (int gameId : {108, 32, 221}) {
            if (stats(0, gameId).AllTime.Won > 0)
                keptStats.push_back(gameId);
            EXPECT_GT(stats(1, gameId).AllTime.Won, 0);
        }
        for (const LoggedGame &game : readLogListing(log, "Default", LogFilter::All, 5, now()).games)
            keptLog.insert(keptLog.begin(), game.record.GameId);
        EXPECT_EQ(keptStats, c.keptStats);
        EXPECT_EQ(keptLog, c.keptLog);
        EXPECT_EQ(readLogListing(log, "Other", LogFilter::All, 5, now()).games.size(), 3u);
        EXPECT_EQ(stats(0, 108).TodayDate, todayDate);
        for (int gameId : {108, 32, 221})
            stats(0, gameId).clear();
    }
}

} // namespace
