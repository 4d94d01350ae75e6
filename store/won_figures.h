#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class StatisticsStore;
struct GameResult;

// What the won dialog shows: the best values from before this game, the counters after it.
struct WonFigures {
    bool statisticsShown = true;
    double duration = 0;              // this game, in days
    double playerBestBefore = 0;      // 0: none
    double bestOfAllBefore = 0;       // 0: none
    std::optional<int> bestPercentageBefore; // of the players who had won the game
    int won = 0;
    int notWon = 0;
    bool counted = false;             // the win was counted in the statistics
};

// The dialog's label texts and the records announced, in order.
struct WonTexts {
    QString time, yourBest, bestOfAll, won, lost, total, bestRatio;
    QStringList records;
};

// "hh:nn:ss" of a duration in days (hours beyond a day keep counting).
QString FormatDuration(double days);
WonTexts MakeWonTexts(const WonFigures &figures);

// Compares with every player, then counts and logs the win for the current player.
WonFigures RecordWin(StatisticsStore &statistics, const GameResult &result, bool countsForStatistics,
                     bool statisticsOn);
