// The statistics of 500 players: the crash-guard write at a game's first move (the time the
// calling thread is held) and the close sequence; and the start-up with a full log against a
// fresh data folder.
#include "store/clock.h"
#include "store/data_store.h"
#include "store/display_info.h"
#include "store/log_file.h"
#include "store/stats_file.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2024, 3, 1), QTime(14, 0)); }
};

// A data folder of its own, with the settings of a run that keeps up to maxLog log records.
struct Folder {
    explicit Folder(int maxLog = 2000)
    {
        for (const char *name : {"config", "data", "program"})
            QDir(root.path()).mkpath(QString::fromLatin1(name));
        locations.configFolder = root.filePath(QStringLiteral("config"));
        locations.dataFolder = root.filePath(QStringLiteral("data"));
        locations.programFolder = root.filePath(QStringLiteral("program"));
        QSettings ini(locations.settingsFile(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Cards/MaxLog"), maxLog);
    }
    QString dataFile(const char *name) const { return locations.dataFile(QString::fromLatin1(name)); }

    QTemporaryDir root;
    StoreLocations locations;
    FixedDisplayInfo display{24, QSize(1280, 1024), QRect(0, 0, 1280, 984)};
    FixedClock clock;
};

void fillPlayers(StatisticsStore &statistics)
{
    std::vector<PlayerRecord> records;
    for (int index = 0; index < MaxPlayers; ++index)
        records.push_back(PlayerRecord::create(generatedPlayerName(index), statistics.today()));
    statistics.Players.replace(std::move(records), 0, statistics.today());
}

// A started data store whose statistics hold the most players the file allows.
struct FullPlayerList {
    FullPlayerList()
    {
        store.loadAtStart();
        fillPlayers(store.statistics);
    }
    Folder folder;
    DataStore store{folder.locations, folder.display, folder.clock};
};

void writeLog(const QString &path, int records)
{
    LogRecord record;
    record.PlayerName = QStringLiteral("Default");
    QByteArray bytes;
    for (int number = 0; number < records; ++number) {
        record.GameNumber = quint32(number);
        bytes += encodeLogRecord(record);
    }
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

// The first move of a counted game with 500 players; the counters change between moves, as
// they do between games. Argument 0: the time the calling thread is held; 1: until the write
// has reached the disk.
void BM_GuardWrite500Players(benchmark::State &state)
{
    const bool untilOnDisk = state.range(0) == 1;
    FullPlayerList players;
    DataStore &store = players.store;
    int round = 0;
    for (auto _ : state) {
        store.statistics.Players.current().Games[10].AllTime.Score = ++round;
        store.statistics.guardStartedGame(14, true);
        if (untilOnDisk)
            store.statistics.finishWriting();
    }
    store.statistics.finishWriting();
}
BENCHMARK(BM_GuardWrite500Players)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The close sequence with 500 players, some time after a game was started.
void BM_Close500Players(benchmark::State &state)
{
    FullPlayerList players;
    DataStore &store = players.store;
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        store.statistics.Players.current().Games[10].AllTime.Score = ++round;
        store.statistics.guardStartedGame(14, true);
        store.statistics.finishWriting();
        store.statistics.Players.current().Games[14].AllTime.NotWon += 1;
        state.ResumeTiming();
        store.saveAtClose();
    }
}
BENCHMARK(BM_Close500Players)->Unit(benchmark::kMillisecond)->UseRealTime();

// Start-up: a fresh data folder (0), a log of exactly "MaxLog" 10,000 records (1) and one that
// a run has filled past it by 176 games (2).
void BM_StartWithLog(benchmark::State &state)
{
    const int kind = int(state.range(0));
    Folder folder(10000);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(folder.dataFile(DataFileName::QellogDat));
        if (kind > 0) {
            QDir().mkpath(folder.locations.dataFolder);
            writeLog(folder.dataFile(DataFileName::QellogDat), kind == 1 ? 10000 : 10176);
        }
        auto store = std::make_unique<DataStore>(folder.locations, folder.display, folder.clock);
        state.ResumeTiming();
        store->loadAtStart();
    }
}
BENCHMARK(BM_StartWithLog)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
