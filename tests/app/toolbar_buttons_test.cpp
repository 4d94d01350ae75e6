#include "app/toolbar_buttons.h"
#include "store/settings.h"

#include <gtest/gtest.h>

namespace {

QStringList split(const char *names)
{
    return QString::fromLatin1(names).split(u'/', Qt::SkipEmptyParts);
}

} // namespace

TEST(ToolbarLists, TheLayoutMovesEachKnownButtonOnceFromTheAvailableList)
{
    const struct {
        const char *layout;
        const char *current;
        const char *available;
    } cases[] = {
        {DefaultToolbarLayout,
         "New Game/Select Solitaire/Separator/Undo/Redo/Separator/Autoplay/Separator/Options/Help/Separator/Exit",
         "Show Next Move/Statistics/Restart Game/Open Game/Save Game"},
        {"", "", "Exit/Select Solitaire/Undo/Redo/Show Next Move/Autoplay/Statistics/Options/Help/New Game/"
                 "Restart Game/Open Game/Save Game"},
        // "06" makes no button, unknown codes nothing.
        {"06,14,99,13", "Exit", "Select Solitaire/Undo/Redo/Show Next Move/Autoplay/Statistics/Options/Help/"
                                 "New Game/Restart Game/Open Game/Save Game"},
        // A code twice gives one button; separators come as often as they are named.
        {"04,00,04,00,00,12,12", "Show Next Move/Separator/Separator/Separator/Save Game",
         "Exit/Select Solitaire/Undo/Redo/Autoplay/Statistics/Options/Help/New Game/Restart Game/Open Game"},
    };
    for (const auto &test : cases) {
        const ToolbarButtons::Lists lists = ToolbarButtons::Lists::FromLayout(QString::fromLatin1(test.layout));
        EXPECT_EQ(lists.current, split(test.current)) << test.layout;
        EXPECT_EQ(lists.available, split(test.available)) << test.layout;
    }
    EXPECT_EQ(ToolbarButtons::Lists::FromLayout(QString::fromLatin1(DefaultToolbarLayout)).Layout(),
              QString::fromLatin1(DefaultToolbarLayout));
}

TEST(ToolbarLists, ShowNextMoveOnTheToolbarSuspendsTheStatisticsMode)
{
    const struct {
        int mode;
        bool onToolbar;
        int expected;
    } cases[] = {{0, true, 2}, {1, true, 3}, {2, true, 2}, {3, true, 3},
                 {0, false, 0}, {1, false, 1}, {2, false, 0}, {3, false, 1}};
    for (const auto &test : cases)
        EXPECT_EQ(ToolbarButtons::StatisticsMode(test.mode, test.onToolbar), test.expected)
            << test.mode << (test.onToolbar ? " with" : " without") << " the button";
}
