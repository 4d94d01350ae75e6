#include "store/fuzz_entry_points.h"

#include "store/binary_stream.h"
#include "store/custom_games.h"
#include "store/display_info.h"
#include "store/game_window_records.h"
#include "store/groups_file.h"
#include "store/log_file.h"
#include "store/player_shortcuts.h"
#include "store/saved_game_file.h"
#include "store/settings.h"
#include "store/stats_file.h"
#include "store/store_locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <limits>

namespace {

constexpr double Today = 45352.0;

bool wellFormed(const StatsFileContents &contents)
{
    return !contents.players.empty() && contents.players.size() <= std::size_t(MaxPlayers) &&
           contents.currentIndex >= 0 && contents.currentIndex < int(contents.players.size());
}

// Decoding what was written gives the same bytes again.
bool writesStably(const StatsFileContents &contents)
{
    const QByteArray written = encodeStatsFile(contents.players, contents.currentIndex);
    if (written.size() != StatsFileHeaderSize + qint64(contents.players.size()) * PlayerRecord::Size)
        return false;
    const StatsFileContents again = decodeStatsFile(written, Today);
    return again.status == StatsFileContents::Status::Whole &&
           encodeStatsFile(again.players, again.currentIndex) == written;
}

} // namespace

bool fuzzStatsFile(QByteArrayView bytes)
{
    try {
        const StatsFileContents contents = decodeStatsFile(bytes, Today);
        return wellFormed(contents) && writesStably(contents);
    } catch (...) {
        return false;
    }
}

bool fuzzOldPlayersFile(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return true;
    LegacyPlayerSettings legacy;
    legacy.playerCount = quint8(bytes[0]);
    legacy.activePlayer = quint8(bytes[0]) % 3;
    legacy.names = {QStringLiteral("First")};
    try {
        const StatsFileContents contents = decodeOldPlayersFile(bytes.sliced(1), legacy, Today);
        return wellFormed(contents) && writesStably(contents);
    } catch (...) {
        return false;
    }
}

bool fuzzLogFile(QByteArrayView bytes)
{
    try {
        for (qsizetype start = 0; start + LogRecord::Size <= bytes.size(); start += LogRecord::Size) {
            const QByteArray once = encodeLogRecord(decodeLogRecord(bytes.sliced(start, LogRecord::Size)));
            if (once.size() != LogRecord::Size || encodeLogRecord(decodeLogRecord(once)) != once)
                return false;
        }
        const qsizetype partial = bytes.size() % LogRecord::Size;
        if (partial > 0) {
            try {
                decodeLogRecord(bytes.last(partial));
                return false;
            } catch (const DamagedData &) {
            }
        }
        return true;
    } catch (...) {
        return false;
    }
}

bool fuzzGoptionsFile(QByteArrayView bytes)
{
    try {
        GameWindowRecords records(QRect(0, 0, 1024, 728));
        try {
            records.decodeFile(bytes);
        } catch (const DamagedData &) {
            return bytes.size() < GameWindowRecords::FileSize;
        }
        const QByteArray written = records.encodeFile();
        for (int gameId = 0; gameId < RecordedGameIds; ++gameId) {
            if (records.record(gameId)->Height <= 0 || records.record(gameId)->Width <= 0)
                return false;
        }
        GameWindowRecords again(QRect(0, 0, 1024, 728));
        again.decodeFile(written);
        return written.size() == GameWindowRecords::FileSize && again.encodeFile() == written;
    } catch (...) {
        return false;
    }
}

bool fuzzDesktopExec(QByteArrayView bytes)
{
    try {
        const QString text = QString::fromUtf8(bytes);
        splitDesktopExecValue(text);
        const QStringList arguments = text.split(u'\n');
        return splitDesktopExecValue(desktopExecValue(arguments)) == arguments;
    } catch (...) {
        return false;
    }
}

bool fuzzCustomGamesFile(QByteArrayView bytes)
{
    try {
        TCustomGamesList list;
        list.decodeVariants(bytes);
        for (int index = 0; index < list.count(); ++index)
            if (!UsableCustomRecord(*list.at(index)))
                return false;
        const QByteArray written = list.encodeVariants();
        TCustomGamesList again;
        again.decodeVariants(written);
        return written.size() == 12 + qint64(list.count()) * (CustomGameRecord::Size + 8) && again.encodeVariants() == written;
    } catch (...) {
        return false;
    }
}

bool fuzzCustomStatsFile(QByteArrayView bytes)
{
    try {
        // Two variants and two players, as a player's data may hold them.
        TCustomGamesList list;
        for (const char *name : {"Easy Klondike", "Suited FreeCell"}) {
            CustomGameRecord record;
            record.Name = QString::fromLatin1(name);
            list.add(record);
        }
        const QStringList players = {QStringLiteral("Default"), QStringLiteral("Ann")};
        list.decodeStatistics(bytes, players, Today);
        // Every player has exactly one record per variant.
        if (list.statistics().size() != 4)
            return false;
        const QByteArray written = list.encodeStatistics();
        TCustomGamesList again = list;
        again.decodeStatistics(written, players, Today);
        return again.encodeStatistics() == written;
    } catch (...) {
        return false;
    }
}

bool fuzzGroupsFile(QByteArrayView bytes)
{
    try {
        const auto exists = [](int gameId) { return gameId >= 1000 && gameId < 1003; };
        GameGroups groups;
        decodeGroupsFile(bytes, groups, exists);
        if (groups.Groups().size() < 2 || groups.RecentlyPlayed().size() > GameGroups::MaxRecent)
            return false;
        for (int gameId = 0; gameId < GameGroups::BuiltInCount; ++gameId)
            if (groups.Membership(gameId).size() > GameGroups::MaxLetters)
                return false;
        const QByteArray written = encodeGroupsFile(groups);
        GameGroups again;
        return decodeGroupsFile(written, again, exists) && encodeGroupsFile(again) == written;
    } catch (...) {
        return false;
    }
}

bool fuzzSavedGame(QByteArrayView bytes)
{
    SavedGame game;
    try {
        game = decodeSavedGame(bytes);
    } catch (const DamagedData &) {
        return true;
    } catch (...) {
        return false;
    }
    try {
        // What was accepted is exactly one game, and writes back to the same game.
        if (game.FileSize() != bytes.size() || game.JournalPos < -1 || game.JournalPos >= qint64(game.Journal.size()))
            return false;
        const QByteArray written = encodeSavedGame(game);
        const SavedGame again = decodeSavedGame(written);
        return written.size() == bytes.size() && again.Journal == game.Journal && again.JournalPos == game.JournalPos
               && again.GameId == game.GameId && again.GameNumber == game.GameNumber
               && again.MoveCount == game.MoveCount && encodeSavedGame(again) == written;
    } catch (...) {
        return false;
    }
}

bool fuzzSettingsFile(QByteArrayView bytes)
{
    // In memory when the system has a memory file system: every save syncs to the disk.
    static const QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                          ? QStringLiteral("/dev/shm/tarnwick-fuzz-XXXXXX")
                                          : QDir::tempPath() + QStringLiteral("/tarnwick-fuzz-XXXXXX"));
    StoreLocations locations;
    locations.configFolder = folder.path();
    locations.programFolder = folder.path();
    const FixedDisplayInfo display(24, QSize(1280, 1024), QRect(0, 0, 1280, 984));
    try {
        QFile file(locations.settingsFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes.data(), bytes.size()) != bytes.size())
            return true; // nothing to read
        file.close();
        Settings settings(locations, display);
        settings.load();
        settings.legacyPlayers();
        settings.legacyGroupNames();
        GameWindowRecords records(display.workArea());
        records.load(folder.filePath(QStringLiteral("absent.dat")), settings);
        for (int gameId = 0; gameId < RecordedGameIds; ++gameId) {
            if (!records.record(gameId))
                return false;
        }
        const CardsSettings &cards = settings.Cards;
        if (cards.MaxLog < 1 || cards.MaxLog > 10000 || cards.Back < 1 || (cards.Back > 13 && cards.Back != 100))
            return false;
        // What is written reads back the same (the run counter goes up by one at every read).
        settings.save();
        Settings again(locations, display);
        again.load();
        CardsSettings expected = cards;
        expected.u = cards.u == std::numeric_limits<int>::max() ? cards.u : cards.u + 1;
        expected.Version = QString::fromLatin1(WrittenVersion);
        return again.Cards == expected;
    } catch (const FileError &) {
        return true; // the scratch folder could not be written: nothing learned
    } catch (...) {
        return false;
    }
}
