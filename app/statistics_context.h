#pragma once

#include "store/statistics_rows.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class GameLog;
class QDialog;
class StatisticsStore;
struct CardsSettings;

// What the statistics, log, high-score and score-history windows work on, and how they
// open one another and ask their questions (tests answer at once).
struct StatisticsContext {
    StatisticsContext(StatisticsStore &statistics, GameLog &log, CardsSettings &settings)
        : statistics(statistics), log(log), settings(settings)
    {
    }

    StatisticsStore &statistics;
    GameLog &log;
    CardsSettings &settings; // the display settings are read and stored back
    std::vector<ListedGame> games; // every dealt game and every variant, in list order
    int currentGameId = 0;
    int runNumber = 0;
    double now = 0; // day number
    std::function<QString(int gameId)> gameName;
    // A Yes/No question with No as default.
    std::function<bool(const QString &text, const QString &caption)> ask;
    // Runs a window that another one opens; QDialog::exec unless replaced.
    std::function<int(QDialog &dialog)> run;

    int exec(QDialog &dialog) const;
    bool confirm(const QString &text, const QString &caption) const;
    QString nameOf(int gameId) const;
};

// What a statistics window asks the main window to do once it is closed.
struct StatisticsOutcome {
    int gameId = -1;                  // start this game (-1: nothing)
    std::optional<quint32> shuffle;   // with this shuffle number (the log's replay)
};
