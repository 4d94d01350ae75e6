#include "support/main_window_fixture.h"

#include "app/chart_maker.h"
#include "app/clear_stats_form.h"
#include "app/hiscore_form.h"
#include "app/log_form.h"
#include "app/score_history_form.h"
#include "app/stat_form.h"
#include "app/won_dialog.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "store/binary_stream.h"
#include "store/data_store.h"
#include "store/won_figures.h"

#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr double Minute = 1.0 / (24 * 60);

struct StatisticsWindows : ::testing::Test {
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    DataStore &data = window.Program().Data();
    std::vector<QString> opened; // object names of the windows run, in order

    // Runs each window the menus open through check instead of its own event loop.
    void answer(std::function<int(QDialog &)> check)
    {
        window.RunStatisticsWindow = [this, check](QDialog &dialog) {
            opened.push_back(dialog.objectName());
            dialog.show();
            QTest::qWait(1);
            return check(dialog);
        };
    }
    void press(int key)
    {
        ASSERT_TRUE(fixture.ShowActive());
        QTest::keyClick(window.Board1, Qt::Key(key));
    }
    LogRecord logged(int gameId, bool won, int score, quint32 number)
    {
        LogRecord record;
        record.GameNumber = number;
        record.GameId = gameId;
        record.Won = won;
        record.Score = score;
        record.Moves = 40;
        record.StartTime = toDayNumber(QDateTime::currentDateTime()) - 0.01;
        record.Duration = 5 * Minute;
        record.PlayerName = data.statistics.Players.current().Name;
        record.RunNumber = data.statistics.runNumber();
        return record;
    }
};

// Whether the chart toolkit is mapped into this process.
bool chartToolkitLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Charts");
}

QStringList rowTexts(const QTableWidget *grid, int row)
{
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column)
        texts << (grid->item(row, column) ? grid->item(row, column)->text() : QString());
    return texts;
}

TEST_F(StatisticsWindows, F3ShowsTheFiguresWithMarksTotalsAndTheLimeRow)
{
    fixture.DealKlondike();
    GameStats &klondike = *data.statistics.gameStats(0, GameIds::Klondike);
    for (int i = 0; i < 3; ++i)
        klondike.countResult(true, 30, 4 * Minute);
    klondike.countResult(false, 7, 0);
    data.statistics.gameStats(0, GameIds::FreeCell)->countResult(true, 11, 2 * Minute);
    data.settings.Cards.StatShow = 1;
    QStringList titles;
    answer([&](QDialog &dialog) {
        titles << dialog.windowTitle();
        if (dialog.objectName() != "TStatForm")
            return int(QDialog::Rejected);
        auto &form = static_cast<TStatForm &>(dialog);
        // No chart has been shown yet in this process (this is the first test to show one).
        EXPECT_FALSE(chartToolkitLoaded());
        EXPECT_EQ(form.Grid->rowCount(), 2);
        const int row = form.Grid->findItems("Klondike", Qt::MatchExactly).first()->row();
        EXPECT_EQ(rowTexts(form.Grid, row),
                  (QStringList{"Klondike", "4", "3", "1", "75.0%", "$97", "$24.25", "00:04:00  "}));
        EXPECT_EQ(rowTexts(form.Totals, 0),
                  (QStringList{"Total: 2", "5", "4", "1", "80.0%", "$108", "$21.60", "00:02:00  "}));
        // Selecting the other row shows the current game's row in lime green.
        form.Grid->selectRow(1 - row);
        QTest::qWait(1);
        const QRect cell = form.Grid->visualItemRect(form.Grid->item(row, 3));
        const QImage picture = form.Grid->viewport()->grab().toImage();
        EXPECT_EQ(picture.pixelColor(cell.left() + 3, cell.center().y()), QColor(0, 255, 0));
        // Score three times: ascending, descending, ascending.
        const auto firstGame = [&] { return form.Grid->item(0, 0)->text(); };
        const int scoreX = form.Grid->horizontalHeader()->sectionViewportPosition(5) + 5;
        QStringList firsts;
        for (int click = 0; click < 3; ++click) {
            QTest::mouseClick(form.Grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(scoreX, 5));
            firsts << firstGame();
        }
        EXPECT_EQ(firsts, (QStringList{"FreeCell", "Klondike", "FreeCell"}));
        // The Today tab after midnight: nothing played today, so the Played filter leaves no row.
        klondike.TodayDate -= 1;
        data.statistics.gameStats(0, GameIds::FreeCell)->TodayDate -= 1;
        form.Tabs->setCurrentIndex(1);
        EXPECT_EQ(form.Grid->rowCount(), 0);
        EXPECT_FALSE(form.PlayButton->isEnabled());
        for (QPushButton *button : {form.LogButton, form.HiScoresButton, form.HistoryButton})
            QTest::mouseClick(button, Qt::LeftButton);
        QTest::mouseClick(form.CloseButton, Qt::LeftButton);
        return form.result();
    });
    press(Qt::Key_F3);
    EXPECT_EQ(opened, (std::vector<QString>{"TStatForm", "TDLog", "THiscoreForm", "TdgGraph"}));
    EXPECT_EQ(titles, (QStringList{"Statistics for player 'Default'", "Log for player 'Default'",
                                   "Hi-Scores for game 'Klondike'", "Score History"}));
    EXPECT_EQ(data.settings.Cards.StatPeriod, 1);
}

TEST_F(StatisticsWindows, DisabledStatisticsShowTheirTextInsteadOfTheGrid)
{
    const std::pair<int, const char *> cases[] = {{0, StatText::Disabled}, {2, StatText::Suspended},
                                                  {3, StatText::Suspended}, {1, nullptr}};
    data.settings.Cards.StatShow = 0; // every game has a row to play
    for (const auto &[collect, text] : cases) {
        data.settings.Cards.CollectStatistics = collect;
        StatisticsContext context = window.StatisticsFor();
        TStatForm form(context);
        const bool disabled = form.Pages->currentWidget() == form.DisabledText;
        EXPECT_EQ(disabled, text != nullptr) << collect;
        if (text) {
            EXPECT_EQ(form.DisabledText->text(), text);
        }
        EXPECT_EQ(form.PlayButton->isEnabled(), !text);
    }
}

TEST_F(StatisticsWindows, TheLogTakesCommentsSkipsDamagedRecordsAndReplaysAShuffle)
{
    fixture.DealKlondike();
    data.log.append(logged(GameIds::FreeCell, true, 20, 111));
    data.log.append(logged(9000, true, 1, 1));
    data.log.append(logged(GameIds::Klondike, false, 5, 222));
    answer([&](QDialog &dialog) {
        auto &log = static_cast<TDLog &>(dialog);
        EXPECT_EQ(log.Records->rowCount(), 2);
        EXPECT_EQ(rowTexts(log.Records, 0).mid(1, 5), (QStringList{"222", "Klondike", "Lost", "5", "40"}));
        EXPECT_TRUE(log.DamagedNote->isVisible());
        EXPECT_TRUE(log.DamagedNote->text().startsWith(LogText::Damaged));
        log.Records->selectRow(1);
        log.CommentEdit->setFocus();
        QTest::keyClicks(log.CommentEdit, QString(45, u'c'));
        QTest::keyClick(log.CommentEdit, Qt::Key_Return);
        EXPECT_EQ(rowTexts(log.Records, 1)[0], "*");
        QTest::mouseClick(log.ReplayButton, Qt::LeftButton);
        return log.result();
    });
    press(Qt::Key_F4);
    std::vector<LogRecord> records;
    data.log.forEachRecord([&](qint64, const LogRecord &record) {
        records.push_back(record);
        return true;
    });
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Comment, QString(40, u'c'));
    EXPECT_EQ(records[1].GameId, 9000); // the damaged record stays in the file
    EXPECT_EQ(records[2].Comment, "");
    // The replay deals FreeCell's shuffle 111.
    QTest::qWait(200);
    EXPECT_EQ(window.Table().CurrentGameId, GameIds::FreeCell);
    EXPECT_TRUE(window.windowTitle().contains("[#111]")) << window.windowTitle().toStdString();
}

TEST_F(StatisticsWindows, HighScoresAndScoreHistoryDrawTheirCharts)
{
    fixture.DealKlondike();
    for (int score : {10, 30, 20, 50})
        data.log.append(logged(GameIds::Klondike, score > 15, score, quint32(score)));
    data.statistics.gameStats(0, GameIds::Klondike)->countResult(true, 110, 3 * Minute);
    data.settings.Cards.HiScoresPage = 1;
    data.settings.Cards.HiScoresKind = 1;
    answer([&](QDialog &dialog) {
        if (auto *scores = qobject_cast<THiscoreForm *>(&dialog)) {
            EXPECT_EQ(scores->windowTitle(), "Hi-Scores for game 'Klondike'");
            EXPECT_EQ(rowTexts(scores->Table, 0), (QStringList{"1", "Default", "110"}));
        } else if (auto *history = qobject_cast<TdgGraph *>(&dialog)) {
            EXPECT_EQ(history->History().games.size(), 4u);
            EXPECT_FALSE(history->TrendError->isVisible());
            history->PointHovered(3);
            EXPECT_TRUE(history->InfoLine->text().startsWith("Status: Won   Shuffle: 50   Score: 50   Started: "));
            history->PointHovered(-1);
            EXPECT_EQ(history->InfoLine->text(), "");
            const QImage picture = history->Chart()->grab().toImage();
            int lineColoured = 0;
            for (int y = 0; y < picture.height(); y += 2)
                for (int x = 0; x < picture.width(); x += 2)
                    lineColoured += picture.pixelColor(x, y) == QColor(0, 90, 200);
            EXPECT_GT(lineColoured, 20);
        }
        return int(QDialog::Rejected);
    });
    press(Qt::Key_F6);
    press(Qt::Key_F7);
    EXPECT_EQ(opened, (std::vector<QString>{"THiscoreForm", "TdgGraph"}));
    EXPECT_TRUE(chartToolkitLoaded());
}

TEST_F(StatisticsWindows, TheClearDialogAsksAndNoKeepsItOpen)
{
    fixture.DealKlondike();
    data.statistics.gameStats(0, GameIds::Klondike)->countResult(true, 10, Minute);
    data.statistics.gameStats(0, GameIds::FreeCell)->countResult(true, 10, Minute);
    StatisticsContext context = window.StatisticsFor();
    QStringList asked;
    bool answer = false;
    context.ask = [&](const QString &text, const QString &caption) {
        asked << caption + ": " + text;
        return answer;
    };
    TCStatF dialog(context, 0);
    dialog.show();
    ASSERT_EQ(dialog.Games->selectedItems().size(), 1);
    EXPECT_EQ(dialog.Games->selectedItems().first()->text(), "Klondike");
    dialog.OkClick();
    EXPECT_TRUE(dialog.isVisible());
    answer = true;
    dialog.OkClick();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(asked, QStringList(2, "Clear Statistics: Are you sure you want to clear statistics for selected game(s) "
                                    "for player 'Default'?"));
    EXPECT_EQ(data.statistics.gameStats(0, GameIds::Klondike)->AllTime.Won, 0);
    EXPECT_EQ(data.statistics.gameStats(0, GameIds::FreeCell)->AllTime.Won, 1);
}

TEST_F(StatisticsWindows, AltMCommentsTheWonGameAndCancelKeepsTheComment)
{
    data.log.append(logged(GameIds::Klondike, true, 40, 9));
    const LogRecord game = *data.log.readLast();
    WonFigures figures;
    TWinDlg dialog("Klondike", figures);
    dialog.StoreComment = [&](const QString &comment) { commentLastGame(data.log, game, comment); };
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const auto type = [&](const QString &text, bool ok) {
        QTimer::singleShot(0, [&dialog, text, ok] {
            ASSERT_NE(dialog.CommentDialog, nullptr);
            auto *edit = dialog.CommentDialog->findChild<QLineEdit *>();
            edit->selectAll();
            QTest::keyClicks(edit, text);
            if (ok)
                dialog.CommentDialog->accept();
            else
                dialog.CommentDialog->reject();
        });
        QTest::keyClick(&dialog, Qt::Key_M, Qt::AltModifier);
    };
    type("Fast one", true);
    EXPECT_EQ(data.log.readLast()->Comment, "Fast one");
    type("Changed my mind", false);
    EXPECT_EQ(data.log.readLast()->Comment, "Fast one");
}

} // namespace
