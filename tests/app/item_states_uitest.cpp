#include "support/main_window_fixture.h"

#include "app/game_dlg.h"
#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// The items a game switches on and off, in menu order.
struct ItemStates {
    bool newGame, restart, saveAs, undo, redo, pause, showNextMove, autoplay, makeSnapshot, restoreSnapshot;
    bool operator==(const ItemStates &) const = default;
};

std::ostream &operator<<(std::ostream &out, const ItemStates &s)
{
    const std::pair<const char *, bool> items[] = {
        {"New Game", s.newGame},   {"Restart", s.restart},          {"Save As", s.saveAs},
        {"Undo", s.undo},          {"Redo", s.redo},                {"Pause", s.pause},
        {"Show Next Move", s.showNextMove}, {"Autoplay", s.autoplay}, {"Create Snapshot", s.makeSnapshot},
        {"Restore Snapshot", s.restoreSnapshot}};
    for (const auto &[name, on] : items)
        out << name << (on ? " on, " : " off, ");
    return out;
}

ItemStates statesOf(const TMain_F &window)
{
    return {window.Deal_MI->isEnabled(),       window.Replay1->isEnabled(),  window.SaveAs1->isEnabled(),
            window.NewUndo1->isEnabled(),      window.NewRedo1->isEnabled(), window.Pause1->isEnabled(),
            window.ShowNextMove1->isEnabled(), window.Autoplay1->isEnabled(), window.Make1->isEnabled(),
            window.Restore1->isEnabled()};
}

// Answers the game selection dialog, as soon as it shows, with a game (or Cancel for -1).
void answerSelection(int gameId)
{
    QTimer::singleShot(0, [gameId] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<TGameDlg *>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            if (gameId < 0) {
                dialog->reject();
                continue;
            }
            dialog->SelectGame(gameId);
            QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
        }
    });
}

constexpr bool On = true, Off = false;

// What each step of a game leaves the items at, read right after the step (the state they
// follow changed) and again as the Play menu opens (the refresh): the two agree.
TEST(ItemStates, EveryPlayItemFollowsDealMoveUndoWinAndCancelledSelection)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    window.Board1->Animate = false;
    engineState().Options.FlipEnabled = false;
    fixture.session->Data().settings.Cards.UndoOption = 2;
    GameTable &table = window.Table();
    table.CurrentGameId = GameIds::Klondike;
    window.ApplyGameSettings(GameIds::Klondike);

    std::optional<ItemStates> duringWonSequence;
    quint32 numberBefore = 0;
    const struct Step {
        const char *name;
        std::function<void()> act;
        ItemStates expected;
    } steps[] = {
        {"before the first deal", [] {}, {On, Off, Off, Off, Off, Off, Off, On, Off, Off}},
        {"a deal (F2)", [&] { QTest::keyClick(window.Board1, Qt::Key_F2); },
         {On, On, Off, Off, Off, Off, Off, On, Off, Off}},
        {"a move (Space deals from the stock)", [&] { QTest::keyClick(window.Board1, Qt::Key_Space); },
         {On, On, On, On, Off, On, On, On, On, Off}},
        {"undo (Ctrl+Z)", [&] { QTest::keyClick(window.Board1, Qt::Key_Z, Qt::ControlModifier); },
         {On, On, On, Off, On, On, On, On, On, Off}},
        {"redo (Ctrl+R) and another move",
         [&] {
             QTest::keyClick(window.Board1, Qt::Key_R, Qt::ControlModifier);
             QTest::keyClick(window.Board1, Qt::Key_Space);
         },
         {On, On, On, On, Off, On, On, On, On, Off}},
        {"a win, the won dialog answered Cancel",
         [&] {
             fixture.onWait = [&](int) {
                 if (!duringWonSequence)
                     duringWonSequence = statesOf(window);
             };
             fixture.FinishGame();
             Uni_Timer(table);
             fixture.onWait = nullptr;
         },
         {On, On, Off, Off, Off, Off, Off, On, Off, Off}},
        {"a deal and a move after the win",
         [&] {
             QTest::keyClick(window.Board1, Qt::Key_F2);
             QTest::keyClick(window.Board1, Qt::Key_Space);
             numberBefore = window.Session().GameNumber;
         },
         {On, On, On, On, Off, On, On, On, On, Off}},
        {"the game selection cancelled (Ctrl+F2)",
         [&] {
             answerSelection(-1);
             QTest::keyClick(window.Board1, Qt::Key_F2, Qt::ControlModifier);
         },
         {On, On, On, On, Off, On, On, On, On, Off}},
        {"another game chosen (Select Solitaire...), its confirmation cancelled",
         [&] {
             fixture.confirmAnswer = {false, false};
             answerSelection(GameIds::FreeCell);
             window.Game_MI->trigger();
         },
         {On, On, On, On, Off, On, On, On, On, Off}},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(statesOf(window), step.expected);
        Q_EMIT window.Play->aboutToShow();
        Q_EMIT window.Game1->aboutToShow();
        EXPECT_EQ(statesOf(window), step.expected);
    }

    // While the won game flashed, its journal was kept but not walked.
    ASSERT_TRUE(duringWonSequence.has_value());
    EXPECT_FALSE(duringWonSequence->undo);
    EXPECT_FALSE(duringWonSequence->redo);
    EXPECT_TRUE(duringWonSequence->newGame);
    ASSERT_EQ(fixture.wonGames, QStringList{QStringLiteral("Klondike")});
    // Neither cancelled selection touched the game on the table.
    EXPECT_EQ(table.CurrentGameId, GameIds::Klondike);
    EXPECT_EQ(window.Session().GameNumber, numberBefore);
    ASSERT_FALSE(fixture.questions.isEmpty());
    EXPECT_EQ(fixture.questions.last(), QStringLiteral("Confirm New Game: Do you want to start new game?"));
}

// While a deal is being built, New Game and Restart Game are off (the deal runs outside any
// key or menu, so only the items themselves can tell); once it is done they are on again.
TEST(ItemStates, NewGameAndRestartAreOffWhileADealIsBuilt)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    fixture.DealKlondike();
    std::vector<ItemStates> seen;
    // The score is set while the table is cleared and again as the pack is filled.
    window.Board1->OnScoreChange = [&](TDeck *) { seen.push_back(statesOf(window)); };
    window.Deal_MI->trigger();
    ASSERT_GE(seen.size(), 2u);
    for (const ItemStates &states : seen) {
        EXPECT_FALSE(states.newGame);
        EXPECT_FALSE(states.restart);
        EXPECT_FALSE(states.saveAs);
        EXPECT_FALSE(states.pause);
    }
    EXPECT_TRUE(window.Deal_MI->isEnabled());
    EXPECT_TRUE(window.Replay1->isEnabled());
}

} // namespace
