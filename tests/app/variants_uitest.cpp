#include "support/main_window_fixture.h"

#include "app/custom_help.h"
#include "app/custom_rules_form.h"
#include "app/custom_variants.h"
#include "app/game_dlg.h"
#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"
#include "games/move_player.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

void press(TMain_F &window, QKeyCombination key)
{
    // The offscreen platform leaves a closed dialog the active window.
    QApplication::setActiveWindow(&window);
    QTest::keyClick(window.Board1, key.key(), key.keyboardModifiers());
}

// Runs `inside` in the game selection dialog's event loop once it shows; it must close it.
void whenGameDialogShows(TMain_F &window, std::function<void(TGameDlg &)> inside)
{
    QTimer::singleShot(0, window.GameDialog(), [&window, inside] {
        TGameDlg &dialog = *window.GameDialog();
        inside(dialog);
        if (dialog.isVisible())
            dialog.reject();
    });
}

QStringList listedNames(const TGameDlg &dialog)
{
    QStringList names;
    for (int row = 0; row < dialog.GameList()->topLevelItemCount(); ++row)
        names << dialog.GameList()->topLevelItem(row)->text(0);
    return names;
}

} // namespace

// A player makes a Klondike variant with Ctrl+U, finds it selected in the game selection
// dialog, plays it with its rules, reads its rules window with F1, puts it in a group of
// their own and finds all of it again at the next start; then deletes it.
TEST(Variants, MadeWithCtrlUPlayedKeptAndDeleted)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    fixture.DealKlondike();
    window.RunRulesForm = [](TCustomRulesForm &form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Customize Rules"));
        EXPECT_EQ(form.NameBox()->text(), QStringLiteral("Klondike"));
        // The name of a catalogue game is refused and the form stays open.
        QStringList errors;
        form.ShowError = [&errors](const QString &text) { errors << text; };
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        EXPECT_EQ(errors, (QStringList{"Solitaire with this name (\"Klondike\") already exists. Please choose "
                                       "different name for the customized game."}));
        form.NameBox()->clear();
        EXPECT_FALSE(form.OkButton()->isEnabled());
        QTest::keyClicks(form.NameBox(), QStringLiteral("Endless Klondike"));
        form.Redeals()->setCurrentIndex(9);   // "Unlimited"
        form.StockDeal()->setCurrentIndex(0); // "Deal 1 card to the waste"
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
        EXPECT_EQ(form.result(), QDialog::Accepted);
    };
    whenGameDialogShows(window, [](TGameDlg &dialog) {
        EXPECT_EQ(dialog.SelectedGameId(), 1000);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    press(window, QKeyCombination(Qt::ControlModifier, Qt::Key_U));
    ASSERT_EQ(window.Table().CurrentGameId, 1000);
    EXPECT_EQ(window.Table().BaseGameId, 108);
    EXPECT_EQ(window.Table().CardsPerDeal, 1);
    EXPECT_EQ(window.Board1->Rotation_Number, -2);
    EXPECT_EQ(window.windowTitle().left(17), QStringLiteral(" Endless Klondike"));

    QList<bool> boldRows;
    window.RunRulesWindow = [&boldRows](TCustomHelp &rules) {
        EXPECT_EQ(rules.windowTitle(), QStringLiteral("Customization details for game 'Endless Klondike'"));
        for (QLabel *label : rules.VariantLabels())
            boldRows << label->font().bold();
    };
    ASSERT_TRUE(fixture.ShowActive());
    window.RefreshItemStates();
    EXPECT_TRUE(window.GameHelp1->isEnabled());
    press(window, QKeyCombination(Qt::NoModifier, Qt::Key_F1));
    EXPECT_EQ(boldRows, (QList<bool>{true, true, false, false, false, false, false, false}));

    // Ctrl+F makes it a favourite; a group of the player's own holds it as well.
    press(window, QKeyCombination(Qt::ControlModifier, Qt::Key_F));
    TGameDlg &dialog = *window.GameDialog();
    dialog.AskGroupName = [](const QString &, const QString &) { return std::optional<QString>(QStringLiteral("Mine")); };
    dialog.NewGroup();
    dialog.SetGameType(0);
    dialog.SelectGame(1000);
    dialog.AddSelectedGameToGroup(3);
    ASSERT_TRUE(MovePlayer(window.Table()).Run(QStringLiteral("click Stock")));
    window.Session().NewGame(); // the variant's started game ends unwon
    // Closing as the player does (the exit question answers OK).
    window.close();
    ASSERT_TRUE(window.Saved());
    fixture.DestroyWindow();

    TMain_F &again = fixture.Create();
    EXPECT_EQ(again.Table().CurrentGameId, 1000);
    const GameStats *stats = again.Program().Data().statistics.gameStats(0, 1000);
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->AllTime.NotWon, 1);
    whenGameDialogShows(again, [](TGameDlg &shown) {
        EXPECT_EQ(shown.GameTypes()->itemText(3), QStringLiteral("Mine"));
        for (int type : {1, 3}) {
            shown.SetGameType(type);
            EXPECT_TRUE(listedNames(shown).contains(QStringLiteral("Endless Klondike"))) << type;
        }
        // "Delete &Game" from the popup, with its confirmation.
        shown.SetGameType(0);
        shown.SelectGame(1000);
        QString asked;
        shown.AskDeleteGame = [&asked](const QString &question, bool &) {
            asked = question;
            return true;
        };
        QMenu *popup = shown.MakePopup();
        QAction *remove = nullptr;
        for (QAction *item : popup->actions())
            if (item->text() == QStringLiteral("Delete &Game"))
                remove = item;
        ASSERT_NE(remove, nullptr);
        remove->trigger();
        EXPECT_TRUE(asked.startsWith(QStringLiteral("You are going to permanently remove solitaire game 'Endless Klondike'")));
        EXPECT_FALSE(listedNames(shown).contains(QStringLiteral("Endless Klondike")));
    });
    again.Game_MI->trigger();
    EXPECT_EQ(again.Variants().Count(), 0);
    EXPECT_EQ(again.Table().CurrentGameId, 108);
}
