#include "store/stats_file.h"

#include "store/binary_stream.h"

#include <functional>

namespace {

const QByteArray StatsMark = QByteArrayLiteral("\x03v50");

// Fills the list with count records read by readOne; a record that cannot be read is
// replaced by a new one. The count is capped by what the remaining bytes can hold, so a
// false count never makes records out of nothing.
void readRecords(BinaryReader &reader, int count, qint64 recordSize, double today, StatsFileContents &contents,
                 const std::function<PlayerRecord(BinaryReader &, int)> &readOne)
{
    const qint64 available = (reader.remaining() + recordSize - 1) / recordSize;
    if (available < count) {
        count = int(std::max<qint64>(available, 1));
        contents.status = StatsFileContents::Status::Damaged;
    }
    for (int index = 0; index < count; ++index) {
        try {
            contents.players.push_back(readOne(reader, index));
        } catch (const DamagedData &) {
            contents.players.push_back(PlayerRecord::create(generatedPlayerName(index), today));
            contents.status = StatsFileContents::Status::Damaged;
        }
    }
}

// A count or index as stored: a count outside 1..500 becomes 1, an index outside the list 0.
int usableCount(qint32 count, StatsFileContents &contents)
{
    if (count < 1 || count > MaxPlayers) {
        contents.status = StatsFileContents::Status::Damaged;
        return 1;
    }
    return count;
}

void fixCurrentIndex(StatsFileContents &contents)
{
    if (contents.currentIndex < 0 || contents.currentIndex >= int(contents.players.size()))
        contents.currentIndex = 0;
}

StatsFileContents freshList(StatsFileContents::Status status, double today)
{
    StatsFileContents contents;
    contents.status = status;
    contents.players.push_back(PlayerRecord::create(generatedPlayerName(0), today));
    return contents;
}

// A 48-byte entry of the older records: the first 40 bytes of a `GameStats`, then 8 bytes
// that are dropped.
GameStats readShortGameStats(BinaryReader &reader)
{
    GameStats stats;
    stats.AllTime = readPeriod(reader);
    stats.TodayDate = reader.readDouble();
    stats.Today = readPeriod(reader);
    reader.skip(8);
    return stats;
}

// The oldest entry: all-time counters and best time of ids 0 to 200, then 8 unused bytes.
GameStats readOldestGameStats(BinaryReader &reader)
{
    GameStats stats;
    stats.AllTime = readPeriod(reader);
    reader.skip(8);
    return stats;
}

constexpr qint64 ShortEntrySize = 48;
constexpr qint64 OldestEntrySize = 24;
constexpr int OldestGameIds = 201;
constexpr qint64 NamedOldRecordSize = RecordedGameIds * ShortEntrySize + 7 * 256; // 25,840
constexpr qint64 UnnamedOldRecordSize = RecordedGameIds * ShortEntrySize;       // 24,048
constexpr qint64 OldestRecordSize = OldestGameIds * OldestEntrySize;           // 4,824

} // namespace

QString generatedPlayerName(int index)
{
    return index == 0 ? QStringLiteral("Default") : QStringLiteral("Default%1").arg(index);
}

StatsFileContents decodeStatsFile(QByteArrayView bytes, double today)
{
    BinaryReader reader(bytes);
    if (bytes.size() < 4 || bytes.first(4) != StatsMark)
        return freshList(StatsFileContents::Status::WrongMark, today);
    reader.skip(4);

    StatsFileContents contents;
    int count = 1;
    try {
        const qint32 storedCount = reader.readInt32();
        contents.currentIndex = reader.readInt32();
        count = usableCount(storedCount, contents);
    } catch (const DamagedData &) {
        contents.status = StatsFileContents::Status::Damaged;
        contents.currentIndex = 0;
    }
    readRecords(reader, count, PlayerRecord::Size, today, contents,
                [](BinaryReader &records, int) { return readPlayerRecord(records); });
    fixCurrentIndex(contents);
    return contents;
}

bool encodeStatsFileInParts(const std::vector<PlayerRecord> &players, int currentIndex,
                            const std::function<bool(QByteArrayView part)> &write)
{
    constexpr std::size_t RecordsPerPart = 32; // about 1 MB
    BinaryWriter header;
    header.writeBytes(StatsMark);
    header.writeInt32(qint32(players.size()));
    header.writeInt32(currentIndex);
    if (!write(header.bytes()))
        return false;
    for (std::size_t first = 0; first < players.size(); first += RecordsPerPart) {
        const std::size_t end = std::min(players.size(), first + RecordsPerPart);
        BinaryWriter part;
        part.reserve(qint64(end - first) * PlayerRecord::Size);
        for (std::size_t index = first; index < end; ++index)
            writePlayerRecord(part, players[index]);
        if (!write(part.bytes()))
            return false;
    }
    return true;
}

QByteArray encodeStatsFile(const std::vector<PlayerRecord> &players, int currentIndex)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(StatsFileHeaderSize + qint64(players.size()) * PlayerRecord::Size));
    encodeStatsFileInParts(players, currentIndex, [&bytes](QByteArrayView part) {
        bytes += part;
        return true;
    });
    return bytes;
}

StatsFileContents decodeOldPlayersFile(QByteArrayView bytes, const LegacyPlayerSettings &legacy, double today)
{
    const QByteArrayView mark = bytes.first(std::min<qsizetype>(4, bytes.size()));
    const auto hasMark = [&](const char *text) { return mark == QByteArrayView(QByteArray(1, '\x03') + text); };

    StatsFileContents contents;
    BinaryReader reader(bytes);
    int count = 1;
    const auto readCountAndIndex = [&] {
        reader.skip(4);
        try {
            const qint32 storedCount = reader.readInt32();
            contents.currentIndex = reader.readInt32();
            count = usableCount(storedCount, contents);
        } catch (const DamagedData &) {
            contents.status = StatsFileContents::Status::Damaged;
            contents.currentIndex = 0;
        }
    };
    const auto registryName = [&](int index) {
        const QString name = index < legacy.names.size() ? legacy.names.at(index) : QString();
        return name.isEmpty() ? QStringLiteral("Default") : name;
    };
    const auto withLegacyDetails = [&](PlayerRecord record) {
        for (int detail = 0; detail < 3; ++detail)
            record.Details[detail] = detail < legacy.details.size() ? legacy.details.at(detail) : QString();
        return record;
    };
    const auto readNamedShortRecord = [](BinaryReader &records, int) {
        PlayerRecord record;
        for (GameStats &stats : record.Games)
            stats = readShortGameStats(records);
        record.Name = records.readShortString(PlayerRecord::NameLength);
        for (QString &detail : record.Details)
            detail = records.readShortString(PlayerRecord::NameLength);
        return record;
    };

    if (hasMark("v41")) {
        readCountAndIndex();
        readRecords(reader, count, PlayerRecord::Size, today, contents,
                    [](BinaryReader &records, int) { return readPlayerRecord(records); });
    } else if (hasMark("v33")) {
        readCountAndIndex();
        readRecords(reader, count, NamedOldRecordSize, today, contents, readNamedShortRecord);
    } else if (hasMark("v32")) {
        reader.skip(4);
        count = usableCount(legacy.playerCount, contents);
        contents.currentIndex = legacy.activePlayer;
        readRecords(reader, count, NamedOldRecordSize, today, contents, readNamedShortRecord);
    } else if (hasMark("v28")) {
        reader.skip(4);
        count = usableCount(legacy.playerCount, contents);
        contents.currentIndex = legacy.activePlayer;
        readRecords(reader, count, UnnamedOldRecordSize, today, contents, [&](BinaryReader &records, int index) {
            PlayerRecord record;
            for (GameStats &stats : record.Games)
                stats = readShortGameStats(records);
            record.Name = registryName(index);
            return withLegacyDetails(record);
        });
    } else {
        count = usableCount(legacy.playerCount, contents);
        contents.currentIndex = legacy.activePlayer;
        readRecords(reader, count, OldestRecordSize, today, contents, [&](BinaryReader &records, int index) {
            PlayerRecord record;
            for (int gameId = 0; gameId < OldestGameIds; ++gameId)
                record.Games[gameId] = readOldestGameStats(records);
            record.Name = registryName(index);
            return withLegacyDetails(record);
        });
    }
    // Converted records start their run and their day afresh.
    for (PlayerRecord &record : contents.players) {
        for (GameStats &stats : record.Games)
            stats.ThisRun = {};
        record.startRun(today);
    }
    fixCurrentIndex(contents);
    return contents;
}
