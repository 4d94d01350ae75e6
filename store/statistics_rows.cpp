#include "store/statistics_rows.h"

#include "store/statistics_store.h"
#include "store/won_figures.h"

#include <algorithm>
#include <cmath>

double shownBestTime(double days)
{
    return std::isfinite(days) && days > 1e-10 && days <= LongestBestTime ? days : 0;
}

StatFigures figuresOf(const PeriodStats &period)
{
    StatFigures figures;
    figures.won = std::max<int>(0, period.Won);
    figures.lost = std::max<int>(0, period.NotWon);
    figures.total = figures.won + figures.lost;
    figures.score = period.Score;
    figures.bestTime = shownBestTime(period.BestTime);
    return figures;
}

QString cellText(const StatFigures &figures, StatColumn column)
{
    switch (column) {
    case StatColumn::Game:
        return {};
    case StatColumn::Total:
        return QString::number(figures.total);
    case StatColumn::Won:
        return QString::number(figures.won);
    case StatColumn::Lost:
        return QString::number(figures.lost);
    case StatColumn::Ratio:
        return QString::number(figures.ratio(), 'f', 1);
    case StatColumn::Score:
        return QString::number(figures.score);
    case StatColumn::Average:
        return QString::number(figures.average(), 'f', 2);
    case StatColumn::BestTime:
        return figures.bestTime > 0 ? FormatDuration(figures.bestTime) + QStringLiteral("  ") : QString();
    }
    return {};
}

namespace {

bool passes(const StatFigures &figures, StatsPeriod period, RowFilter filter)
{
    const bool played = figures.total > 0 || (period != StatsPeriod::AllTime && figures.bestTime > 0);
    switch (filter) {
    case RowFilter::All:
        return true;
    case RowFilter::Played:
        return played;
    case RowFilter::NotPlayed:
        return !played;
    case RowFilter::Won:
        return figures.won > 0;
    case RowFilter::NotWon:
        return figures.won == 0 && figures.total > 0;
    }
    return true;
}

double sortValue(const StatFigures &figures, StatColumn column)
{
    switch (column) {
    case StatColumn::Total:
        return figures.total;
    case StatColumn::Won:
        return figures.won;
    case StatColumn::Lost:
        return figures.lost;
    case StatColumn::Ratio:
        return figures.ratio();
    case StatColumn::Score:
        return double(figures.score);
    case StatColumn::Average:
        return figures.average();
    case StatColumn::BestTime:
        return figures.bestTime;
    case StatColumn::Game:
        break;
    }
    return 0;
}

} // namespace

StatTable buildStatTable(StatisticsStore &statistics, int playerIndex, const std::vector<ListedGame> &games,
                         StatsPeriod period, RowFilter filter)
{
    StatTable table;
    const double today = statistics.today();
    for (const ListedGame &game : games) {
        StatRow row{game.gameId, game.name, {}};
        if (const GameStats *stats = statistics.gameStats(playerIndex, game.gameId)) {
            // Today's counters of another day (a run that went past midnight) are none today.
            if (period != StatsPeriod::Today || stats->TodayDate == today)
                row.figures = figuresOf(stats->period(period));
        }
        if (!passes(row.figures, period, filter))
            continue;
        StatFigures &totals = table.totals;
        totals.total += row.figures.total;
        totals.won += row.figures.won;
        totals.lost += row.figures.lost;
        totals.score += row.figures.score;
        if (row.figures.bestTime > 0 && (totals.bestTime == 0 || row.figures.bestTime < totals.bestTime))
            totals.bestTime = row.figures.bestTime;
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool StatSorting::click(StatColumn column)
{
    bool &next = nextAscending_[std::size_t(column)];
    column_ = column;
    ascending_ = next;
    next = !next;
    return ascending_;
}

void sortStatRows(std::vector<StatRow> &rows, StatColumn column, bool ascending)
{
    const auto less = [column](const StatRow &a, const StatRow &b) {
        if (column == StatColumn::Game)
            return QString::localeAwareCompare(a.name, b.name) < 0;
        return sortValue(a.figures, column) < sortValue(b.figures, column);
    };
    if (ascending)
        std::stable_sort(rows.begin(), rows.end(), less);
    else
        std::stable_sort(rows.begin(), rows.end(), [&](const StatRow &a, const StatRow &b) { return less(b, a); });
}
