#include "store/binary_stream.h"
#include "store/log_file.h"
#include "store/statistics_store.h"
#include "store/stats_file.h"
#include "store/won_figures.h"
#include "support/statistics_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr double Minute = 1.0 / (24 * 60);

struct WonFixture : StoredStatistics {
    GameResult win(double minutes)
    {
        const double now = toDayNumber(clock.now());
        return GameResult{77, 108, true, 208, 90, now - minutes * Minute, now};
    }
};

TEST(WonTexts, RecordsAndPercentagesFollowTheFiguresBeforeThisGame)
{
    struct Case {
        const char *name;
        WonFigures figures;
        QString won, lost;
        QStringList records;
    };
    const Case cases[] = {
        {"first win ever", {true, 2 * Minute, 0, 0, std::nullopt, 1, 0, true}, " 1  (100%)", " 0  (0%)",
         {"Best Time", "Best W/L Ratio"}},
        {"faster than self, slower than best", {true, 3 * Minute, 4 * Minute, 2 * Minute, 50, 1, 3, true},
         " 1  (25%)", " 3  (75%)", {"Your Best Time"}},
        {"faster than everybody", {true, Minute, 4 * Minute, 2 * Minute, 90, 2, 1, true}, " 2  (67%)",
         " 1  (33%)", {"Best Time"}},
        {"win that did not count, nothing played", {true, Minute, 0, 0, std::nullopt, 0, 0, false}, " 0", " 0", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WonTexts texts = MakeWonTexts(c.figures);
        EXPECT_EQ(texts.won, c.won);
        EXPECT_EQ(texts.lost, c.lost);
        EXPECT_EQ(texts.records, c.records);
    }
}

TEST(WonTexts, TimesShowHoursMinutesSecondsOrMarks)
{
    WonFigures figures;
    figures.duration = (3600 + 2 * 60 + 5) / 86400.0;
    figures.bestOfAllBefore = 100; // above 99.98 days: no time
    const WonTexts texts = MakeWonTexts(figures);
    EXPECT_EQ(texts.time, QStringLiteral(" 01:02:05  "));
    EXPECT_EQ(texts.yourBest, QStringLiteral(" ##:##:##"));
    EXPECT_EQ(texts.bestOfAll, QStringLiteral(" ##:##:##"));
    EXPECT_EQ(texts.total, QStringLiteral(" 0"));
    EXPECT_EQ(texts.bestRatio, QStringLiteral(" 0%"));
}

TEST_F(WonFixture, RecordWinComparesFirstThenCountsOnce)
{
    statistics.recordResult(win(5), true);
    const WonFigures figures = RecordWin(statistics, win(3), true, true);
    EXPECT_NEAR(figures.playerBestBefore, 5 * Minute, 1e-6);
    EXPECT_NEAR(figures.bestOfAllBefore, 5 * Minute, 1e-6);
    EXPECT_EQ(figures.bestPercentageBefore, 100);
    EXPECT_EQ(figures.won, 2);
    EXPECT_EQ(figures.notWon, 0);
    EXPECT_EQ(log.recordCount(), 2);
    EXPECT_EQ(MakeWonTexts(figures).records, QStringList{QStringLiteral("Best Time")});
}

TEST_F(WonFixture, AWinThatDoesNotCountStoresNoBestTime)
{
    const WonFigures figures = RecordWin(statistics, win(3), false, true);
    EXPECT_FALSE(figures.counted);
    EXPECT_EQ(figures.won, 0);
    EXPECT_EQ(statistics.Players.current().Games[108].AllTime.BestTime, 0);
    EXPECT_TRUE(MakeWonTexts(figures).records.isEmpty());
    EXPECT_EQ(log.recordCount(), 1);
}

} // namespace
