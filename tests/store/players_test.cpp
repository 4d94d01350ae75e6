#include "store/log_file.h"
#include "store/player_shortcuts.h"
#include "store/players.h"
#include "support/store_fixtures.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

PlayerList listOf(const QStringList &names, int current = 0)
{
    std::vector<PlayerRecord> records;
    for (const QString &name : names)
        records.push_back(PlayerRecord::create(name, 0));
    PlayerList players;
    players.replace(records, current, 0);
    return players;
}

using Outcome = PlayerListEditor::Outcome;

} // namespace

TEST(PlayerListEditor, AddingTrimsSortsAndSelectsTheNewPlayer)
{
    const PlayerList players = listOf({QStringLiteral("zoe"), QStringLiteral("Bob")});
    QStringList added;
    PlayerListEditor editor(players, QStringLiteral("zoe"), 45000, nullptr, nullptr,
                            {[&](const QString &name) { added.append(name); }, {}, {}});
    EXPECT_EQ(editor.names(), (QStringList{QStringLiteral("Bob"), QStringLiteral("zoe")}));
    EXPECT_EQ(editor.selected(), 1);
    EXPECT_EQ(editor.add(QStringLiteral("  carla  ")), Outcome::Done);
    EXPECT_EQ(editor.names(), (QStringList{QStringLiteral("Bob"), QStringLiteral("carla"), QStringLiteral("zoe")}));
    EXPECT_EQ(editor.selected(), 1);
    EXPECT_EQ(added, QStringList{QStringLiteral("carla")});

    PlayerList result = players;
    editor.applyTo(result, 45000);
    EXPECT_EQ(result.names(), editor.names());
    EXPECT_EQ(result.current().Name, QStringLiteral("carla"));
    EXPECT_EQ(result.current().Games[300].TodayDate, 45000);
}

TEST(PlayerListEditor, RefusesNamesThatExistInAnyCaseAndEmptyNames)
{
    PlayerListEditor editor(listOf({QStringLiteral("Bob"), QStringLiteral("Ann")}), QString(), 0);
    const struct {
        QString typed;
        Outcome outcome;
    } adds[] = {{QStringLiteral("BOB"), Outcome::NameExists}, {QStringLiteral(" ann "), Outcome::NameExists},
                {QStringLiteral("   "), Outcome::NoName}, {QString(), Outcome::NoName}};
    for (const auto &entry : adds)
        EXPECT_EQ(editor.add(entry.typed), entry.outcome) << entry.typed.toStdString();
    EXPECT_EQ(editor.rename(1, QStringLiteral("ann")), Outcome::NameExists);
    EXPECT_EQ(editor.rename(1, QStringLiteral("Bob")), Outcome::NoName);
    EXPECT_EQ(editor.names().size(), 2);
}

TEST(PlayerListEditor, RenameKeepsTheStatisticsAndMovesTheLogAndShortcut)
{
    TempFolders folders;
    GameLog log(folders.path(QStringLiteral("qellog.dat")));
    LogRecord record;
    record.PlayerName = QStringLiteral("Bob");
    log.append(record);
    PlayerShortcuts shortcuts(folders.path(QStringLiteral("desktop")), QStringLiteral("/usr/bin/tarnwick"));
    shortcuts.create(PlayerShortcuts::proposedName(QStringLiteral("Bob")), QStringLiteral("Bob"));

    PlayerList players = listOf({QStringLiteral("Bob"), QStringLiteral("Ann")});
    players.at(0).Games[10].AllTime.Won = 4;
    QStringList renames;
    PlayerListEditor editor(players, QStringLiteral("Bob"), 0, &log, &shortcuts,
                            {{}, [&](const QString &from, const QString &to) { renames << from << to; }, {}});
    const QString twenty = QStringLiteral("Twenty characters ok");
    ASSERT_EQ(editor.rename(1, twenty + QStringLiteral("X")), Outcome::Done);
    editor.applyTo(players, 0);
    EXPECT_EQ(players.names(), (QStringList{QStringLiteral("Ann"), twenty}));
    EXPECT_EQ(players.current().Name, twenty);
    EXPECT_EQ(players.current().Games[10].AllTime.Won, 4);
    EXPECT_EQ(log.readLast()->PlayerName, twenty);
    EXPECT_EQ(renames, (QStringList{QStringLiteral("Bob"), twenty}));
    EXPECT_TRUE(shortcuts.find(QStringLiteral("Bob")).isEmpty());
}

TEST(PlayerListEditor, DeletingRemovesTheLogRecordsButNeverTheLastPlayer)
{
    TempFolders folders;
    GameLog log(folders.path(QStringLiteral("qellog.dat")));
    for (const char *name : {"Ann", "Bob", "Ann"}) {
        LogRecord record;
        record.PlayerName = QString::fromLatin1(name);
        log.append(record);
    }
    PlayerList players = listOf({QStringLiteral("Ann"), QStringLiteral("Bob")}, 0);
    PlayerListEditor editor(players, QStringLiteral("Ann"), 0, &log);
    EXPECT_EQ(editor.remove(0), Outcome::Done);
    EXPECT_EQ(editor.remove(0), Outcome::LastPlayer);
    editor.applyTo(players, 0);
    EXPECT_EQ(players.names(), QStringList{QStringLiteral("Bob")});
    EXPECT_EQ(players.currentIndex(), 0);
    EXPECT_EQ(log.recordCount(), 1);
    EXPECT_EQ(log.readLast()->PlayerName, QStringLiteral("Bob"));
}

TEST(PlayerList, ChoosingByNameIsExact)
{
    PlayerList players = listOf({QStringLiteral("Ann"), QStringLiteral("Bob")});
    EXPECT_FALSE(players.choose(QStringLiteral("bob")));
    EXPECT_EQ(players.currentIndex(), 0);
    EXPECT_TRUE(players.choose(QStringLiteral("Bob")));
    EXPECT_EQ(players.currentIndex(), 1);
    players.replace({}, 5, 0);
    EXPECT_EQ(players.names(), QStringList{QStringLiteral("Default")});
    EXPECT_EQ(players.currentIndex(), 0);
}

TEST(CommandLine, PlayerAndFileArguments)
{
    const struct {
        QStringList arguments;
        QString player;
        QString file;
    } cases[] = {
        {{QStringLiteral("-u\"Ann Lee\"")}, QStringLiteral("Ann Lee"), QString()},
        {{QStringLiteral("-uBob"), QStringLiteral("game.qel")}, QStringLiteral("Bob"), QStringLiteral("game.qel")},
        {{QStringLiteral("-uA"), QStringLiteral("-u\"B\""), QStringLiteral("x"), QStringLiteral("y")},
         QStringLiteral("B"), QStringLiteral("y")},
        {{QStringLiteral("-U\"Cy\"")}, QString(), QStringLiteral("-U\"Cy\"")},
        {{QStringLiteral("-u\"\"quoted\"\"")}, QStringLiteral("\"quoted\""), QString()},
        {{QStringLiteral("-u\"")}, QStringLiteral("\""), QString()},
    };
    for (const auto &entry : cases) {
        const CommandLineChoice choice = parseCommandLine(entry.arguments);
        EXPECT_EQ(choice.playerName, entry.player) << entry.arguments.join(u' ').toStdString();
        EXPECT_EQ(choice.fileName, entry.file) << entry.arguments.join(u' ').toStdString();
    }
}

TEST(PlayerShortcuts, LaunchersChooseThePlayerWhateverTheName)
{
    TempFolders folders;
    const QString program = folders.path(QStringLiteral("my programs/tarnwick"));
    PlayerShortcuts shortcuts(folders.path(QStringLiteral("desktop")), program);
    for (const QString &name : {QStringLiteral("Ann"), QStringLiteral("Dr. \"Who\" $HOME"),
                                QStringLiteral("back\\slash 100%"), QStringLiteral("a/b `c`")}) {
        const QString path = shortcuts.create(PlayerShortcuts::proposedName(name), name);
        EXPECT_TRUE(QFileInfo(path).permissions().testFlag(QFile::ExeOwner));
        EXPECT_EQ(shortcuts.find(name), path) << name.toStdString();

        const QByteArray contents = readFile(path);
        const qsizetype exec = contents.indexOf("\nExec=") + 6;
        const QString value = QString::fromUtf8(contents.mid(exec, contents.indexOf('\n', exec) - exec));
        const QStringList arguments = splitDesktopExecValue(value);
        ASSERT_EQ(arguments.size(), 2);
        EXPECT_EQ(arguments[0], program);
        EXPECT_EQ(parseCommandLine({arguments[1]}).playerName, name);
    }
    EXPECT_EQ(QFileInfo(shortcuts.find(QStringLiteral("Ann"))).fileName(), QStringLiteral("Ann's Tarnwick.desktop"));
    EXPECT_TRUE(shortcuts.find(QStringLiteral("ann")).isEmpty());
    EXPECT_TRUE(shortcuts.remove(QStringLiteral("Ann")));
    EXPECT_FALSE(shortcuts.remove(QStringLiteral("Ann")));
}

TEST(PlayerShortcuts, LaunchersOfOtherProgramsAreLeftAlone)
{
    TempFolders folders;
    const QString desktop = folders.path(QStringLiteral("desktop"));
    writeFile(desktop + QStringLiteral("/other.desktop"),
              QByteArray("[Desktop Entry]\nExec=/usr/bin/other \"-u\\\\\"Ann\\\\\"\"\n"));
    writeFile(desktop + QStringLiteral("/broken.desktop"), QByteArray("\xff\xfe[Desktop Entry\nExec=\"\\"));
    PlayerShortcuts shortcuts(desktop, QStringLiteral("/usr/bin/tarnwick"));
    EXPECT_TRUE(shortcuts.find(QStringLiteral("Ann")).isEmpty());
    EXPECT_EQ(splitDesktopExecValue(QStringLiteral("/usr/bin/other \"-u\\\\\"Ann\\\\\"\"")),
              (QStringList{QStringLiteral("/usr/bin/other"), QStringLiteral("-u\"Ann\"")}));
}
