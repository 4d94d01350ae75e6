#pragma once

#include "store/game_groups.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <functional>

// The groups file (qelcust.dat): the group names, then per group its members; the recently
// played group lists the recent ids in order. Custom variants keep their letters in their
// own records and are not written as members.
QByteArray encodeGroupsFile(const GameGroups &groups);

// Whether a custom id names an existing variant.
using CustomGameExists = std::function<bool(int gameId)>;

// Reads the file into groups: the group list, the members' letters and the recent list.
// False when the file is damaged; the group list then falls back to the two standard groups
// with the default favourites (letters already given stay).
bool decodeGroupsFile(QByteArrayView bytes, GameGroups &groups, const CustomGameExists &exists);

// The older form: names from the settings ("XXXXXXXX" or empty: a placeholder), the
// per-group sections from custom.dat, whose keys are always built-in ids.
bool decodeOlderGroups(QByteArrayView sections, const QStringList &names, GameGroups &groups);

// At start: qelcust.dat, else the older form when the settings count groups ("Customs"
// above 0), else the two standard groups with the default favourites. Returns false when
// a file was present but damaged (it is then kept aside before the next save).
bool loadGroups(GameGroups &groups, const QString &qelcustPath, const QString &customDatPath, int customsSetting,
                const QStringList &olderNames, const CustomGameExists &exists);
// Atomic; a damaged file found at start is first kept aside as ".bad". Throws FileError.
void saveGroups(const GameGroups &groups, const QString &qelcustPath, bool keepOldAside);
