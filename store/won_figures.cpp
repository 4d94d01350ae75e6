#include "store/won_figures.h"

#include "store/binary_stream.h"
#include "store/statistics_store.h"

#include <cmath>

namespace {

// Best times above 99.98 days are no times.
constexpr double LongestBestTime = 99.98;

bool isBestTime(double days)
{
    return days > 0 && days <= LongestBestTime;
}

} // namespace

QString FormatDuration(double days)
{
    const qint64 seconds = std::isfinite(days) && days > 0 ? qint64(std::llround(days * 86400.0)) : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

WonTexts MakeWonTexts(const WonFigures &figures)
{
    WonTexts texts;
    const QString none = QStringLiteral(" ##:##:##");
    texts.time = QStringLiteral(" ") + FormatDuration(figures.duration) + QStringLiteral("  ");
    texts.yourBest = isBestTime(figures.playerBestBefore) ? QStringLiteral(" ") + FormatDuration(figures.playerBestBefore)
                                                          : none;
    texts.bestOfAll = isBestTime(figures.bestOfAllBefore) ? QStringLiteral(" ") + FormatDuration(figures.bestOfAllBefore)
                                                          : none;
    const int total = figures.won + figures.notWon;
    texts.won = QStringLiteral(" %1").arg(figures.won);
    texts.lost = QStringLiteral(" %1").arg(figures.notWon);
    int percentage = 0;
    // Percentages only when games were played: a win that did not count may leave none.
    if (total > 0) {
        percentage = int(std::lround(figures.won * 100.0 / total));
        texts.won += QStringLiteral("  (%1%)").arg(percentage);
        texts.lost += QStringLiteral("  (%1%)").arg(100 - percentage);
    }
    texts.total = QStringLiteral(" %1").arg(total);
    texts.bestRatio = QStringLiteral(" %1%").arg(figures.bestPercentageBefore.value_or(0));

    if (figures.counted) {
        const bool beatsAll = !isBestTime(figures.bestOfAllBefore) || figures.duration < figures.bestOfAllBefore;
        if (beatsAll)
            texts.records << QStringLiteral("Best Time");
        else if (isBestTime(figures.playerBestBefore) && figures.duration < figures.playerBestBefore)
            texts.records << QStringLiteral("Your Best Time");
        if (total > 0 && percentage > figures.bestPercentageBefore.value_or(0))
            texts.records << QStringLiteral("Best W/L Ratio");
    }
    return texts;
}

WonFigures RecordWin(StatisticsStore &statistics, const GameResult &result, bool countsForStatistics,
                     bool statisticsOn)
{
    WonFigures figures;
    figures.statisticsShown = statisticsOn;
    figures.duration = result.EndTime - result.StartTime;
    const WinComparison comparison = statistics.compareWithAllPlayers(result.GameId);
    figures.bestOfAllBefore = comparison.bestTimeOfAll;
    figures.bestPercentageBefore = comparison.bestWinPercentage;
    GameStats *stats = statistics.gameStats(statistics.Players.currentIndex(), result.GameId);
    if (stats)
        figures.playerBestBefore = stats->AllTime.BestTime;
    statistics.recordResult(result, countsForStatistics);
    figures.counted = countsForStatistics && statistics.collecting() && stats;
    if (stats) {
        figures.won = stats->AllTime.Won;
        figures.notWon = stats->AllTime.NotWon;
    }
    return figures;
}
