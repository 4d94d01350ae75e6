// The game selection dialog's player box, driven through the real main window.
#include "support/main_window_fixture.h"

#include "app/game_dlg.h"
#include "app/player_dialogs.h"
#include "store/players.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void givePlayers(MainWindowFixture &fixture, const QStringList &names, int current)
{
    std::vector<PlayerRecord> records;
    for (const QString &name : names)
        records.push_back(PlayerRecord::create(name, 45000));
    fixture.session->Data().statistics.Players.replace(std::move(records), current, 45000);
}

QStringList boxEntries(const QComboBox &box)
{
    QStringList entries;
    for (int i = 0; i < box.count(); ++i)
        entries << box.itemText(i);
    return entries;
}

// Opens the game selection dialog as the menu does, runs `inside` in its event loop and
// cancels it.
void insideGameDialog(TMain_F &window, const std::function<void(TGameDlg &)> &inside)
{
    TGameDlg &dialog = *window.GameDialog();
    QTimer::singleShot(0, &dialog, [&] {
        inside(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
    window.Game_MI->trigger();
}

PlayerListDialog *openPlayerList()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<PlayerListDialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

QPushButton *button(QWidget &dialog, const QString &text)
{
    for (QPushButton *candidate : dialog.findChildren<QPushButton *>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

} // namespace

TEST(PlayerBox, ChoosingAPlayerMakesItCurrentForTheWholeProgram)
{
    const struct {
        int current;
        Qt::Key key;
        const char *chosen;
    } cases[] = {
        {0, Qt::Key_Down, "Bob"},
        {2, Qt::Key_Up, "Bob"},
        {1, Qt::Key_Home, "Ann"},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.chosen);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        givePlayers(fixture, {"Ann", "Bob", "Cleo"}, test.current);
        insideGameDialog(window, [&](TGameDlg &dialog) {
            QComboBox &box = *dialog.Players();
            EXPECT_TRUE(box.isVisible());
            EXPECT_EQ(boxEntries(box), (QStringList{"Ann", "Bob", "Cleo", "Edit player list"}));
            EXPECT_EQ(box.currentIndex(), test.current);
            QTest::keyClick(&box, test.key);
            EXPECT_EQ(box.currentText(), QString::fromLatin1(test.chosen));
        });
        EXPECT_EQ(window.Panels[PlayerPanel]->text().toStdString(), std::string("Player: ") + test.chosen);
        EXPECT_EQ(fixture.session->Data().statistics.Players.current().Name.toStdString(), test.chosen);
    }
}

TEST(PlayerBox, TheChosenPlayerIsCurrentAtTheNextStart)
{
    MainWindowFixture fixture;
    givePlayers(fixture, {"Ann", "Bob"}, 0);
    fixture.Window().show();
    insideGameDialog(fixture.Window(), [](TGameDlg &dialog) { QTest::keyClick(dialog.Players(), Qt::Key_Down); });
    fixture.Window().CloseWithoutConfirmation();
    ASSERT_TRUE(fixture.Window().Saved());
    fixture.DestroyWindow();

    TMain_F &again = fixture.Create();
    EXPECT_EQ(again.Panels[PlayerPanel]->text(), QStringLiteral("Player: Bob"));
    insideGameDialog(again, [](TGameDlg &dialog) { EXPECT_EQ(dialog.Players()->currentText(), QStringLiteral("Bob")); });
}

TEST(PlayerBox, EditPlayerListOpensTheListAndTheBoxFollowsIt)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    givePlayers(fixture, {"Ann", "Bob"}, 1);
    bool listOpened = false;
    insideGameDialog(window, [&](TGameDlg &dialog) {
        QComboBox &box = *dialog.Players();
        // Once the list is up: it shows the box's player, a player is added, the list closes.
        QTimer::singleShot(0, &dialog, [&] {
            PlayerListDialog *list = openPlayerList();
            ASSERT_NE(list, nullptr);
            listOpened = true;
            EXPECT_EQ(list->windowTitle(), QStringLiteral("Edit player list"));
            const QListWidgetItem *selected = list->Names()->currentItem();
            EXPECT_EQ(selected ? selected->text() : QString(), QStringLiteral("Bob"));
            list->Prompts.askName = [](const QString &, const QString &, const QString &) {
                return std::optional<QString>(QStringLiteral("Cleo"));
            };
            QPushButton *add = button(*list, QStringLiteral("Add..."));
            QPushButton *close = button(*list, QStringLiteral("Close"));
            EXPECT_NE(add, nullptr);
            EXPECT_NE(close, nullptr);
            if (add)
                QTest::mouseClick(add, Qt::LeftButton);
            if (close)
                QTest::mouseClick(close, Qt::LeftButton);
            else
                list->reject();
        });
        QTest::keyClick(&box, Qt::Key_End);
        EXPECT_TRUE(listOpened);
        EXPECT_EQ(openPlayerList(), nullptr);
        // The new player was selected in the list, so it is current now.
        EXPECT_EQ(boxEntries(box), (QStringList{"Ann", "Bob", "Cleo", "Edit player list"}));
        EXPECT_EQ(box.currentText(), QStringLiteral("Cleo"));
        EXPECT_EQ(window.Panels[PlayerPanel]->text(), QStringLiteral("Player: Cleo"));
    });
    EXPECT_EQ(fixture.session->Data().statistics.Players.names(), (QStringList{"Ann", "Bob", "Cleo"}));
    EXPECT_EQ(fixture.session->Data().statistics.Players.current().Name, QStringLiteral("Cleo"));
}
