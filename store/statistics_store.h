#pragma once

#include "store/players.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Clock;
class GameLog;
class StatisticsWriter;
struct LegacyPlayerSettings;

inline constexpr char StatisticsReadError[] = "Error:Unable to read statistics.";
inline constexpr char StatisticsPartlyRead[] = "Some players' statistics could not be read and start anew.";
inline constexpr int NoScore = -1000;

// One game that ended, as the game code reports it.
struct GameResult {
    quint32 GameNumber = 0;
    int GameId = 0;
    bool Won = false;
    int Score = NoScore; // the table's score; -1000 when it has none
    int Moves = 0;
    double StartTime = 0; // day number
    double EndTime = 0;   // day number; used for won games (others end now)
};

// What the won dialog compares a win with, taken before the win is counted.
struct WinComparison {
    double bestTimeOfAll = 0;             // shortest best time of all players; 0 when none
    std::optional<int> bestWinPercentage; // highest of the players who have won the game
};

// The players' statistics (qelstat.dat) and the counting of results into them and the log.
class StatisticsStore {
public:
    enum class LoadOutcome {
        Loaded,    // qelstat.dat read whole
        Created,   // no file: one "Default" player
        Converted, // read from an older players.dat
        Damaged,   // partly unreadable; the file was kept aside and the rest read
        WrongMark, // not a statistics file: kept aside, one "Default" player; show StatisticsReadError
    };

    StatisticsStore(QString statsPath, QString oldPlayersPath, GameLog &log, const Clock &clock);
    // Finishes a crash-guard write still in flight.
    ~StatisticsStore();

    PlayerList Players;
    // Statistics blocks of custom variants (ids of 1000 and above) by game id and player
    // name; null when the variant or its record does not exist.
    std::function<GameStats *(int gameId, const QString &playerName)> CustomGameStats;

    // The value of "u" for this run and whether "CollectStatistics" was exactly 1 at start.
    void setRun(int runNumber, bool collecting);
    int runNumber() const { return runNumber_; }
    bool collecting() const { return collecting_; }

    // Reads qelstat.dat, or converts players.dat, or starts with "Default"; then starts the run
    // (Today counters of another day restart, run counters are zeroed).
    LoadOutcome load(const LegacyPlayerSettings &legacy);
    // Where load kept a damaged file; empty when it kept none.
    const QString &keptAsidePath() const { return keptAsidePath_; }
    // Rewrites qelstat.dat whole, after a crash-guard write in flight has landed; false (and
    // the old file untouched) when that fails.
    bool save();
    // Waits for a crash-guard write handed to the worker.
    void finishWriting();
    // What could not be written, as "what: why" ("statistics" or "game log", the system's
    // reason), each failure told once; nothing when all went well.
    std::optional<QString> takeWriteFailure();

    double today() const;
    // The block of a game for a player: built-in ids from the player's record, custom ids
    // through CustomGameStats; null when there is none.
    GameStats *gameStats(int playerIndex, int gameId);

    // A game ended: counted (when it counts and statistics are collected) for the current
    // player, and logged in every case. A won built-in game saves the statistics at once.
    // Returns false when the log could not be written.
    bool recordResult(const GameResult &result, bool countsForStatistics);
    // The first move of a counted built-in game: the file already counts it as not won, so that
    // a run that ends without its close sequence still counts it. The file is written on a
    // worker thread, and not at all when it already holds these counters.
    void guardStartedGame(int gameId, bool countsForStatistics);
    // Zeroes every counter and best time of these games for one player.
    void clearStatistics(int playerIndex, const QList<int> &gameIds);
    WinComparison compareWithAllPlayers(int gameId);

private:
    QString statsPath_;
    QString oldPlayersPath_;
    GameLog &log_;
    const Clock &clock_;
    int runNumber_ = 0;
    bool collecting_ = true;
    std::unique_ptr<StatisticsWriter> writer_;
    std::optional<QString> logFailure_;
    QString keptAsidePath_;
};
