// What the statistics windows compute when they open: the rows and totals of the statistics
// window for each of 20 players, and a 10,000-record log read, filtered and sorted for the
// log window and for the score history (with its trend curve).
#include "store/binary_stream.h"
#include "store/clock.h"
#include "store/log_listing.h"
#include "store/score_history.h"
#include "store/statistics_rows.h"
#include "store/statistics_store.h"
#include "store/trend_fit.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 3, 1), QTime(14, 0)); }
};

constexpr int Players = 20;
constexpr int LogRecords = 10000;

struct Store {
    Store()
    {
        std::vector<PlayerRecord> records;
        for (int index = 0; index < Players; ++index) {
            PlayerRecord record = PlayerRecord::create(QStringLiteral("Player %1").arg(index), statistics.today());
            for (GameStats &stats : record.Games)
                stats.countResult(index % 2 == 0, 50 + index, 0.01);
            records.push_back(std::move(record));
        }
        statistics.Players.replace(std::move(records), 0, statistics.today());
        // Every game of the list: twelve dealt games and fifty variants' worth of built-in ids.
        for (int gameId = 0; gameId < 62; ++gameId)
            games.push_back({gameId * 7, QStringLiteral("Game %1").arg(gameId)});
        // Ten thousand records of five players and four games, a fifth of them today.
        QByteArray bytes;
        const double now = toDayNumber(clock.now());
        for (int index = 0; index < LogRecords; ++index) {
            LogRecord record;
            record.GameNumber = quint32(index * 7919);
            record.GameId = 108 + index % 4;
            record.Won = index % 3 == 0;
            record.Score = index % 211 - 52;
            record.StartTime = now - (LogRecords - index) / 2000.0;
            record.Duration = 0.002;
            record.PlayerName = QStringLiteral("Player %1").arg(index % 5);
            record.RunNumber = index / 1000;
            bytes += encodeLogRecord(record);
        }
        QFile file(log.path());
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    QTemporaryDir folder;
    FixedClock clock;
    GameLog log{folder.filePath(QStringLiteral("qellog.dat"))};
    StatisticsStore statistics{folder.filePath(QStringLiteral("qelstat.dat")), folder.filePath(QStringLiteral("players.dat")),
                               log, clock};
    std::vector<ListedGame> games;
};

void StatisticsWindowRowsFor20Players(benchmark::State &state)
{
    Store store;
    for (auto _ : state) {
        for (int player = 0; player < Players; ++player) {
            StatTable table = buildStatTable(store.statistics, player, store.games, StatsPeriod::AllTime, RowFilter::All);
            sortStatRows(table.rows, StatColumn::Game, true);
            benchmark::DoNotOptimize(table.totals.score);
        }
    }
}
BENCHMARK(StatisticsWindowRowsFor20Players)->Unit(benchmark::kMillisecond);

void LogWindowReadsFiltersAndSorts10000Records(benchmark::State &state)
{
    Store store;
    const double now = toDayNumber(store.clock.now());
    for (auto _ : state) {
        LogListing listing = readLogListing(store.log, QStringLiteral("Player 1"), LogFilter::All, 9, now);
        sortLogGames(listing.games, LogColumn::Score, false, [](int gameId) { return QString::number(gameId); });
        benchmark::DoNotOptimize(listing.games.data());
    }
}
BENCHMARK(LogWindowReadsFiltersAndSorts10000Records)->Unit(benchmark::kMillisecond);

void ScoreHistoryReadsAndFits10000Records(benchmark::State &state)
{
    Store store;
    const double now = toDayNumber(store.clock.now());
    for (auto _ : state) {
        const ScoreHistory history =
            readScoreHistory(store.log, QStringLiteral("Player 0"), 108, HistoryFilter::All, 30, 9, now);
        benchmark::DoNotOptimize(fitTrend(history.scores()));
    }
}
BENCHMARK(ScoreHistoryReadsAndFits10000Records)->Unit(benchmark::kMillisecond);

} // namespace
