#include "store/high_scores.h"

#include "store/statistics_rows.h"
#include "store/statistics_store.h"
#include "store/won_figures.h"

#include <algorithm>

QString hiScoreTitle(HiScoreKind kind)
{
    switch (kind) {
    case HiScoreKind::BestTime:
        return QStringLiteral("Best Time");
    case HiScoreKind::TotalScore:
        return QStringLiteral("Total Score");
    case HiScoreKind::AverageScore:
        return QStringLiteral("Average Score");
    case HiScoreKind::Ratio:
        return QStringLiteral("W/L Ratio");
    }
    return {};
}

std::vector<HiScore> rankHiScores(StatisticsStore &statistics, int gameId, StatsPeriod period, HiScoreKind kind)
{
    // 99:59:59, the text shown for a player without a best time.
    constexpr double NoTime = (99 * 3600 + 59 * 60 + 59) / 86400.0;
    std::vector<HiScore> scores;
    const double today = statistics.today();
    for (int index = 0; index < statistics.Players.count(); ++index) {
        const GameStats *stats = statistics.gameStats(index, gameId);
        if (!stats || (period == StatsPeriod::Today && stats->TodayDate != today))
            continue;
        const StatFigures figures = figuresOf(stats->period(period));
        if (figures.total <= 0)
            continue;
        HiScore score{statistics.Players.at(index).Name, 0, {}};
        switch (kind) {
        case HiScoreKind::BestTime:
            score.value = figures.bestTime > 0 ? figures.bestTime : NoTime;
            score.text = figures.bestTime > 0 ? FormatDuration(figures.bestTime) : QString::fromLatin1(HiScoreText::NoBestTime);
            break;
        case HiScoreKind::TotalScore:
            score.value = double(figures.score);
            score.text = QString::number(figures.score);
            break;
        case HiScoreKind::AverageScore:
            score.value = figures.average();
            score.text = QString::number(score.value, 'f', 2);
            break;
        case HiScoreKind::Ratio:
            score.value = figures.ratio();
            score.text = QString::number(score.value, 'f', 1);
            break;
        }
        scores.push_back(std::move(score));
    }
    if (kind == HiScoreKind::BestTime)
        std::stable_sort(scores.begin(), scores.end(), [](const HiScore &a, const HiScore &b) { return a.value < b.value; });
    else
        std::stable_sort(scores.begin(), scores.end(), [](const HiScore &a, const HiScore &b) { return a.value > b.value; });
    if (scores.size() > std::size_t(MostHiScores))
        scores.resize(std::size_t(MostHiScores));
    return scores;
}
