// Start-up as the player meets it: the real program in separate processes, each test with
// its own configuration, data and runtime folders.
#include "support/main_window_fixture.h"

#include "engine/Cardscmp.h"
#include "games/game_table.h"
#include "store/saved_game_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>

namespace {

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char *name : {"config", "data", "runtime", "home"})
            QDir().mkpath(folder.filePath(QString::fromLatin1(name)));
        QFile::setPermissions(folder.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(QFile::exists(programPath())) << programPath().toStdString();
    }
    void TearDown() override
    {
        for (QProcess *process : started) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
            delete process;
        }
    }

    static QString programPath()
    {
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/tarnwick"));
    }
    QString settingsFile() const { return folder.filePath(QStringLiteral("config/Tarnwick/Tarnwick.ini")); }
    QString lockFile() const { return folder.filePath(QStringLiteral("runtime/TARNWICK.lock")); }
    QString socketFile() const { return folder.filePath(QStringLiteral("runtime/TARNWICK")); }

    QProcess *start(const QStringList &arguments)
    {
        auto *process = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.filePath(QStringLiteral("runtime")));
        environment.insert(QStringLiteral("HOME"), folder.filePath(QStringLiteral("home")));
        process->setProcessEnvironment(environment);
        process->start(programPath(), arguments);
        process->waitForStarted(10000);
        started.push_back(process);
        return process;
    }
    // Runs the program to its end; its exit code, or -1 when it did not end in time.
    int run(const QStringList &arguments)
    {
        QProcess *process = start(arguments);
        if (!process->waitForFinished(20000) || process->exitStatus() != QProcess::NormalExit)
            return -1;
        return process->exitCode();
    }
    // Starts a copy and waits until it listens for later starts.
    QProcess *startListening()
    {
        QProcess *process = start({});
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(socketFile()) && waited.elapsed() < 20000 && process->state() != QProcess::NotRunning)
            QThread::msleep(20);
        EXPECT_TRUE(QFile::exists(socketFile()));
        return process;
    }

    QString autoSaveFile() const { return folder.filePath(QStringLiteral("data/Tarnwick/asg.lpg")); }
    // A Klondike game of a few moves, as the program saves it.
    SavedGame playedGame(quint32 number)
    {
        MainWindowFixture game;
        game.DealKlondike(number);
        for (int click = 0; click < 3; ++click)
            game.Window().Table().Stock->Click();
        game.Window().Board1->SetGameStarted(1);
        const QString path = folder.filePath(QStringLiteral("played.qel"));
        EXPECT_TRUE(game.Window().SaveGame(path, false));
        return readSavedGame(path);
    }
    // Stops the running copy, which saves its game on the way out.
    SavedGame stopAndReadAutoSave(QProcess *copy)
    {
        EXPECT_EQ(run({QStringLiteral("-STOP")}), 0);
        EXPECT_TRUE(copy->waitForFinished(20000));
        return readSavedGame(autoSaveFile());
    }

    QTemporaryDir folder;
    std::vector<QProcess *> started;
};

bool sameGame(const SavedGame &a, const SavedGame &b)
{
    return a.GameId == b.GameId && a.GameNumber == b.GameNumber && a.Journal == b.Journal && a.JournalPos == b.JournalPos
           && a.MoveCount == b.MoveCount;
}

} // namespace

TEST_F(Program, SecondStartExitsAtOnceAndLeavesTheFirstRunning)
{
    QProcess *first = startListening();
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    // The first copy was asked to come to the front (the offscreen platform answers that it
    // cannot raise a window).
    QByteArray errors;
    QElapsedTimer waited;
    waited.start();
    while (!errors.contains("raise()") && waited.elapsed() < 5000) {
        first->waitForReadyRead(200);
        errors += first->readAllStandardError();
    }
    EXPECT_TRUE(errors.contains("raise()"));
}

// The audio and network toolkits take memory from start to end: a copy waiting in its game
// selection has loaded neither (sounds load with the first sound played).
TEST_F(Program, AStartedCopyLoadsNeitherTheAudioNorTheNetworkToolkit)
{
    QProcess *copy = startListening();
    ASSERT_EQ(run({}), 0); // answered: the copy's event loop runs
    QFile maps(QStringLiteral("/proc/%1/maps").arg(copy->processId()));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    EXPECT_TRUE(mapped.contains("libQt6Widgets"));
    EXPECT_FALSE(mapped.contains("libQt6Multimedia"));
    EXPECT_FALSE(mapped.contains("libQt6Network"));
}

TEST_F(Program, StopInAnyCaseEndsTheRunningCopyWhichWritesItsSettings)
{
    QProcess *first = startListening();
    EXPECT_EQ(run({QStringLiteral("-stop")}), 0);
    ASSERT_TRUE(first->waitForFinished(20000));
    EXPECT_EQ(first->exitCode(), 0);
    QSettings settings(settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("Cards/Version")).toString(), QStringLiteral("1.7.1"));
    EXPECT_TRUE(settings.contains(QStringLiteral("Cards/Confirm_On_Exit")));
}

TEST_F(Program, ACopyThatDoesNotAnswerIsReported)
{
    QProcess *first = startListening();
    ::kill(pid_t(first->processId()), SIGSTOP);
    for (const QStringList &arguments : {QStringList(), QStringList{QStringLiteral("-STOP")}}) {
        QProcess *later = start(arguments);
        ASSERT_TRUE(later->waitForFinished(20000));
        EXPECT_EQ(later->exitCode(), 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(later->readAllStandardError().contains("running but does not answer"));
    }
    ::kill(pid_t(first->processId()), SIGCONT);
}

TEST_F(Program, CommandLineToolsNameTheDealtGameAndFailLoudly)
{
    const struct {
        QStringList arguments;
        bool fullOutput; // standard output is /dev/full
        int code;
        const char *output; // the start of standard output
        const char *errors; // part of standard error
    } cases[] = {
        {{"--print-deal", "999", "1"}, false, 2, "", "unknown game id 999"},
        {{"--play", "999", "1"}, false, 2, "", "unknown game id 999"},
        {{"--print-deal", "1", "7"}, false, 0, "game 10 number 7\n", ""},
        {{"--print-deal", "108", "1"}, true, 1, "", "cannot write"},
        {{"--play", "108", "1"}, true, 1, "", "cannot write"},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.arguments.join(u' ').toStdString());
        auto *process = new QProcess;
        started.push_back(process);
        if (test.fullOutput)
            process->setStandardOutputFile(QStringLiteral("/dev/full"));
        process->start(programPath(), test.arguments);
        process->closeWriteChannel();
        ASSERT_TRUE(process->waitForFinished(20000));
        EXPECT_EQ(process->exitCode(), test.code);
        EXPECT_TRUE(process->readAllStandardOutput().startsWith(test.output));
        EXPECT_TRUE(process->readAllStandardError().contains(test.errors));
    }
}

TEST_F(Program, StopWithNoCopyRunningExitsAtOnce)
{
    EXPECT_EQ(run({QStringLiteral("-STOP")}), 0);
    EXPECT_FALSE(QFile::exists(settingsFile()));
}

TEST_F(Program, ClearKeepsOnlyTheRunCounterAndIsRefusedWhileACopyRuns)
{
    QProcess *first = startListening();
    EXPECT_EQ(run({QStringLiteral("-STOP")}), 0);
    ASSERT_TRUE(first->waitForFinished(20000));
    QSettings before(settingsFile(), QSettings::IniFormat);
    const int run1 = before.value(QStringLiteral("Cards/u")).toInt();
    ASSERT_GT(before.allKeys().size(), 10);

    EXPECT_EQ(run({QStringLiteral("/clear")}), 0);
    QSettings after(settingsFile(), QSettings::IniFormat);
    after.sync();
    EXPECT_EQ(after.allKeys(), QStringList{QStringLiteral("Cards/u")});
    EXPECT_EQ(after.value(QStringLiteral("Cards/u")).toInt(), run1);

    startListening();
    QProcess *refused = start({QStringLiteral("/CLEAR")});
    ASSERT_TRUE(refused->waitForFinished(20000));
    EXPECT_EQ(refused->exitCode(), 1);
    EXPECT_FALSE(refused->readAllStandardError().isEmpty());
}

TEST_F(Program, ALockLeftByAKilledCopyDoesNotBlockTheNextStart)
{
    QProcess *first = startListening();
    ::kill(pid_t(first->processId()), SIGKILL);
    ASSERT_TRUE(first->waitForFinished(5000));
    ASSERT_TRUE(QFile::exists(lockFile()));

    QProcess *next = start({});
    // The lock changes hands when the next copy has taken it over.
    const auto lockOwner = [this] {
        QFile lock(lockFile());
        return lock.open(QIODevice::ReadOnly) ? lock.readLine().trimmed().toLongLong() : 0;
    };
    QElapsedTimer waited;
    waited.start();
    while (lockOwner() != next->processId() && waited.elapsed() < 20000)
        QThread::msleep(20);
    ASSERT_EQ(lockOwner(), next->processId());
    EXPECT_EQ(next->state(), QProcess::Running);
    // It listens in place of the dead copy: a further start finds it.
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(next->state(), QProcess::Running);
}

TEST_F(Program, ClearAndStopEndQuietly)
{
    const struct {
        const char *parameter;
        bool settingsFirst;
    } cases[] = {
        {"/CLEAR", true},
        {"/clear", false},
        {"-STOP", true},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.parameter);
        QFile::remove(settingsFile());
        if (test.settingsFirst) {
            QSettings settings(settingsFile(), QSettings::IniFormat);
            settings.setValue(QStringLiteral("Cards/u"), 4);
            settings.setValue(QStringLiteral("Cards/Game"), 32);
        }
        QProcess *process = start({QString::fromLatin1(test.parameter)});
        ASSERT_TRUE(process->waitForFinished(20000));
        EXPECT_EQ(process->exitCode(), 0);
        // Nothing on the terminal: no complaint of ours and no warning of the toolkit's.
        EXPECT_EQ(process->readAllStandardError().toStdString(), std::string());
    }
}

// Save_On_Exit through two real starts: each resumes the game and removes the file, each
// close writes the game back; a second start given a saved game hands it to the first.
TEST_F(Program, TheGameSavedAtExitResumesAndASecondStartHandsOverItsGame)
{
    {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Cards/Save_On_Exit"), true);
        // The game in progress goes for the handed-over one without the confirmation box.
        settings.setValue(QStringLiteral("Cards/Confirm_New_Game"), false);
    }
    const SavedGame handed = playedGame(33);
    QFile::rename(folder.filePath(QStringLiteral("played.qel")), folder.filePath(QStringLiteral("handed.qel")));
    const SavedGame resumed = playedGame(21);
    QDir().mkpath(QFileInfo(autoSaveFile()).path());
    QFile::copy(folder.filePath(QStringLiteral("played.qel")), autoSaveFile());
    for (int round = 0; round < 2; ++round) {
        QProcess *copy = startListening();
        QElapsedTimer waited;
        waited.start();
        while (QFile::exists(autoSaveFile()) && waited.elapsed() < 20000)
            QThread::msleep(20);
        EXPECT_FALSE(QFile::exists(autoSaveFile()));
        if (round == 1) {
            EXPECT_EQ(run({folder.filePath(QStringLiteral("handed.qel"))}), 0);
        }
        EXPECT_TRUE(sameGame(stopAndReadAutoSave(copy), round == 0 ? resumed : handed)) << round;
    }
}
