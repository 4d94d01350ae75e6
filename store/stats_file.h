#pragma once

#include "store/game_stats.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <vector>

// What a statistics file held, and whether it was whole.
struct StatsFileContents {
    enum class Status {
        Whole,     // every record read as the file said
        Damaged,   // bad counts or unreadable records; those were replaced
        WrongMark, // not a statistics file of this kind: one new "Default" player
    };

    Status status = Status::Whole;
    std::vector<PlayerRecord> players; // never empty
    int currentIndex = 0;              // always within players
};

inline constexpr int MaxPlayers = 500;
inline constexpr qint64 StatsFileHeaderSize = 12;
inline constexpr qint64 MaxStatsFileSize = StatsFileHeaderSize + MaxPlayers * qint64(PlayerRecord::Size);

// qelstat.dat: "v50", the player count, the current index, then the records. Records come
// back as stored (no roll-over); a record that cannot be read gets a generated name.
StatsFileContents decodeStatsFile(QByteArrayView bytes, double today);
QByteArray encodeStatsFile(const std::vector<PlayerRecord> &players, int currentIndex);
// The same bytes, handed to write a few records at a time so that the whole file is never
// held at once; false as soon as write returns false.
bool encodeStatsFileInParts(const std::vector<PlayerRecord> &players, int currentIndex,
                            const std::function<bool(QByteArrayView part)> &write);

// What an older version kept in the settings and what players.dat needs of it.
struct LegacyPlayerSettings {
    int playerCount = 0;  // "Players" of section "Players"
    int activePlayer = 0; // "Active_Player" of section "Players", for forms without an index
    QStringList names;    // "U1", "U2", ... (missing ones read as "Default")
    QStringList details;  // "PName", "PCountry", "PEmail" of section "Cards"
};

// players.dat of older versions in any of its five forms, converted to current records.
StatsFileContents decodeOldPlayersFile(QByteArrayView bytes, const LegacyPlayerSettings &legacy, double today);

// The name a replaced record gets: "Default", then "Default1", "Default2", ...
QString generatedPlayerName(int index);
