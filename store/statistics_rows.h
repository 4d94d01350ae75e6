#pragma once

#include "store/game_stats.h"

#include <QString>
#include <array>
#include <vector>

class StatisticsStore;

// Texts of the statistics window.
namespace StatText {
inline constexpr char Caption[] = "Statistics for player '%1'";
inline constexpr char Disabled[] = "Statistics disabled. Check \"Collect Statistics\" option on Miscellaneous tab of "
                                   "Options dialog to enable statistics.";
inline constexpr char Suspended[] = "You have \"Show Next Move\" button included in the toolbar. It disables your "
                                    "statistics. Remove this button from the toolbar to enable statistics again.";
inline constexpr char TotalPrefix[] = "Total: ";
} // namespace StatText

// Best times longer than this (in days) are no times anywhere they are shown or compared.
inline constexpr double LongestBestTime = 99.98;
// The best time if it is one, else 0.
double shownBestTime(double days);

// The figures of one period: ratio and average are 0 when nothing was played.
struct StatFigures {
    int total = 0, won = 0, lost = 0;
    qint64 score = 0;
    double bestTime = 0; // 0: none
    double ratio() const { return total > 0 ? won * 100.0 / total : 0.0; }
    double average() const { return total > 0 ? double(score) / total : 0.0; }
};
StatFigures figuresOf(const PeriodStats &period);

// The row filter "Show": 0 all games, 1 played, 2 not played, 3 won, 4 not won.
enum class RowFilter { All = 0, Played = 1, NotPlayed = 2, Won = 3, NotWon = 4 };

struct ListedGame {
    int gameId = 0;
    QString name;
};

struct StatRow {
    int gameId = 0;
    QString name;
    StatFigures figures;
};

// The window's eight columns.
enum class StatColumn { Game, Total, Won, Lost, Ratio, Score, Average, BestTime };
inline constexpr int StatColumnCount = 8;
// The cell text without its "%" or "$" mark; "W/L Ratio" one decimal, "Average" two,
// "Best Time" "hh:nn:ss  " or empty.
QString cellText(const StatFigures &figures, StatColumn column);

struct StatTable {
    std::vector<StatRow> rows;
    StatFigures totals; // best time: the smallest above zero among the rows
};

// One row per listed game that passes the filter, for one player and period.
StatTable buildStatTable(StatisticsStore &statistics, int playerIndex, const std::vector<ListedGame> &games,
                         StatsPeriod period, RowFilter filter);

// Sorting by a header click: each column keeps its own direction, ascending at first and
// reversed on every click of that column.
class StatSorting {
public:
    // The direction the click sorts in (true: ascending).
    bool click(StatColumn column);
    StatColumn column() const { return column_; }
    bool ascending() const { return ascending_; }

private:
    std::array<bool, StatColumnCount> nextAscending_{true, true, true, true, true, true, true, true};
    StatColumn column_ = StatColumn::Game;
    bool ascending_ = true;
};
// "Game" by its text, the others by value (the best times by duration, none first); equal
// rows keep their order.
void sortStatRows(std::vector<StatRow> &rows, StatColumn column, bool ascending);
