// The product's name as the player reads it in the windows.
#include "support/main_window_fixture.h"

#include "app/game_dlg.h"
#include "app/player_dialogs.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

QStringList labelTexts(const QWidget &widget)
{
    QStringList texts{widget.windowTitle()};
    for (const QLabel *label : widget.findChildren<QLabel *>())
        texts << label->text() << label->toolTip();
    return texts;
}

QStringList menuTexts(TMain_F &window)
{
    QStringList texts{window.windowTitle()};
    for (const QAction *menu : window.menuBar()->actions())
        texts << menu->text();
    for (const QAction *item : window.MenuItems())
        texts << item->text() << item->statusTip() << item->toolTip();
    return texts;
}

} // namespace

TEST(ProductName, TheTextsThatNameTheProgramSayTarnwick)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    const struct {
        const char *where;
        QString text;
        const char *expected;
    } named[] = {
        {"Exit hint", window.Exit_MI->statusTip(), "Exit Tarnwick"},
        {"Options hint", window.Options3->statusTip(), "Customize Tarnwick"},
        {"About hint", window.About1->statusTip(), "About Tarnwick"},
    };
    for (const auto &test : named)
        EXPECT_EQ(test.text.toStdString(), test.expected) << test.where;

    PlayerShortcutDialog shortcut(QStringLiteral("Ann"));
    const QStringList shortcutTexts = labelTexts(shortcut);
    EXPECT_TRUE(shortcutTexts.contains(QStringLiteral(
        "You can create desktop shortcut for selected player. Use this shortcut to have desired player name "
        "automatically selected at startup of Tarnwick.")));
    EXPECT_EQ(shortcut.ShortcutName(), QStringLiteral("Ann's Tarnwick"));

    // No text of these windows keeps another product's name.
    const struct {
        const char *window;
        QStringList texts;
    } windows[] = {
        {"main window", menuTexts(window) + labelTexts(window)},
        {"game selection", labelTexts(*window.GameDialog())},
        {"player shortcut", shortcutTexts},
    };
    for (const auto &test : windows)
        for (const QString &text : test.texts)
            EXPECT_FALSE(text.contains(QStringLiteral("Solitaire Collection")) || text.contains(QStringLiteral("Qel")))
                << test.window << ": " << text.toStdString();
}
