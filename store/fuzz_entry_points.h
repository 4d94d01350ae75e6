#pragma once

#include <QByteArrayView>

// The store's file decoders driven with arbitrary bytes, for the fuzz targets in tools/fuzz
// (whose table lists every target). Each returns false when a property of the decoder fails
// (it must never crash or throw).
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

// The bytes as Tarnwick.ini, with the window records' binary values: read, written, read again.
bool fuzzSettingsFile(QByteArrayView bytes);
