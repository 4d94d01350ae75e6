// The launcher and the type of saved games, as the desktop's own tools read them.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString desktopFolder()
{
    return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../app/desktop"));
}

// Runs a tool of the desktop; its exit code and what it wrote, or nothing when it is missing.
std::optional<std::pair<int, QString>> runTool(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(30000);
    return std::pair{process.exitCode(), QString::fromUtf8(process.readAll())};
}

} // namespace

TEST(DesktopFiles, TheLauncherValidatesAndOpensSavedGames)
{
    const QString launcher = QDir(desktopFolder()).filePath(QStringLiteral("tarnwick.desktop"));
    const auto validated = runTool(QStringLiteral("desktop-file-validate"), {launcher});
    if (!validated)
        GTEST_SKIP() << "desktop-file-validate is missing (package desktop-file-utils)";
    EXPECT_EQ(validated->first, 0) << validated->second.toStdString();
    EXPECT_EQ(validated->second, QString());

    QSettings entry(launcher, QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    EXPECT_TRUE(entry.value(QStringLiteral("Exec")).toString().endsWith(QStringLiteral(" %f")));
    EXPECT_TRUE(entry.value(QStringLiteral("MimeType")).toString().contains(QStringLiteral("application/x-tarnwick-game")));
}

TEST(DesktopFiles, SavedGamesAreKnownByTheirGlob)
{
    QTemporaryDir database;
    QDir().mkpath(database.filePath(QStringLiteral("packages")));
    ASSERT_TRUE(QFile::copy(QDir(desktopFolder()).filePath(QStringLiteral("tarnwick-game.xml")),
                            database.filePath(QStringLiteral("packages/tarnwick-game.xml"))));
    const auto updated = runTool(QStringLiteral("update-mime-database"), {database.path()});
    if (!updated)
        GTEST_SKIP() << "update-mime-database is missing (package shared-mime-info)";
    ASSERT_EQ(updated->first, 0) << updated->second.toStdString();
    QFile globs(database.filePath(QStringLiteral("globs2")));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(globs.readAll().contains("application/x-tarnwick-game:*.qel"));
    EXPECT_TRUE(QFile::exists(database.filePath(QStringLiteral("application/x-tarnwick-game.xml"))));
}
