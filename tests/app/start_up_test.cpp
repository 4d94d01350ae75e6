#include "app/command_line.h"
#include "app/single_instance.h"
#include "app/tarnwick_application.h"
#include "store/store_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>
#include <atomic>
#include <thread>

TEST(StartMode, FirstParameterDecidesInAnyCase)
{
    const struct {
        QStringList arguments;
        StartMode mode;
    } cases[] = {
        {{}, StartMode::Run},
        {{QStringLiteral("-STOP")}, StartMode::Stop},
        {{QStringLiteral("-stop")}, StartMode::Stop},
        {{QStringLiteral("-Stop"), QStringLiteral("x")}, StartMode::Stop},
        {{QStringLiteral("/CLEAR")}, StartMode::Clear},
        {{QStringLiteral("/clear")}, StartMode::Clear},
        {{QStringLiteral("game.qel"), QStringLiteral("-STOP")}, StartMode::Run},
        {{QStringLiteral("-u\"Ann\"")}, StartMode::Run},
        {{QStringLiteral("-STOPPED")}, StartMode::Run},
    };
    for (const auto &test : cases)
        EXPECT_EQ(startMode(test.arguments), test.mode) << test.arguments.join(u' ').toStdString();
}

namespace {

StoreLocations locationsIn(const QTemporaryDir &folder)
{
    StoreLocations locations;
    locations.configFolder = folder.filePath(QStringLiteral("config"));
    locations.dataFolder = folder.filePath(QStringLiteral("data"));
    QDir().mkpath(locations.configFolder);
    return locations;
}

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(ClearStoredSettings, KeepsOnlyTheRunCounterAndEmptiesTheToolbarPositions)
{
    QTemporaryDir folder;
    const StoreLocations locations = locationsIn(folder);
    QFile ini(locations.settingsFile());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[General]\nGameOptions=@ByteArray(abc)\n[Cards]\nu=17\nGame=108\nTray=1\n[Players]\nPlayers=2\nU1=Ann\n"
              "[Toolbar2]\nx=1\n[Data]\ny=2\n[DemoToolbar]\nz=3\n");
    ini.close();
    QFile toolbars(locations.toolbarSettingsFile());
    ASSERT_TRUE(toolbars.open(QIODevice::WriteOnly));
    toolbars.write("[Toolbar2]\nDocked=1\nLeft=40\n");
    toolbars.close();

    QString reason;
    ASSERT_TRUE(clearStoredSettings(locations, &reason)) << reason.toStdString();

    QSettings check(locations.settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(check.allKeys(), QStringList{QStringLiteral("Cards/u")});
    EXPECT_EQ(check.value(QStringLiteral("Cards/u")).toInt(), 17);
    EXPECT_FALSE(readAll(locations.toolbarSettingsFile()).contains(QLatin1String("Left")));
}

TEST(ClearStoredSettings, WithoutAnySettingsFileSucceedsAndCreatesNothing)
{
    QTemporaryDir folder;
    const StoreLocations locations = locationsIn(folder);
    EXPECT_TRUE(clearStoredSettings(locations, nullptr));
    EXPECT_FALSE(QFile::exists(locations.settingsFile()));
}

TEST(ClearStoredSettings, ReportsASettingsFileThatCannotBeRewritten)
{
    QTemporaryDir folder;
    const StoreLocations locations = locationsIn(folder);
    // A folder where the file should be can be neither read nor written as a file.
    ASSERT_TRUE(QDir().mkpath(locations.settingsFile()));
    QString reason;
    EXPECT_FALSE(clearStoredSettings(locations, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

TEST(SingleInstance, SecondCopyDoesNotGetTheLockWhileTheFirstHoldsIt)
{
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    SingleInstance second(folder.path());
    ASSERT_TRUE(first.TryLock());
    EXPECT_FALSE(second.TryLock());
    EXPECT_FALSE(second.Listen());
}

TEST(SingleInstance, LockAndSocketLeftByADeadCopyDoNotBlockTheNextStart)
{
    QTemporaryDir folder;
    SingleInstance instance(folder.path());
    // A lock file of a process that no longer exists, and its socket file.
    QFile lock(instance.LockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    // The form QLockFile writes: process id, program, host, machine id, boot id.
    lock.write("999999999\ntarnwick\n" + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() +
               '\n' + QSysInfo::bootUniqueId() + '\n');
    lock.close();
    QFile socket(instance.ServerPath());
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    EXPECT_TRUE(instance.TryLock());
    EXPECT_TRUE(instance.Listen());
}

TEST(SingleInstance, MessagesByNameReachTheRunningCopy)
{
    QTemporaryDir folder;
    SingleInstance running(folder.path());
    ASSERT_TRUE(running.TryLock());
    ASSERT_TRUE(running.Listen());
    QSignalSpy front(&running, &SingleInstance::BringToFrontRequested);
    QSignalSpy terminate(&running, &SingleInstance::TerminateRequested);

    const struct {
        const char *message;
        int fronts;
        int terminates;
    } cases[] = {
        {InstanceMessage::BringToFront, 1, 0},
        {InstanceMessage::Terminate, 1, 1},
        {"SOMETHING ELSE", 1, 1},
    };
    for (const auto &test : cases) {
        std::atomic<bool> done = false;
        bool answered = false;
        // The sender waits for the answer, so it runs beside this thread's event loop.
        std::thread sender([&] {
            answered = SingleInstance::Send(folder.path(), QString::fromLatin1(test.message));
            done = true;
        });
        QElapsedTimer waited;
        waited.start();
        while (!done && waited.elapsed() < 10000)
            QTest::qWait(10);
        QCoreApplication::processEvents();
        sender.join();
        EXPECT_TRUE(answered) << test.message;
        EXPECT_EQ(front.count(), test.fronts) << test.message;
        EXPECT_EQ(terminate.count(), test.terminates) << test.message;
    }
}

TEST(SingleInstance, SendingWithNoCopyRunningFails)
{
    QTemporaryDir folder;
    EXPECT_FALSE(SingleInstance::Send(folder.path(), QString::fromLatin1(InstanceMessage::BringToFront), 200));
}

TEST(ExceptionGuard, AnErrorIsShownOnceAndEndsTheProgram)
{
    ExceptionGuard guard;
    QStringList shown;
    int ends = 0;
    guard.show = [&](const QString &text) {
        shown.append(text);
        // An error raised while the box is open ends the program without a second box.
        guard.deliver([]() -> bool { throw std::logic_error("second"); });
    };
    guard.end = [&] { ++ends; };

    EXPECT_TRUE(guard.deliver([] { return true; }));
    EXPECT_FALSE(guard.failed());
    EXPECT_FALSE(guard.deliver([]() -> bool { throw std::runtime_error("Cannot open saved game."); }));
    EXPECT_TRUE(guard.failed());
    EXPECT_EQ(shown, QStringList{QStringLiteral("Cannot open saved game.")});
    EXPECT_EQ(ends, 2);
}
