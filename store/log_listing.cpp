#include "store/log_listing.h"

#include "store/binary_stream.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

LogFilter logFilterFrom(int stored)
{
    switch (stored) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 20:
    case 21:
        return LogFilter(stored);
    default:
        return LogFilter::All;
    }
}

bool validLogGameId(qint32 gameId)
{
    return gameId >= 0 && gameId <= 8000;
}

bool passesLogFilter(const LogRecord &record, LogFilter filter, int runNumber, double now)
{
    const double ended = record.StartTime + record.Duration;
    switch (filter) {
    case LogFilter::All:
        return true;
    case LogFilter::Today:
        return std::isfinite(ended) && dayOf(ended) == dayOf(now);
    case LogFilter::CurrentSession:
        return record.RunNumber == runNumber;
    case LogFilter::Lost:
        return !record.Won;
    case LogFilter::Won:
        return record.Won;
    case LogFilter::Last30Days:
        return std::isfinite(ended) && ended >= now - 30;
    case LogFilter::Last7Days:
        return std::isfinite(ended) && ended >= now - 7;
    }
    return true;
}

LogListing readLogListing(const GameLog &log, const QString &playerName, LogFilter filter, int runNumber, double now)
{
    LogListing listing;
    const QString stored = fitToField(playerName, LogRecord::PlayerNameLength);
    log.forEachRecord([&](qint64 index, const LogRecord &record) {
        if (!validLogGameId(record.GameId))
            ++listing.damaged;
        else if (record.PlayerName == stored && passesLogFilter(record, filter, runNumber, now))
            listing.games.push_back({index, record});
        return true;
    });
    std::reverse(listing.games.begin(), listing.games.end());
    return listing;
}

void sortLogGames(std::vector<LoggedGame> &games, LogColumn column, bool ascending,
                  const std::function<QString(int)> &gameName)
{
    const auto less = [&](const LoggedGame &left, const LoggedGame &right) {
        const LogRecord &a = left.record;
        const LogRecord &b = right.record;
        switch (column) {
        case LogColumn::Comment:
            return QString::localeAwareCompare(a.Comment, b.Comment) < 0;
        case LogColumn::Number:
            return a.GameNumber < b.GameNumber;
        case LogColumn::Game:
            return QString::localeAwareCompare(gameName(a.GameId), gameName(b.GameId)) < 0;
        case LogColumn::Status:
            return a.Won < b.Won; // "Lost" before "Won"
        case LogColumn::Score:
            return a.Score < b.Score;
        case LogColumn::Moves:
            return a.Moves < b.Moves;
        case LogColumn::Started:
            return a.StartTime < b.StartTime;
        case LogColumn::Time:
            return a.Duration < b.Duration;
        }
        return false;
    };
    if (ascending)
        std::stable_sort(games.begin(), games.end(), less);
    else
        std::stable_sort(games.begin(), games.end(), [&](const LoggedGame &a, const LoggedGame &b) { return less(b, a); });
}

bool setCommentOf(const GameLog &log, const LoggedGame &shown, const QString &comment)
{
    TRecordStream stream;
    if (!QFileInfo::exists(log.path()) || !stream.open(log.path(), QIODevice::ReadWrite))
        return false;
    if (shown.index < 0 || shown.index >= stream.RecordCount())
        return false;
    try {
        stream.SeekRecord(shown.index, TRecordStream::FromBeginning);
        LogRecord record = decodeLogRecord(stream.ReadRecord());
        // The comment may differ (edited meanwhile); anything else means another record.
        LogRecord expected = shown.record;
        expected.Comment = record.Comment;
        if (!(record == expected))
            return false;
        record.Comment = fitToField(comment, LogRecord::CommentLength);
        stream.StepBack();
        stream.WriteRecord(encodeLogRecord(record));
        return stream.file().flush();
    } catch (const std::runtime_error &) {
        return false;
    }
}

bool commentLastGame(const GameLog &log, const LogRecord &game, const QString &comment)
{
    const qint64 count = log.recordCount();
    return count > 0 && setCommentOf(log, {count - 1, game}, comment);
}
