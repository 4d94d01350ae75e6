#pragma once

#include <QList>
#include <QString>

class GameLog;
class StatisticsStore;

namespace ClearText {
inline constexpr char Caption[] = "Clear statistics";
inline constexpr char QuestionCaption[] = "Clear Statistics";
inline constexpr char AskSelected[] = "Are you sure you want to clear statistics for selected game(s) for player '%1'?";
inline constexpr char AskAll[] = "Are you sure you want to clear all statistics for player '%1'?";
} // namespace ClearText

// What the clear dialog asks for: one player's statistics of the chosen games, or of every
// game (each built-in block and the given variants), with their log records if wished.
struct ClearRequest {
    int playerIndex = 0;
    bool allGames = false;
    QList<int> gameIds;    // the chosen games, or with allGames the player's variants
    bool clearLog = false;
};

// Zeroes the counters (the Today date stays) and deletes the log records in one rewrite of
// the log. False when the log records could not be deleted.
bool clearStatistics(StatisticsStore &statistics, GameLog &log, const ClearRequest &request);
