// Files that cannot be written while a game is played: the player reads it in the status bar.
#include "support/main_window_fixture.h"

#include "engine/Cardscmp.h"

#include <QDir>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

TEST(WriteFailures, ShowInTheStatusBarAtOnce)
{
    const struct {
        const char *file; // taken by a folder, so that it cannot be written
        const char *shown;
    } cases[] = {
        {"qellog.dat", "Tarnwick could not save your game log: "},
        {"qelstat.dat", "Tarnwick could not save your statistics: "},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.file);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        ASSERT_TRUE(fixture.ShowActive());
        fixture.DealKlondike();
        QTest::keyClick(window.Board1, Qt::Key_F2); // a new deal counts, a restarted one not
        QDir().mkpath(fixture.locations.dataFile(QString::fromLatin1(test.file)));
        // The first move writes the statistics (on a worker), the next deal logs the game.
        QTest::keyClick(window.Board1, Qt::Key_Space);
        fixture.session->Data().statistics.finishWriting();
        window.TimeTimerTimer();
        QTest::keyClick(window.Board1, Qt::Key_F2);
        EXPECT_TRUE(window.statusBar()->currentMessage().startsWith(QString::fromLatin1(test.shown)))
            << window.statusBar()->currentMessage().toStdString();
    }
}
