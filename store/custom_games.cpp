#include "store/custom_games.h"

#include "store/binary_stream.h"
#include "store/log_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

constexpr qint32 HeadMark = 10;
constexpr qint32 HeadVersion = 2;
constexpr qint32 RecordStart = 21;
constexpr qint32 RecordEnd = 31;
constexpr qint32 TailMark = 99;
// Larger files are not read: 800 framed statistics records for each of 500 players.
constexpr qint64 MaxFileSize = 16 + qint64(TCustomGamesList::Capacity) * 500 * (CustomStatsRecord::Size + 8);

bool isBuildingCode(qint32 code, bool foundation)
{
    const qint32 method = code % 32;
    const qint32 direction = code - method;
    if (code < 0 || method > 4)
        return false;
    return direction == 0 || direction == 32 || direction == 64 || (foundation && direction == 128);
}

void keepAside(const QString &path, bool &pending)
{
    if (pending && QFileInfo::exists(path))
        QFile::rename(path, keepAsideName(path));
    pending = false;
}

QByteArray readIfPresent(const QString &path, bool &present)
{
    present = QFileInfo::exists(path);
    if (!present)
        return {};
    try {
        return readWholeFile(path, MaxFileSize);
    } catch (const std::exception &) {
        return {};
    }
}

} // namespace

bool UsableCustomRecord(const CustomGameRecord &record, int builtInCount)
{
    // 0 for the redeals and the stock are the values of base games without a stock of their own.
    const bool redeals = (record.Redeals >= -2 && record.Redeals <= 8);
    const bool stock = record.StockDeal == 0 || record.StockDeal == 1 || record.StockDeal == 3;
    const bool group = (record.GroupMove >= 0 && record.GroupMove <= 4) || record.GroupMove == 8 || record.GroupMove == 9;
    return record.BaseGameId >= 0 && record.BaseGameId < builtInCount && !record.Name.isEmpty() && redeals && stock
        && isBuildingCode(record.TableauRule, false) && isBuildingCode(record.FoundationRule, true)
        && record.EmptyTableau >= 0 && record.EmptyTableau <= 2 && group;
}

QByteArray encodeCustomGameRecord(const CustomGameRecord &record)
{
    BinaryWriter out;
    out.writeInt32(record.BaseGameId);
    out.writeShortString(record.Name, CustomGameRecord::NameLength);
    out.writeInt16(record.Window.Top);
    out.writeInt16(record.Window.Left);
    out.writeInt16(record.Window.Height);
    out.writeInt16(record.Window.Width);
    out.writeInt16(record.Window.AutoplayOff);
    out.writeZeros(4);
    out.writeInt32(record.Redeals);
    out.writeInt32(record.StockDeal);
    out.writeZeros(4);
    out.writeInt32(record.TableauRule);
    out.writeInt32(record.EmptyTableau);
    out.writeInt32(record.GroupMove);
    out.writeZeros(4);
    out.writeInt32(record.FoundationRule);
    out.writeShortString(record.Groups, CustomGameRecord::GroupsLength);
    out.writeZeros(3);
    return out.bytes();
}

CustomGameRecord decodeCustomGameRecord(QByteArrayView bytes)
{
    BinaryReader in(bytes);
    CustomGameRecord record;
    record.BaseGameId = in.readInt32();
    record.Name = in.readShortString(CustomGameRecord::NameLength);
    record.Window.Top = in.readInt16();
    record.Window.Left = in.readInt16();
    record.Window.Height = in.readInt16();
    record.Window.Width = in.readInt16();
    record.Window.AutoplayOff = in.readInt16();
    in.skip(4);
    record.Redeals = in.readInt32();
    record.StockDeal = in.readInt32();
    in.skip(4);
    record.TableauRule = in.readInt32();
    record.EmptyTableau = in.readInt32();
    record.GroupMove = in.readInt32();
    in.skip(4);
    record.FoundationRule = in.readInt32();
    record.Groups = in.readShortString(CustomGameRecord::GroupsLength);
    in.skip(3);
    return record;
}

QByteArray encodeCustomStatsRecord(const CustomStatsRecord &record)
{
    BinaryWriter out;
    out.writeShortString(record.VariantName, CustomGameRecord::NameLength);
    out.writeShortString(record.PlayerName, PlayerRecord::NameLength);
    out.writeZeros(2);
    writeGameStats(out, record.Stats);
    return out.bytes();
}

CustomStatsRecord decodeCustomStatsRecord(QByteArrayView bytes)
{
    BinaryReader in(bytes);
    CustomStatsRecord record;
    record.VariantName = in.readShortString(CustomGameRecord::NameLength);
    record.PlayerName = in.readShortString(PlayerRecord::NameLength);
    in.skip(2);
    record.Stats = readGameStats(in);
    return record;
}

FramedRecords decodeFramedRecords(QByteArrayView bytes, int recordSize, int maxRecords)
{
    FramedRecords result;
    BinaryReader in(bytes);
    try {
        result.headMatched = in.readInt32() == HeadMark && in.readInt32() == HeadVersion;
        if (!result.headMatched)
            return result;
        // Every record is checked against the bytes present before it is taken.
        while (in.remaining() >= 4) {
            const qint32 mark = in.readInt32();
            if (mark == TailMark) {
                result.whole = true;
                return result;
            }
            if (mark != RecordStart || in.remaining() < recordSize + 4 || int(result.records.size()) >= maxRecords)
                return result;
            QByteArray record = in.readBytes(recordSize);
            if (in.readInt32() != RecordEnd)
                return result;
            result.records.push_back(std::move(record));
        }
    } catch (const DamagedData &) {
    }
    return result;
}

QByteArray encodeFramedRecords(const std::vector<QByteArray> &records)
{
    BinaryWriter out;
    out.writeInt32(HeadMark);
    out.writeInt32(HeadVersion);
    for (const QByteArray &record : records) {
        out.writeInt32(RecordStart);
        out.writeBytes(record);
        out.writeInt32(RecordEnd);
    }
    out.writeInt32(TailMark);
    return out.bytes();
}

bool TCustomGamesList::add(const CustomGameRecord &record)
{
    if (count() >= Capacity)
        return false;
    games_.push_back(record);
    games_.back().Name = fitToField(record.Name, CustomGameRecord::NameLength);
    games_.back().Groups = fitToField(record.Groups, CustomGameRecord::GroupsLength);
    return true;
}

CustomGameRecord TCustomGamesList::get(int index) const
{
    if (const CustomGameRecord *record = at(index))
        return *record;
    throw std::out_of_range(MissingGame);
}

CustomGameRecord *TCustomGamesList::at(int index)
{
    return index >= 0 && index < count() ? &games_[std::size_t(index)] : nullptr;
}

const CustomGameRecord *TCustomGamesList::at(int index) const
{
    return index >= 0 && index < count() ? &games_[std::size_t(index)] : nullptr;
}

int TCustomGamesList::indexOf(const QString &name) const
{
    for (int index = 0; index < count(); ++index)
        if (games_[std::size_t(index)].Name == name)
            return index;
    return -1;
}

bool TCustomGamesList::remove(const QString &name)
{
    const int index = indexOf(name);
    if (index < 0)
        return false;
    games_.erase(games_.begin() + index);
    deleteVariantStatistics(name);
    return true;
}

void TCustomGamesList::decodeVariants(QByteArrayView bytes)
{
    games_.clear();
    const FramedRecords framed = decodeFramedRecords(bytes, CustomGameRecord::Size, Capacity);
    bool droppedAny = false;
    std::set<QString> names;
    for (const QByteArray &bytesOfRecord : framed.records) {
        const CustomGameRecord record = decodeCustomGameRecord(bytesOfRecord);
        if (!UsableCustomRecord(record) || !names.insert(record.Name).second) {
            droppedAny = true;
            continue;
        }
        games_.push_back(record);
    }
    keepVariantsAside_ = !framed.whole || droppedAny;
}

bool TCustomGamesList::loadVariants(const QString &path)
{
    bool present = false;
    const QByteArray bytes = readIfPresent(path, present);
    decodeVariants(bytes);
    if (!present) {
        keepVariantsAside_ = false;
        return false;
    }
    return decodeFramedRecords(bytes.left(8), CustomGameRecord::Size, 0).headMatched;
}

QByteArray TCustomGamesList::encodeVariants() const
{
    std::vector<QByteArray> records;
    for (const CustomGameRecord &record : games_)
        records.push_back(encodeCustomGameRecord(record));
    return encodeFramedRecords(records);
}

void TCustomGamesList::saveVariants(const QString &path)
{
    keepAside(path, keepVariantsAside_);
    writeFileAtomically(path, encodeVariants());
}

void TCustomGamesList::decodeStatistics(QByteArrayView bytes, const QStringList &players, double today)
{
    stats_.clear();
    const qint64 maxRecords = qint64(Capacity) * std::max<qint64>(1, players.size());
    const FramedRecords framed = decodeFramedRecords(bytes, CustomStatsRecord::Size, int(std::min<qint64>(maxRecords, 1 << 20)));
    std::set<std::pair<QString, QString>> seen;
    for (const QByteArray &bytesOfRecord : framed.records) {
        CustomStatsRecord record = decodeCustomStatsRecord(bytesOfRecord);
        if (!players.contains(record.PlayerName) || indexOf(record.VariantName) < 0
            || !seen.insert({record.VariantName, record.PlayerName}).second)
            continue;
        record.Stats.rollOverTo(today);
        record.Stats.ThisRun = {};
        stats_.push_back(std::move(record));
    }
    keepStatisticsAside_ = !bytes.isEmpty() && !framed.whole;
    for (const CustomGameRecord &game : games_)
        addStatisticsForVariant(game.Name, players, today);
}

void TCustomGamesList::loadStatistics(const QString &path, const QStringList &players, double today)
{
    bool present = false;
    const QByteArray bytes = readIfPresent(path, present);
    decodeStatistics(bytes, players, today);
    if (present && bytes.isEmpty())
        keepStatisticsAside_ = true;
}

QByteArray TCustomGamesList::encodeStatistics() const
{
    std::vector<QByteArray> records;
    for (const CustomStatsRecord &record : stats_)
        records.push_back(encodeCustomStatsRecord(record));
    return encodeFramedRecords(records);
}

void TCustomGamesList::saveStatistics(const QString &path)
{
    keepAside(path, keepStatisticsAside_);
    writeFileAtomically(path, encodeStatistics());
}

void TCustomGamesList::addStatisticsForVariant(const QString &variant, const QStringList &players, double today)
{
    for (const QString &player : players)
        findStatistics(variant, player, today);
}

void TCustomGamesList::addStatisticsForPlayer(const QString &player, double today)
{
    for (const CustomGameRecord &game : games_)
        findStatistics(game.Name, player, today);
}

GameStats &TCustomGamesList::findStatistics(const QString &variant, const QString &player, double today)
{
    const QString variantName = fitToField(variant, CustomGameRecord::NameLength);
    const QString playerName = fitToField(player, PlayerRecord::NameLength);
    for (CustomStatsRecord &record : stats_)
        if (record.VariantName == variantName && record.PlayerName == playerName)
            return record.Stats;
    CustomStatsRecord record;
    record.VariantName = variantName;
    record.PlayerName = playerName;
    record.Stats.TodayDate = today;
    stats_.push_back(record);
    return stats_.back().Stats;
}

void TCustomGamesList::renamePlayer(const QString &oldName, const QString &newName)
{
    for (CustomStatsRecord &record : stats_)
        if (record.PlayerName == oldName)
            record.PlayerName = fitToField(newName, PlayerRecord::NameLength);
}

void TCustomGamesList::deletePlayerStatistics(const QString &player)
{
    std::erase_if(stats_, [&](const CustomStatsRecord &record) { return record.PlayerName == player; });
}

void TCustomGamesList::deleteVariantStatistics(const QString &variant)
{
    std::erase_if(stats_, [&](const CustomStatsRecord &record) { return record.VariantName == variant; });
}
