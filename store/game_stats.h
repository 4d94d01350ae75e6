#pragma once

#include <QString>
#include <array>
#include <optional>

class BinaryReader;
class BinaryWriter;

// Game ids 0 to 500 have a statistics block and a window record each.
inline constexpr int RecordedGameIds = 501;

// The counters of one period (all time, today, this run).
struct PeriodStats {
    qint16 NotWon = 0;
    qint16 Won = 0;
    qint32 Score = 0;
    double BestTime = 0; // shortest winning duration in days; 0 when none yet

    int played() const { return int(Won) + int(NotWon); }
    // won x 100 / played, rounded to nearest; nothing when no game was played.
    std::optional<int> winPercentage() const;
    bool operator==(const PeriodStats &) const = default;
};

enum class StatsPeriod { AllTime, Today, ThisRun };

// `GameStats`: the counters of one player for one game, 64 bytes in the files.
struct GameStats {
    static constexpr int Size = 64;

    PeriodStats AllTime;
    double TodayDate = 0; // the whole day the Today counters belong to
    PeriodStats Today;
    PeriodStats ThisRun;

    PeriodStats &period(StatsPeriod which);
    const PeriodStats &period(StatsPeriod which) const;

    // Counts one finished game in all three periods. A score of -1000 (no score) adds
    // nothing; counters and sums stop at their largest values.
    void countResult(bool won, int score, double duration);
    // A new day: the Today counters restart when they belong to another day.
    void rollOverTo(double today);
    // Zeroes every counter and best time; the Today date stays.
    void clear();
    bool operator==(const GameStats &) const = default;
};

// `PlayerRecord`: a player's name, details and the statistics of every recorded game.
struct PlayerRecord {
    static constexpr int Size = 33856;
    static constexpr int NameLength = 255;

    std::array<GameStats, RecordedGameIds> Games{};
    QString Name;
    std::array<QString, 6> Details; // kept unchanged

    // A new player: every counter 0 and every Today date set to today.
    static PlayerRecord create(const QString &name, double today);
    // Statistics of a game id; null for ids without a block.
    GameStats *games(int gameId);
    const GameStats *games(int gameId) const;
    // Start of a run: Today counters of another day restart, the run counters are zeroed.
    void startRun(double today);
};

// The 64-byte block; best times that are not finite or below 0 read as none.
GameStats readGameStats(BinaryReader &reader);
void writeGameStats(BinaryWriter &writer, const GameStats &stats);
PlayerRecord readPlayerRecord(BinaryReader &reader);
void writePlayerRecord(BinaryWriter &writer, const PlayerRecord &record);
// Makes a stored best time usable: anything not finite or below 0 becomes 0 (none).
double usableBestTime(double value);

// One period's counters as the files keep them (16 bytes); a best time that is not a
// usable duration reads as none.
PeriodStats readPeriod(class BinaryReader &reader);
