#include "store/game_stats.h"

#include "store/binary_stream.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

template <typename Integer> Integer saturatedAdd(Integer value, qint64 amount)
{
    const qint64 sum = qint64(value) + amount;
    return Integer(std::clamp<qint64>(sum, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max()));
}

constexpr int NoScore = -1000;

} // namespace

std::optional<int> PeriodStats::winPercentage() const
{
    const int games = played();
    if (games <= 0)
        return std::nullopt;
    return int(std::nearbyint(double(Won) * 100.0 / games));
}

PeriodStats &GameStats::period(StatsPeriod which)
{
    switch (which) {
    case StatsPeriod::Today:
        return Today;
    case StatsPeriod::ThisRun:
        return ThisRun;
    case StatsPeriod::AllTime:
        break;
    }
    return AllTime;
}

const PeriodStats &GameStats::period(StatsPeriod which) const
{
    return const_cast<GameStats *>(this)->period(which);
}

void GameStats::countResult(bool won, int score, double duration)
{
    for (PeriodStats *stats : {&AllTime, &Today, &ThisRun}) {
        if (won)
            stats->Won = saturatedAdd(stats->Won, 1);
        else
            stats->NotWon = saturatedAdd(stats->NotWon, 1);
        if (score != NoScore)
            stats->Score = saturatedAdd(stats->Score, score);
        // A duration of 0 or less would read as "no best time"; it is no record either.
        if (won && duration > 0 && std::isfinite(duration) && (stats->BestTime == 0 || stats->BestTime > duration))
            stats->BestTime = duration;
    }
}

void GameStats::rollOverTo(double today)
{
    if (TodayDate != today) {
        TodayDate = today;
        Today = {};
    }
}

void GameStats::clear()
{
    AllTime = {};
    Today = {};
    ThisRun = {};
}

PlayerRecord PlayerRecord::create(const QString &name, double today)
{
    PlayerRecord record;
    record.Name = name;
    for (GameStats &stats : record.Games)
        stats.TodayDate = today;
    return record;
}

GameStats *PlayerRecord::games(int gameId)
{
    if (gameId < 0 || gameId >= RecordedGameIds)
        return nullptr;
    return &Games[gameId];
}

const GameStats *PlayerRecord::games(int gameId) const
{
    return const_cast<PlayerRecord *>(this)->games(gameId);
}

void PlayerRecord::startRun(double today)
{
    for (GameStats &stats : Games) {
        stats.rollOverTo(today);
        stats.ThisRun = {};
    }
}

double usableBestTime(double value)
{
    return std::isfinite(value) && value > 0 ? value : 0;
}

PeriodStats readPeriod(BinaryReader &reader)
{
    PeriodStats stats;
    stats.NotWon = reader.readInt16();
    stats.Won = reader.readInt16();
    stats.Score = reader.readInt32();
    stats.BestTime = usableBestTime(reader.readDouble());
    return stats;
}

namespace {

void writePeriod(BinaryWriter &writer, const PeriodStats &stats)
{
    writer.writeInt16(stats.NotWon);
    writer.writeInt16(stats.Won);
    writer.writeInt32(stats.Score);
    writer.writeDouble(stats.BestTime);
}

} // namespace

GameStats readGameStats(BinaryReader &reader)
{
    GameStats stats;
    stats.AllTime = readPeriod(reader);
    stats.TodayDate = reader.readDouble();
    stats.Today = readPeriod(reader);
    stats.ThisRun = readPeriod(reader);
    reader.skip(8);
    return stats;
}

void writeGameStats(BinaryWriter &writer, const GameStats &stats)
{
    writePeriod(writer, stats.AllTime);
    writer.writeDouble(stats.TodayDate);
    writePeriod(writer, stats.Today);
    writePeriod(writer, stats.ThisRun);
    writer.writeZeros(8);
}

PlayerRecord readPlayerRecord(BinaryReader &reader)
{
    PlayerRecord record;
    for (GameStats &stats : record.Games)
        stats = readGameStats(reader);
    record.Name = reader.readShortString(PlayerRecord::NameLength);
    for (QString &detail : record.Details)
        detail = reader.readShortString(PlayerRecord::NameLength);
    return record;
}

void writePlayerRecord(BinaryWriter &writer, const PlayerRecord &record)
{
    for (const GameStats &stats : record.Games)
        writeGameStats(writer, stats);
    writer.writeShortString(record.Name, PlayerRecord::NameLength);
    for (const QString &detail : record.Details)
        writer.writeShortString(detail, PlayerRecord::NameLength);
}
