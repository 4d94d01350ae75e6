#include "store/binary_stream.h"
#include "store/data_store.h"
#include "support/store_fixtures.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

struct DataStoreFixture : ::testing::Test {
    TempFolders folders;
    FixedDisplayInfo display = testDisplay();
    FakeClock clock{QDateTime(QDate(2024, 3, 1), QTime(10, 0))};

    QString dataFile(const char *name) const { return folders.locations().dataFile(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(DataStoreFixture, AFirstRunCreatesEveryFileAndASecondRunReadsItBack)
{
    {
        DataStore store(folders.locations(), display, clock);
        EXPECT_EQ(store.loadAtStart(), StatisticsStore::LoadOutcome::Created);
        EXPECT_TRUE(QFileInfo(folders.locations().dataFolder).isDir());
        store.settings.Cards.Game = 32;
        store.windowRecords.record(32)->AutoplayOff = 1;
        GameResult won{9, 32, true, 200, 40, toDayNumber(clock.now()) - 0.01, toDayNumber(clock.now())};
        store.statistics.recordResult(won, true);
        EXPECT_TRUE(store.saveAtClose().isEmpty());
    }
    EXPECT_EQ(QFileInfo(dataFile(DataFileName::GoptionsDat)).size(), 5014);
    EXPECT_EQ(QFileInfo(dataFile(DataFileName::QelstatDat)).size(), 12 + 33856);
    EXPECT_EQ(QFileInfo(dataFile(DataFileName::QellogDat)).size(), 112);
    const QSettings ini(folders.locations().settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Cards/Game")).toInt(), 32);
    EXPECT_EQ(ini.value(QStringLiteral("Cards/Show_Empty")).toInt(), 1);

    DataStore again(folders.locations(), display, clock);
    EXPECT_EQ(again.loadAtStart(), StatisticsStore::LoadOutcome::Loaded);
    EXPECT_EQ(again.settings.Cards.u, 2);
    EXPECT_EQ(again.settings.Cards.Game, 32);
    EXPECT_EQ(again.windowRecords.record(32)->AutoplayOff, 1);
    EXPECT_EQ(again.statistics.Players.names(), QStringList{QStringLiteral("Default")});
    const PeriodStats &allTime = again.statistics.Players.current().Games[32].AllTime;
    EXPECT_EQ(allTime.Won, 1);
    EXPECT_EQ(allTime.Score, 200);
    EXPECT_NEAR(allTime.BestTime, 0.01, 1e-9);
    EXPECT_EQ(again.statistics.runNumber(), 2);
}

TEST_F(DataStoreFixture, OlderFilesMoveFromTheProgramFolderUnlessAlreadyThere)
{
    const QString program = folders.locations().programFolder;
    writeFile(program + QStringLiteral("/qellog.dat"), QByteArray(112, '\0'));
    writeFile(program + QStringLiteral("/asg.lpg"), QByteArray("program copy"));
    QDir().mkpath(folders.locations().dataFolder);
    writeFile(dataFile(DataFileName::AsgLpg), QByteArray("data copy"));

    DataStore store(folders.locations(), display, clock);
    store.loadAtStart();
    EXPECT_FALSE(QFile::exists(program + QStringLiteral("/qellog.dat")));
    EXPECT_EQ(QFileInfo(dataFile(DataFileName::QellogDat)).size(), 112);
    EXPECT_EQ(readFile(program + QStringLiteral("/asg.lpg")), QByteArray("program copy"));
    EXPECT_EQ(readFile(dataFile(DataFileName::AsgLpg)), QByteArray("data copy"));
}

TEST_F(DataStoreFixture, StartRunsTheStepsInOrderAndTrimsTheLog)
{
    QDir().mkpath(folders.locations().dataFolder);
    writeFile(dataFile(DataFileName::QellogDat), QByteArray(112 * 5, '\0'));
    writeFile(dataFile(DataFileName::QelstatDat), QByteArray("not statistics"));
    {
        QSettings ini(folders.locations().settingsFile(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Cards/MaxLog"), 3);
    }
    QStringList steps;
    StartSteps start;
    start.warn = [&](const QString &text) { steps << text; };
    start.inform = [&](const QString &text) { steps << text; };
    start.loadCustomVariants = [&] { steps << QStringLiteral("variants"); };
    start.loadGroups = [&] { steps << QStringLiteral("groups"); };
    start.loadToolbarPositions = [&] { steps << QStringLiteral("toolbar"); };
    const FixedDisplayInfo small = testDisplay(24, QSize(640, 480));
    DataStore store(folders.locations(), small, clock);
    EXPECT_EQ(store.loadAtStart(start), StatisticsStore::LoadOutcome::WrongMark);
    EXPECT_EQ(steps, (QStringList{QStringLiteral("Recommended screen resolution is 800x600 or higher"),
                                  QStringLiteral("Error:Unable to read statistics.\nThe damaged file was kept as qelstat.dat.bad."),
                                  QStringLiteral("variants"),
                                  QStringLiteral("groups"), QStringLiteral("toolbar")}));
    EXPECT_EQ(store.log.recordCount(), 3);
}

TEST_F(DataStoreFixture, AFailingStepAtCloseDoesNotStopTheOthers)
{
    DataStore store(folders.locations(), display, clock);
    store.loadAtStart();
    QStringList steps;
    CloseSteps close;
    close.endAbandonedGame = [&] { steps << QStringLiteral("abandoned"); };
    close.saveCustomVariants = [&] { throw std::runtime_error("disk full"); };
    close.saveGroups = [&] { steps << QStringLiteral("groups"); };
    close.saveToolbarPositions = [&] { steps << QStringLiteral("toolbar"); };
    // goptions.dat cannot be written: a folder has its name.
    QDir().mkpath(dataFile(DataFileName::GoptionsDat));

    const QStringList failures = store.saveAtClose(close);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0], QStringLiteral("custom games: disk full"));
    EXPECT_TRUE(failures[1].startsWith(QStringLiteral("window positions: "))) << failures[1].toStdString();
    EXPECT_EQ(steps, (QStringList{QStringLiteral("abandoned"), QStringLiteral("groups"), QStringLiteral("toolbar")}));
    EXPECT_EQ(QFileInfo(dataFile(DataFileName::QelstatDat)).size(), 12 + 33856);
}

TEST_F(DataStoreFixture, WhatCouldNotBeSavedAtCloseIsToldOnceAtTheNextStart)
{
    const auto nextStartWarnings = [this] {
        QStringList warnings;
        StartSteps start;
        start.warn = [&](const QString &text) { warnings << text; };
        DataStore store(folders.locations(), display, clock);
        store.loadAtStart(start);
        return warnings;
    };
    {
        DataStore store(folders.locations(), display, clock);
        store.loadAtStart();
        // Room for the settings and goptions.dat but not for the 33,868 bytes of qelstat.dat.
        FileSizeLimit limit(20000);
        EXPECT_EQ(store.saveAtClose(), QStringList{QStringLiteral("statistics: File too large")});
    }
    EXPECT_EQ(nextStartWarnings(),
              QStringList{QStringLiteral("Tarnwick could not save your statistics when it last closed: File too large.")});
    EXPECT_EQ(nextStartWarnings(), QStringList());
}
