// The messages of loading at start, in their order against the first game selection.
#include "support/main_window_fixture.h"

#include "app/game_dlg.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Notes when the game selection dialog appears and cancels it.
class DialogWatcher : public QObject {
public:
    DialogWatcher(QDialog &dialog, QStringList &order) : dialog(dialog), order(order) { dialog.installEventFilter(this); }
    ~DialogWatcher() override { dialog.removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &dialog && event->type() == QEvent::Show) {
            order << QStringLiteral("game selection");
            QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QDialog &dialog;
    QStringList &order;
};

// Like a message box: it runs an event loop of its own until it is closed.
void modalBox(QStringList &order, const QString &text)
{
    order << text;
    QEventLoop box;
    QTimer::singleShot(0, &box, &QEventLoop::quit);
    box.exec();
    order << QStringLiteral("closed");
}

} // namespace

TEST(StartMessages, AreShownAndClosedBeforeTheGameSelectionOpens)
{
    const struct {
        const char *name;
        QSize screen;
        bool damagedStatistics;
        QStringList messages;
    } cases[] = {
        {"small screen", QSize(640, 480), false, {"inform: Recommended screen resolution is 800x600 or higher"}},
        {"damaged statistics", QSize(1280, 1024), true, {"warn: Error:Unable to read statistics.\nThe damaged file was kept as qelstat.dat.bad."}},
        {"both", QSize(790, 600), true,
         {"inform: Recommended screen resolution is 800x600 or higher", "warn: Error:Unable to read statistics.\nThe damaged file was kept as qelstat.dat.bad."}},
        {"none", QSize(800, 600), false, {}},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        MainWindowFixture fixture(false);
        fixture.display = FixedDisplayInfo(24, test.screen, QRect(QPoint(0, 0), test.screen - QSize(0, 30)));
        if (test.damagedStatistics) {
            QDir().mkpath(fixture.locations.dataFolder);
            QFile file(fixture.locations.dataFile(QStringLiteral("qelstat.dat")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("not statistics");
        }
        TMain_F &window = fixture.Create();
        QStringList order;
        window.Prompts().inform = [&](const QString &text) { modalBox(order, QStringLiteral("inform: ") + text); };
        window.Prompts().warn = [&](const QString &text) { modalBox(order, QStringLiteral("warn: ") + text); };
        DialogWatcher watcher(*window.GameDialog(), order);
        window.show();
        window.GameDialog()->PostStartMessage();
        EXPECT_TRUE(QTest::qWaitFor([&] { return order.contains(QStringLiteral("game selection")); }));

        QStringList expected;
        for (const QString &message : test.messages)
            expected << message << QStringLiteral("closed");
        expected << QStringLiteral("game selection");
        EXPECT_EQ(order.join(QStringLiteral(" | ")).toStdString(), expected.join(QStringLiteral(" | ")).toStdString());
    }
}

TEST(StartMessages, OpenAboveTheGameSelectionWhenItIsOpen)
{
    MainWindowFixture fixture(false);
    TMain_F &window = fixture.Create();
    window.show();
    EXPECT_EQ(window.MessageOwner(), &window);
    TGameDlg &dialog = *window.GameDialog();
    QWidget *owner = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        owner = window.MessageOwner();
        dialog.reject();
    });
    dialog.Choose();
    EXPECT_EQ(owner, &dialog);
    EXPECT_EQ(window.MessageOwner(), &window);
}
