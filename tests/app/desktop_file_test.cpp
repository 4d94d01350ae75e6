// The launcher and the type of saved games, as the desktop's own tools read them, and the
// software-centre entry naming the same type.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(DesktopFiles, TheLauncherValidatesAndSavedGamesAreKnownByTheirGlob)
{
    const QDir desktop(QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(QStringLiteral("../../app/desktop")));
    const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (validate.isEmpty() || update.isEmpty())
        GTEST_SKIP() << "needs the packages desktop-file-utils and shared-mime-info";
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(validate, {desktop.filePath(QStringLiteral("io.github.tarnwick.Tarnwick.desktop"))});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(tool.readAll().toStdString(), std::string());
    QFile launcher(desktop.filePath(QStringLiteral("io.github.tarnwick.Tarnwick.desktop")));
    ASSERT_TRUE(launcher.open(QIODevice::ReadOnly));
    const QByteArray entry = launcher.readAll();
    EXPECT_TRUE(entry.contains("\nExec=tarnwick %f\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-tarnwick-game;\n"));
    QFile metainfo(desktop.filePath(QStringLiteral("io.github.tarnwick.Tarnwick.metainfo.xml.in")));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains("<mediatype>application/x-tarnwick-game</mediatype>"));

    QTemporaryDir database;
    QDir().mkpath(database.filePath(QStringLiteral("packages")));
    ASSERT_TRUE(QFile::copy(desktop.filePath(QStringLiteral("tarnwick-game.xml")),
                            database.filePath(QStringLiteral("packages/tarnwick-game.xml"))));
    tool.start(update, {database.path()});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAll().toStdString();
    QFile globs(database.filePath(QStringLiteral("globs2")));
    ASSERT_TRUE(globs.open(QIODevice::ReadOnly));
    EXPECT_TRUE(globs.readAll().contains("application/x-tarnwick-game:*.qel"));
}
