#include "store/score_history.h"

#include "store/binary_stream.h"
#include "store/won_figures.h"

#include <QLocale>
#include <algorithm>
#include <deque>

qint64 ScoreHistory::average() const
{
    if (games.empty())
        return 0;
    qint64 sum = 0;
    for (const LoggedGame &game : games)
        sum += game.record.Score;
    return sum / qint64(games.size());
}

std::vector<double> ScoreHistory::scores() const
{
    std::vector<double> values;
    values.reserve(games.size());
    for (const LoggedGame &game : games)
        values.push_back(game.record.Score);
    return values;
}

ScoreHistory readScoreHistory(const GameLog &log, const QString &playerName, int gameId, HistoryFilter filter,
                              int lastGames, int runNumber, double now)
{
    LogFilter recordFilter = LogFilter::All;
    switch (filter) {
    case HistoryFilter::Last30Days:
        recordFilter = LogFilter::Last30Days;
        break;
    case HistoryFilter::Last7Days:
        recordFilter = LogFilter::Last7Days;
        break;
    case HistoryFilter::Today:
        recordFilter = LogFilter::Today;
        break;
    case HistoryFilter::CurrentSession:
        recordFilter = LogFilter::CurrentSession;
        break;
    case HistoryFilter::All:
    case HistoryFilter::LastGames:
        break;
    }
    const std::size_t kept = filter == HistoryFilter::LastGames ? std::size_t(std::clamp(lastGames, 1, MostLastGames))
                                                                 : std::size_t(MostHistoryGames);
    const QString stored = fitToField(playerName, LogRecord::PlayerNameLength);
    ScoreHistory history;
    std::deque<LoggedGame> last;
    log.forEachRecord([&](qint64 index, const LogRecord &record) {
        if (!validLogGameId(record.GameId)) {
            ++history.damaged;
            return true;
        }
        if (record.GameId != gameId || record.PlayerName != stored
            || !passesLogFilter(record, recordFilter, runNumber, now))
            return true;
        last.push_back({index, record});
        if (last.size() > kept)
            last.pop_front();
        return true;
    });
    history.games.assign(last.begin(), last.end());
    return history;
}

QString historyInfoLine(const LogRecord &record)
{
    const QLocale locale;
    const QDateTime started = fromDayNumber(record.StartTime);
    const QString startedText = started.isValid() ? locale.toString(started.date(), QLocale::ShortFormat) + QStringLiteral("   ")
                                                        + locale.toString(started.time(), QLocale::ShortFormat)
                                                  : QString();
    const QString gap = QStringLiteral("   ");
    return QStringLiteral("Status: ") + (record.Won ? QLatin1String(LogText::Won) : QLatin1String(LogText::Lost)) + gap
           + QStringLiteral("Shuffle: ") + QString::number(record.GameNumber) + gap + QStringLiteral("Score: ")
           + QString::number(record.Score) + gap + QStringLiteral("Started: ") + startedText + gap
           + QStringLiteral("Time: ") + FormatDuration(record.Duration) + gap + QStringLiteral("Moves: ")
           + QString::number(record.Moves);
}
