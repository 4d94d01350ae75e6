#pragma once

#include "store/log_listing.h"

#include <vector>

// Texts of the score history window.
namespace HistoryText {
inline constexpr char Caption[] = "Score History";
} // namespace HistoryText

// "HistoryFiltering": 0 all, 1 last 30 days, 2 last 7 days, 3 today, 4 current session,
// 5 the last N games.
enum class HistoryFilter { All = 0, Last30Days = 1, Last7Days = 2, Today = 3, CurrentSession = 4, LastGames = 5 };
inline constexpr int MostHistoryGames = 20000;
inline constexpr int MostLastGames = 5000;

struct ScoreHistory {
    std::vector<LoggedGame> games; // file order, the last ones kept
    int damaged = 0;
    // The sum of the scores divided by their number, the fraction dropped; 0 when empty.
    qint64 average() const;
    std::vector<double> scores() const;
};

// The player's records of one game that pass the filter, in file order: the last lastGames
// of them (1 to 5000) for LastGames, else the last 20,000.
ScoreHistory readScoreHistory(const GameLog &log, const QString &playerName, int gameId, HistoryFilter filter,
                              int lastGames, int runNumber, double now);

// The info line of a point: "Status: Won   Shuffle: 12   Score: 40   Started: <date>   <time>
// Time: 00:03:10   Moves: 90" (items three blanks apart).
QString historyInfoLine(const LogRecord &record);
