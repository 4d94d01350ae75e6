#pragma once

#include "store/log_file.h"

#include <vector>

// Texts of the log window.
namespace LogText {
inline constexpr char Caption[] = "Log";
inline constexpr char Damaged[] = "Some log records were damaged and are not shown.";
inline constexpr char Won[] = "Won";
inline constexpr char Lost[] = "Lost";
} // namespace LogText

// The record filter of the log window ("Filter"); 20 and 21 are stored by older versions.
enum class LogFilter { All = 0, Today = 1, CurrentSession = 2, Lost = 3, Won = 4, Last30Days = 20, Last7Days = 21 };
// A stored "Filter" value, or All for a value that is none of them.
LogFilter logFilterFrom(int stored);

// A log record with its place in the file (records numbered from 0).
struct LoggedGame {
    qint64 index = 0;
    LogRecord record;
};

// A record of a game the log can name: game ids 0 to 8000. Any other was damaged.
bool validLogGameId(qint32 gameId);

struct LogListing {
    std::vector<LoggedGame> games; // newest first
    int damaged = 0;               // records of any player skipped for a game id out of range
};

// What the filter keeps, given this run's number and the time now (a day number).
bool passesLogFilter(const LogRecord &record, LogFilter filter, int runNumber, double now);

// The player's records that pass the filter, newest first; damaged records are counted and
// left out, and the file is left as it is.
LogListing readLogListing(const GameLog &log, const QString &playerName, LogFilter filter, int runNumber, double now);

// The columns of the log window after its comment mark.
enum class LogColumn { Comment, Number, Game, Status, Score, Moves, Started, Time };
// The shuffle number, score, moves, start and duration by value, the others by text; equal
// rows keep their order. gameName names a game id.
void sortLogGames(std::vector<LoggedGame> &games, LogColumn column, bool ascending,
                  const std::function<QString(int gameId)> &gameName);

// Stores the comment into record index only while that record is still the one given (the
// log may have changed since it was read); the record is written in one piece. False when the
// record is gone or different.
bool setCommentOf(const GameLog &log, const LoggedGame &shown, const QString &comment);

// The won dialog's comment: stored into the last record while it is still this game's.
bool commentLastGame(const GameLog &log, const LogRecord &game, const QString &comment);
