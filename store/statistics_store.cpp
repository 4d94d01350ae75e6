#include "store/statistics_store.h"

#include "store/binary_stream.h"
#include "store/clock.h"
#include "store/log_file.h"
#include "store/stats_file.h"
#include "store/statistics_writer.h"

#include <QFile>
#include <QFileInfo>
#include <utility>

StatisticsStore::StatisticsStore(QString statsPath, QString oldPlayersPath, GameLog &log, const Clock &clock)
    : statsPath_(std::move(statsPath)), oldPlayersPath_(std::move(oldPlayersPath)), log_(log), clock_(clock),
      writer_(std::make_unique<StatisticsWriter>(statsPath_))
{
}

StatisticsStore::~StatisticsStore() = default;

void StatisticsStore::finishWriting()
{
    writer_->finish();
}

std::optional<QString> StatisticsStore::takeWriteFailure()
{
    if (logFailure_)
        return QStringLiteral("game log: ") + *std::exchange(logFailure_, std::nullopt);
    if (const std::optional<QString> reason = writer_->takeFailure())
        return QStringLiteral("statistics: ") + *reason;
    return std::nullopt;
}

void StatisticsStore::setRun(int runNumber, bool collecting)
{
    runNumber_ = runNumber;
    collecting_ = collecting;
}

double StatisticsStore::today() const
{
    return dayOf(toDayNumber(clock_.now()));
}

StatisticsStore::LoadOutcome StatisticsStore::load(const LegacyPlayerSettings &legacy)
{
    // A damaged file is moved aside below; no write of ours may be under way meanwhile.
    finishWriting();
    keptAsidePath_.clear();
    const double currentDay = today();
    StatsFileContents contents;
    LoadOutcome outcome = LoadOutcome::Loaded;
    if (QFileInfo::exists(statsPath_)) {
        try {
            contents = decodeStatsFile(readWholeFile(statsPath_, MaxStatsFileSize), currentDay);
        } catch (const DamagedData &) {
            // Longer than any statistics file can be.
            contents = decodeStatsFile(QByteArray(), currentDay);
        } catch (const FileError &) {
            contents = decodeStatsFile(QByteArray(), currentDay);
        }
        if (contents.status != StatsFileContents::Status::Whole) {
            // Keep the player's history for rescue before a new file replaces it.
            const QString copy = keepAsideName(statsPath_);
            if (QFile::rename(statsPath_, copy))
                keptAsidePath_ = copy;
            outcome = contents.status == StatsFileContents::Status::WrongMark ? LoadOutcome::WrongMark
                                                                                : LoadOutcome::Damaged;
        }
    } else if (legacy.playerCount > 0 && QFileInfo::exists(oldPlayersPath_)) {
        try {
            contents = decodeOldPlayersFile(readWholeFile(oldPlayersPath_, MaxStatsFileSize), legacy, currentDay);
            outcome = LoadOutcome::Converted;
        } catch (const std::runtime_error &) {
            contents = {};
            outcome = LoadOutcome::Created;
        }
    } else {
        outcome = LoadOutcome::Created;
    }
    for (PlayerRecord &record : contents.players)
        record.startRun(currentDay);
    Players.replace(std::move(contents.players), contents.currentIndex, currentDay);
    return outcome;
}

bool StatisticsStore::save()
{
    return writer_->writeNow(Players.records(), Players.currentIndex());
}

GameStats *StatisticsStore::gameStats(int playerIndex, int gameId)
{
    if (playerIndex < 0 || playerIndex >= Players.count())
        return nullptr;
    if (gameId >= 1000)
        return CustomGameStats ? CustomGameStats(gameId, Players.at(playerIndex).Name) : nullptr;
    return Players.at(playerIndex).games(gameId);
}

bool StatisticsStore::recordResult(const GameResult &result, bool countsForStatistics)
{
    const double now = toDayNumber(clock_.now());
    const double duration = (result.Won ? result.EndTime : now) - result.StartTime;
    const bool counted = countsForStatistics && collecting_;
    if (counted) {
        if (GameStats *stats = gameStats(Players.currentIndex(), result.GameId)) {
            // A run that goes on past midnight starts a new day's counters.
            stats->rollOverTo(dayOf(now));
            stats->countResult(result.Won, result.Score, duration);
        }
    }

    LogRecord record;
    record.GameNumber = result.GameNumber;
    record.GameId = result.GameId;
    record.Won = result.Won;
    record.Score = result.Score == NoScore ? 0 : result.Score;
    record.Moves = result.Moves;
    record.StartTime = result.StartTime;
    record.Duration = duration;
    record.PlayerName = fitToField(Players.current().Name, LogRecord::PlayerNameLength);
    record.RunNumber = runNumber_;
    bool logged = true;
    try {
        log_.append(record);
    } catch (const std::runtime_error &error) {
        logged = false;
        logFailure_ = QString::fromLocal8Bit(error.what());
    }

    if (counted && result.Won && result.GameId < 1000)
        save();
    return logged;
}

void StatisticsStore::guardStartedGame(int gameId, bool countsForStatistics)
{
    if (!countsForStatistics || !collecting_ || gameId >= 1000)
        return;
    GameStats *stats = gameStats(Players.currentIndex(), gameId);
    if (!stats)
        return;
    const GameStats before = *stats;
    for (PeriodStats *period : {&stats->AllTime, &stats->Today, &stats->ThisRun})
        period->NotWon = qint16(std::min<int>(period->NotWon + 1, std::numeric_limits<qint16>::max()));
    // Encoding 500 players takes far longer than copying them, so only the copy is made here.
    writer_->writeLater(Players.records(), Players.currentIndex());
    *stats = before;
}

void StatisticsStore::clearStatistics(int playerIndex, const QList<int> &gameIds)
{
    for (int gameId : gameIds) {
        if (GameStats *stats = gameStats(playerIndex, gameId))
            stats->clear();
    }
}

WinComparison StatisticsStore::compareWithAllPlayers(int gameId)
{
    WinComparison comparison;
    for (int index = 0; index < Players.count(); ++index) {
        const GameStats *stats = gameStats(index, gameId);
        if (!stats)
            continue;
        const double best = stats->AllTime.BestTime;
        if (best > 0 && (comparison.bestTimeOfAll == 0 || best < comparison.bestTimeOfAll))
            comparison.bestTimeOfAll = best;
        if (stats->AllTime.Won > 0) {
            const std::optional<int> percentage = stats->AllTime.winPercentage();
            if (percentage && (!comparison.bestWinPercentage || *percentage > *comparison.bestWinPercentage))
                comparison.bestWinPercentage = percentage;
        }
    }
    return comparison;
}
