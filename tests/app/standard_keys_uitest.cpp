// The desktop's standard keys on the real main window.
#include "support/main_window_fixture.h"

#include "engine/Cardscmp.h"
#include "games/game_table.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(StandardKeys, RedoAnswersItsOwnKeyAndTheDesktopsRedoKeys)
{
    const struct {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool redoes;
    } cases[] = {
        {"Ctrl+R", Qt::Key_R, Qt::ControlModifier, true},
        {"Ctrl+Shift+Z", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, true},
        {"Ctrl+Y", Qt::Key_Y, Qt::ControlModifier, true},
        {"Shift+Z", Qt::Key_Z, Qt::ShiftModifier, false},
        {"Ctrl+Shift+Y", Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier, false},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        fixture.session->Data().settings.Cards.UndoOption = 2;
        ASSERT_TRUE(fixture.ShowActive());
        fixture.DealKlondike();
        window.Table().Stock->Click();
        window.Table().Stock->Click();
        const int played = window.Board1->JournalPos;
        QTest::keyClick(window.Board1, Qt::Key_Z, Qt::ControlModifier);
        const int undone = window.Board1->JournalPos;
        ASSERT_LT(undone, played);

        QTest::keyClick(window.Board1, test.key, test.modifiers);
        EXPECT_EQ(window.Board1->JournalPos, test.redoes ? played : undone);
    }
}
