#include "store/game_window_records.h"

#include "store/binary_stream.h"
#include "store/settings.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QByteArray GoptionsMark = QByteArrayLiteral("\x03" "6.1");
constexpr int OldestRecordCount = 201;

qint16 toInt16(double value)
{
    const double rounded = std::nearbyint(value);
    return qint16(std::clamp<double>(rounded, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

} // namespace

GameWindowRecords::GameWindowRecords(QRect workArea) : workArea_(workArea)
{
    records_.fill(defaultRecord());
}

GameWindowRecord GameWindowRecords::defaultRecord() const
{
    GameWindowRecord record;
    record.Height = toInt16(workArea_.height() - 20);
    record.Width = toInt16(workArea_.width() - 20);
    return record;
}

GameWindowRecord *GameWindowRecords::record(int gameId)
{
    if (gameId < 0 || gameId >= RecordedGameIds)
        return nullptr;
    return &records_[gameId];
}

const GameWindowRecord *GameWindowRecords::record(int gameId) const
{
    return const_cast<GameWindowRecords *>(this)->record(gameId);
}

void GameWindowRecords::decodeRecords(QByteArrayView bytes, int count)
{
    BinaryReader reader(bytes);
    std::array<GameWindowRecord, RecordedGameIds> read = records_;
    for (int gameId = 0; gameId < count; ++gameId) {
        GameWindowRecord &record = read[gameId];
        record.Top = reader.readInt16();
        record.Left = reader.readInt16();
        record.Height = reader.readInt16();
        record.Width = reader.readInt16();
        record.AutoplayOff = reader.readInt16();
    }
    // A size of 0 (or a nonsensical negative one) takes the default.
    const GameWindowRecord fallback = defaultRecord();
    for (GameWindowRecord &record : read) {
        if (record.Height <= 0)
            record.Height = fallback.Height;
        if (record.Width <= 0)
            record.Width = fallback.Width;
    }
    records_ = read;
}

void GameWindowRecords::decodeFile(QByteArrayView bytes)
{
    if (bytes.size() < FileSize)
        throw DamagedData("goptions.dat is too short");
    decodeRecords(bytes.sliced(4), RecordedGameIds);
}

QByteArray GameWindowRecords::encodeFile() const
{
    BinaryWriter writer;
    writer.writeBytes(GoptionsMark);
    for (const GameWindowRecord &record : records_) {
        writer.writeInt16(record.Top);
        writer.writeInt16(record.Left);
        writer.writeInt16(record.Height);
        writer.writeInt16(record.Width);
        writer.writeInt16(record.AutoplayOff);
    }
    return writer.bytes();
}

void GameWindowRecords::load(const QString &goptionsPath, const Settings &settings)
{
    records_.fill(defaultRecord());
    if (const std::optional<QByteArray> oldest = settings.takeBinaryValue(SettingName::Game_Options)) {
        try {
            decodeRecords(*oldest, OldestRecordCount);
        } catch (const DamagedData &) {
            // The defaults stay.
        }
        return;
    }
    if (QFileInfo::exists(goptionsPath)) {
        try {
            decodeFile(readWholeFile(goptionsPath, 1 << 20));
        } catch (const std::runtime_error &) {
            records_.fill(defaultRecord());
        }
        return;
    }
    if (const std::optional<QByteArray> older = settings.takeBinaryValue(SettingName::GameOptions)) {
        try {
            decodeRecords(*older, RecordedGameIds);
        } catch (const DamagedData &) {
            records_.fill(defaultRecord());
        }
    }
}

void GameWindowRecords::save(const QString &goptionsPath) const
{
    writeFileAtomically(goptionsPath, encodeFile());
}

WindowPlacement GameWindowRecords::placement(const GameWindowRecord &record, CardScaleFactors factors,
                                             bool restorePosition) const
{
    WindowPlacement placement;
    if (restorePosition)
        placement.topLeft = QPoint(record.Left, record.Top);
    placement.size = QSize(std::min(workArea_.width(), record.Width * factors.horizontal),
                           std::min(workArea_.height(), record.Height * factors.vertical));
    return placement;
}

void GameWindowRecords::storePlacement(GameWindowRecord &record, QRect geometry, CardScaleFactors factors,
                                       bool maximised, bool autoplayOn)
{
    if (!maximised) {
        record.Top = toInt16(geometry.top());
        record.Left = toInt16(geometry.left());
        record.Height = toInt16(double(geometry.height()) / std::max(1, factors.vertical));
        record.Width = toInt16(double(geometry.width()) / std::max(1, factors.horizontal));
    }
    record.AutoplayOff = autoplayOn ? 0 : 1;
}
