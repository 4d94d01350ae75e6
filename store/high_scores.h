#pragma once

#include "store/game_stats.h"

#include <QString>
#include <vector>

class StatisticsStore;

namespace HiScoreText {
inline constexpr char Caption[] = "Hi-Scores for game '%1'";
inline constexpr char NoBestTime[] = "99:59:59";
} // namespace HiScoreText

// "HiScoresKind": the ranking of the high-score window.
enum class HiScoreKind { BestTime = 0, TotalScore = 1, AverageScore = 2, Ratio = 3 };
inline constexpr int MostHiScores = 10;

struct HiScore {
    QString player;
    double value = 0; // days for the best time (none: the longest time shown), else the figure
    QString text;     // "hh:nn:ss", the score sum, the average with two decimals, the ratio with one
};

// The column title of a ranking: "Best Time", "Total Score", "Average Score" or "W/L Ratio".
QString hiScoreTitle(HiScoreKind kind);

// The best ten players who played the game in the period: by best time the shortest first
// (players without one last), else the highest first. Ties keep the players' list order.
std::vector<HiScore> rankHiScores(StatisticsStore &statistics, int gameId, StatsPeriod period, HiScoreKind kind);
