#pragma once

#include <QByteArrayView>

// The file decoders driven with arbitrary bytes, shared by the fuzz targets in tools/fuzz and
// by the test that replays their seed corpus. Each returns false when a property of the
// decoder fails (it must never crash or throw).
bool fuzzStatsFile(QByteArrayView bytes);
// The first byte is the player count the settings would give; the rest is players.dat.
bool fuzzOldPlayersFile(QByteArrayView bytes);
bool fuzzLogFile(QByteArrayView bytes);
bool fuzzGoptionsFile(QByteArrayView bytes);
// The bytes as text: an Exec value to split, and lines as arguments that must survive quoting.
bool fuzzDesktopExec(QByteArrayView bytes);
// custgame.dat, custstat.dat (against two variants and two players) and qelcust.dat.
bool fuzzCustomGamesFile(QByteArrayView bytes);
bool fuzzCustomStatsFile(QByteArrayView bytes);
bool fuzzGroupsFile(QByteArrayView bytes);

bool fuzzSavedGame(QByteArrayView bytes);

struct FuzzEntryPoint {
    const char *name; // folder of its seed corpus under tools/fuzz/corpus
    bool (*run)(QByteArrayView bytes);
};

inline constexpr FuzzEntryPoint FuzzEntryPoints[] = {
    {"stats_file", fuzzStatsFile},
    {"old_players_file", fuzzOldPlayersFile},
    {"log_file", fuzzLogFile},
    {"goptions_file", fuzzGoptionsFile},
    {"desktop_exec", fuzzDesktopExec},
    {"custom_games_file", fuzzCustomGamesFile},
    {"custom_stats_file", fuzzCustomStatsFile},
    {"groups_file", fuzzGroupsFile},
    {"saved_game", fuzzSavedGame},
};
