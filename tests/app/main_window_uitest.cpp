#include "support/main_window_fixture.h"

#include "app/game_dlg.h"
#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "store/binary_stream.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QApplication>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct ExpectedItem {
    const char *name;
    const char *caption;
    QKeySequence key;
    bool shown;
};

const ExpectedItem Items[] = {
    {"Deal_MI", "&New Game", QKeySequence(Qt::Key_F2), true},
    {"Replay1", "&Restart Game", {}, true},
    {"SelectShuffle1", "Select Shu&ffle", {}, true},
    {"Game_MI", "&Select Solitaire...", QKeySequence(Qt::CTRL | Qt::Key_F2), true},
    {"OpenGame1", "&Open Game...", {}, true},
    {"SaveGame1", "Sa&ve Game", QKeySequence(Qt::CTRL | Qt::Key_S), true},
    {"SaveAs1", "Save &As...", {}, true},
    {"AddtoFavorites1", "Add to &Favorites", QKeySequence(Qt::CTRL | Qt::Key_F), true},
    {"RandomGame1", "Rando&m Game", QKeySequence(Qt::SHIFT | Qt::Key_F2), false},
    {"Statistics1", "S&tatistics...", {}, false},
    {"Exit_MI", "&Exit", {}, true},
    {"NewUndo1", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), true},
    {"NewRedo1", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_R), true},
    {"Pause1", "Pause", QKeySequence(Qt::CTRL | Qt::Key_P), true},
    {"ShowNextMove1", "Show Next &Move", QKeySequence(Qt::CTRL | Qt::Key_M), true},
    {"Autoplay1", "&Autoplay", QKeySequence(Qt::CTRL | Qt::Key_A), true},
    {"Sound1", "Play Sound ", QKeySequence(Qt::Key_F5), false},
    {"Make1", "&Create Snapshot", QKeySequence(Qt::CTRL | Qt::Key_C), true},
    {"Restore1", "Re&store Snapshot", QKeySequence(Qt::CTRL | Qt::Key_N), true},
    {"RunDemo1", "Run &Demo", QKeySequence(Qt::CTRL | Qt::Key_D), true},
    {"miStatistics", "&Statistics...", QKeySequence(Qt::Key_F3), true},
    {"miLog", "&Log...", QKeySequence(Qt::Key_F4), true},
    {"miHiScores", "&Hi-Scores...", QKeySequence(Qt::Key_F6), true},
    {"miScoreHistory", "S&core History...", QKeySequence(Qt::Key_F7), true},
    {"Options3", "&Options...", QKeySequence(Qt::CTRL | Qt::Key_T), true},
    {"Deck1_MI", "&Deck...", {}, false},
    {"miCustomizeRules", "&Modify Rules...", QKeySequence(Qt::CTRL | Qt::Key_U), true},
    {"ToolBarMenu", "&Toolbar", {}, true},
    {"StatusBarMenu", "&Status Bar", {}, true},
    {"IncreaseCardSize2", "Increase CardSize", QKeySequence(Qt::CTRL | Qt::Key_Semicolon), false},
    {"DecreaseCardSize1", "Decrease CardSize", QKeySequence(Qt::CTRL | Qt::Key_Period), false},
    {"Contents_MI", "&Contents...", {}, true},
    {"HelpMenuItem", "&Quick Start", {}, true},
    {"miTipOfTheDay", "&Tip of the Day", {}, false},
    {"HowTo1", "&How To...", {}, true},
    {"About1", "&About...", {}, true},
};

QStringList menuBarCaptions(TMain_F &window)
{
    QStringList captions;
    for (QAction *action : window.menuBar()->actions())
        captions << action->text();
    return captions;
}

void clickStock(TMain_F &window)
{
    window.Table().Stock->Click();
}

} // namespace

TEST(MainWindow, EveryMenuItemCarriesItsNameCaptionKeyAndPlace)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    EXPECT_EQ(menuBarCaptions(window),
              (QStringList{QStringLiteral("&Game"), QStringLiteral("&Play"), QStringLiteral("&View"),
                           QStringLiteral("&Options"), QStringLiteral("&Help")}));
    for (const ExpectedItem &expected : Items) {
        SCOPED_TRACE(expected.name);
        const auto named = std::find_if(window.MenuItems().begin(), window.MenuItems().end(), [&](const QAction *item) {
            return item->objectName() == QString::fromLatin1(expected.name);
        });
        QAction *item = named == window.MenuItems().end() ? nullptr : *named;
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QString::fromLatin1(expected.caption));
        EXPECT_EQ(item->shortcut(), expected.key);
        EXPECT_EQ(window.ItemShown(item), expected.shown);
    }
    EXPECT_EQ(window.MenuItems().size(), std::size(Items) + 1); // and GameHelp1
    // Long hints reach the status bar.
    EXPECT_EQ(window.Deal_MI->statusTip(), QStringLiteral("Start a new game"));
    EXPECT_EQ(window.Exit_MI->statusTip(), QStringLiteral("Exit Tarnwick"));
    // The help item is named after the game; Klondike offers Autoplay.
    fixture.DealKlondike();
    EXPECT_EQ(window.GameHelp1->text(), QStringLiteral("Klondike Help"));
    EXPECT_EQ(window.GameHelp1->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(window.ItemShown(window.Autoplay1));
    EXPECT_TRUE(window.Autoplay1->isChecked());
    // Fifteen recent items, shown for the games played.
    ASSERT_EQ(window.RecentItems.size(), 15u);
    Q_EMIT window.RecentlyPlayedGames->aboutToShow();
    EXPECT_TRUE(window.RecentItems[0]->isVisible());
    EXPECT_EQ(window.RecentItems[0]->text(), QStringLiteral("Klondike"));
    EXPECT_FALSE(window.RecentItems[1]->isVisible());
}

TEST(MainWindow, HiddenItemsKeysActAndDisabledItemsKeysDoNot)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    CardsSettings &cards = fixture.session->Data().settings.Cards;
    ASSERT_TRUE(cards.Play_Card_Move);

    // F5: every sound off, then on again.
    QTest::keyClick(window.Board1, Qt::Key_F5);
    EXPECT_FALSE(cards.Play_Card_Move);
    EXPECT_FALSE(cards.Play_Win_G);
    EXPECT_FALSE(cards.PlayShuffle);
    EXPECT_FALSE(window.Board1->MyPlayDeckOver);
    QTest::keyClick(window.Board1, Qt::Key_F5);
    EXPECT_TRUE(cards.Play_Card_Drag);

    // Before any move Pause is disabled: Ctrl+P does nothing.
    fixture.DealKlondike();
    QTest::keyClick(window.Board1, Qt::Key_P, Qt::ControlModifier);
    EXPECT_FALSE(window.Paused());
    // Ctrl+Z on an empty journal is disabled too.
    QTest::keyClick(window.Board1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.Board1->JournalPos, -1);

    // Shift+F2: a random game, dealt by the redeal timer.
    QTest::keyClick(window.Board1, Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_TRUE(window.redeal_timer().isActive());
    const QList<int> randomGames = {GameIds::Bisley, GameIds::FlowerGarden, GameIds::Carpet,
                                    GameIds::FreeCell, GameIds::Nestor,       GameIds::Klondike};
    EXPECT_TRUE(randomGames.contains(window.Table().CurrentGameId));

    // With a move made, Ctrl+P pauses and any key resumes.
    window.redeal_timer().stop();
    fixture.DealKlondike();
    clickStock(window);
    const int position = window.Board1->JournalPos;
    QTest::keyClick(window.Board1, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(window.Paused());
    const QString caption = window.windowTitle();
    QTest::keyClick(window.Board1, Qt::Key_F2);
    EXPECT_FALSE(window.Paused());
    EXPECT_EQ(window.Board1->JournalPos, position) << "the key that resumes does nothing else";
    EXPECT_EQ(window.windowTitle(), caption);
}

TEST(MainWindow, KeysActOnlyWhileTheMainWindowIsActive)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(&other, Qt::Key_F5);
    EXPECT_TRUE(fixture.session->Data().settings.Cards.Play_Card_Move);
    EXPECT_TRUE(window.Sound1->isChecked());
}

TEST(MainWindow, UndoAndRedoFollowTheUndoModeAfterDealMoveAndUndo)
{
    struct Expected {
        bool undo, redo;
    };
    const struct {
        int mode;
        Expected afterDeal, afterTwoMoves, afterUndo;
    } cases[] = {
        {0, {false, false}, {false, false}, {false, false}},
        {1, {false, false}, {true, false}, {false, true}},
        {2, {false, false}, {true, false}, {true, true}},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.mode);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        fixture.session->Data().settings.Cards.UndoOption = test.mode;
        fixture.DealKlondike();
        window.RefreshItemStates();
        EXPECT_EQ(window.NewUndo1->isEnabled(), test.afterDeal.undo);
        EXPECT_EQ(window.NewRedo1->isEnabled(), test.afterDeal.redo);
        EXPECT_TRUE(window.Deal_MI->isEnabled());
        EXPECT_TRUE(window.Replay1->isEnabled());
        EXPECT_FALSE(window.Pause1->isEnabled());
        EXPECT_FALSE(window.ShowNextMove1->isEnabled());

        clickStock(window);
        const int afterFirst = window.Board1->JournalPos;
        clickStock(window);
        Q_EMIT window.Play->aboutToShow();
        EXPECT_EQ(window.NewUndo1->isEnabled(), test.afterTwoMoves.undo);
        EXPECT_EQ(window.NewRedo1->isEnabled(), test.afterTwoMoves.redo);
        EXPECT_TRUE(window.Pause1->isEnabled());

        const int position = window.Board1->JournalPos;
        if (test.mode != 0)
            window.NewUndo1->trigger();
        Q_EMIT window.Play->aboutToShow();
        EXPECT_EQ(window.NewUndo1->isEnabled(), test.afterUndo.undo);
        EXPECT_EQ(window.NewRedo1->isEnabled(), test.afterUndo.redo);
        EXPECT_EQ(window.Board1->JournalPos, test.mode == 0 ? position : afterFirst);
        if (test.mode != 0) {
            window.NewRedo1->trigger();
            EXPECT_EQ(window.Board1->JournalPos, position);
        }
    }
}

TEST(MainWindow, MiddleClickUndoesOnlyWhenTheUndoModeAllows)
{
    for (int mode : {0, 2}) {
        SCOPED_TRACE(mode);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        ASSERT_TRUE(fixture.ShowActive());
        fixture.session->Data().settings.Cards.UndoOption = mode;
        fixture.DealKlondike();
        // With an empty journal nothing happens.
        QTest::mouseClick(window.Board1, Qt::MiddleButton);
        EXPECT_EQ(window.Board1->JournalPos, -1);
        const int stock = window.Table().Stock->CardsCount();
        clickStock(window);
        const int dealt = window.Table().Stock->CardsCount();
        ASSERT_LT(dealt, stock);
        QTest::mouseClick(window.Board1, Qt::MiddleButton);
        EXPECT_EQ(window.Table().Stock->CardsCount(), mode == 0 ? dealt : stock);
    }
}

TEST(MainWindow, SpaceDealsFromTheStockOnlyWhenItsTopIsFaceDown)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    fixture.DealKlondike();
    GameTable &table = window.Table();
    const int stock = table.Stock->CardsCount();
    QTest::keyClick(window.Board1, Qt::Key_Space);
    EXPECT_LT(table.Stock->CardsCount(), stock);
    // A face-up top card on the stock: Space does nothing.
    table.Stock->TopCard()->SetFace(true);
    const int now = table.Stock->CardsCount();
    QTest::keyClick(window.Board1, Qt::Key_Space);
    EXPECT_EQ(table.Stock->CardsCount(), now);
}

TEST(MainWindow, PauseHidesTheTableAndTheClockLeavesThePauseOut)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    fixture.DealKlondike();
    EXPECT_EQ(window.Panels[ClockPanel]->text(), QStringLiteral("0:00:00  "));
    // A pile that was hidden before the pause stays hidden after it.
    TDeck *hidden = window.Table().Tableau[7];
    hidden->SetVisible(false);
    clickStock(window); // the first move starts the clock
    fixture.now = fixture.now.addSecs(30);
    window.Pause1->trigger();
    ASSERT_TRUE(window.Paused());
    EXPECT_EQ(window.Panels[ClockPanel]->text(), QStringLiteral("Paused "));
    EXPECT_EQ(window.Panels[TipPanel]->text(), QString());
    ASSERT_EQ(window.PauseLabels().size(), 3u);
    for (QLabel *label : window.PauseLabels())
        EXPECT_EQ(label->text(), QStringLiteral("Game Paused"));
    for (const auto &card : window.Board1->Cards())
        EXPECT_FALSE(card->Visible());
    for (const auto &pile : window.Board1->Decks())
        EXPECT_FALSE(pile->Visible());

    fixture.now = fixture.now.addSecs(600);
    window.TimeTimerTimer();
    EXPECT_EQ(window.Panels[ClockPanel]->text(), QStringLiteral("Paused "));
    window.Pause1->trigger();
    EXPECT_FALSE(window.Paused());
    EXPECT_TRUE(window.PauseLabels().empty());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_TRUE(window.Table().Tableau[1]->Visible());
    EXPECT_TRUE(window.Table().Tableau[6]->TopCard()->Visible());
    fixture.now = fixture.now.addSecs(5);
    window.TimeTimerTimer();
    EXPECT_EQ(window.ElapsedMilliseconds(), 35000);
    EXPECT_EQ(window.Panels[ClockPanel]->text(), QStringLiteral("0:00:35  "));

    // A win recorded now lasted 35 seconds, not ten minutes more.
    FinishedGame game;
    game.GameId = GameIds::Klondike;
    game.Won = true;
    game.StartTime = window.Board1->StartTime();
    game.EndTime = fixture.now;
    window.RecordWinAndShowWonDialog(game, QStringLiteral("Klondike"));
    EXPECT_NEAR(fixture.wonDuration * 86400.0, 35.0, 0.01);
}

TEST(MainWindow, StuckPanelAndScorePanel)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    window.RefreshStatus();
    EXPECT_EQ(window.Panels[ScorePanel]->width(), 0) << "no score yet";
    fixture.DealKlondike();
    EXPECT_EQ(window.Panels[ScorePanel]->text(), QStringLiteral("Score: $-52"));
    EXPECT_GT(window.Panels[ScorePanel]->maximumWidth(), 0);
    SetYouAreStuck(window.Table(), true);
    EXPECT_EQ(window.Panels[TipPanel]->text(), QStringLiteral(" You Are Stuck"));
    // Drawn white on navy.
    window.Panels[TipPanel]->resize(200, 20);
    const QImage picture = window.Panels[TipPanel]->grab().toImage();
    EXPECT_EQ(QColor(picture.pixel(150, 3)), QColor(0, 0, 128));
    EXPECT_EQ(window.Panels[PlayerPanel]->text(), QStringLiteral("Player: Default"));
}

TEST(MainWindow, ShowNextMoveShowsTheMovesOneAfterTheOtherAndMovesNothing)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    fixture.DealKlondike();
    clickStock(window);
    TBoard *board = window.Board1;
    const int journal = int(board->Journal().size());
    QList<TCard *> shown;
    fixture.onWait = [&](int milliseconds) {
        // The first wait of each hint shows the card to move.
        if (milliseconds != 350 || fixture.waits.size() != 1)
            return;
        for (const auto &card : board->Cards())
            if (card->Selected()) {
                shown << card.get();
                break;
            }
    };
    const int count = [&] {
        TCard *card = nullptr;
        TDeck *deck = nullptr;
        board->ResetHintList();
        board->FindMove(card, deck, false);
        board->Candidates.Current = 0;
        return board->Candidates.Count;
    }();
    ASSERT_GE(count, 2);
    for (int step = 0; step < count + 1; ++step) {
        fixture.waits.clear();
        window.ShowNextMove1->setEnabled(true);
        window.ShowNextMove1->trigger();
        ASSERT_GE(fixture.waits.size(), 3);
        EXPECT_EQ(fixture.waits.mid(0, 2), (QList<int>{350, 100}));
        EXPECT_TRUE(fixture.waits[2] == 250 || fixture.waits.mid(2) == (QList<int>{350, 200, 300}));
    }
    ASSERT_EQ(shown.size(), count + 1);
    // The shown cards follow the candidate list and start again after the last.
    for (int step = 0; step < count; ++step)
        EXPECT_EQ(shown[step], board->Candidates.Entries[std::size_t(step + 1)].Card);
    EXPECT_EQ(shown[count], shown[0]);
    EXPECT_EQ(int(board->Journal().size()), journal);
    for (const auto &card : board->Cards())
        EXPECT_FALSE(card->Selected());
}

TEST(MainWindow, ClockOffersShowNextMoveOnceAMoveExists)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    fixture.DealKlondike();
    clickStock(window);
    window.ShowNextMove1->setEnabled(false);
    window.TimeTimerTimer();
    EXPECT_TRUE(window.ShowNextMove1->isEnabled());
    EXPECT_EQ(window.Board1->Candidates.Current, 0) << "looking does not step the list";
    EXPECT_TRUE(window.TimeTimer->isActive());
}

TEST(MainWindow, AutoplayIsRememberedForTheGameOnly)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    fixture.DealKlondike();
    ASSERT_TRUE(window.Autoplay1->isChecked());
    window.Autoplay1->trigger();
    EXPECT_FALSE(window.Table().Play.AutomaticMoves);
    DataStore &data = fixture.session->Data();
    EXPECT_FALSE(data.windowRecords.record(GameIds::Klondike)->autoplayOn());
    EXPECT_TRUE(data.windowRecords.record(GameIds::FreeCell)->autoplayOn());
    window.Autoplay1->trigger();
    EXPECT_TRUE(data.windowRecords.record(GameIds::Klondike)->autoplayOn());
}

TEST(MainWindow, StoredPlacementIsKeptWithinTheAvailableArea)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    window.setWindowState(Qt::WindowNoState);
    DataStore &data = fixture.session->Data();
    data.settings.Cards.SaveWindowPosition = true;
    GameWindowRecord *record = data.windowRecords.record(GameIds::Klondike);
    record->Left = 5000;
    record->Top = -300;
    record->Width = 600;
    record->Height = 3000;
    window.ApplyGameSettings(GameIds::Klondike);
    // The record holds the outer size, frame included.
    const QRect area = fixture.display.workArea();
    EXPECT_EQ(window.frameGeometry().height(), area.height());
    EXPECT_EQ(window.frameGeometry().width(), 600);
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(area.right() + 1 - 600, 0));
}

TEST(MainWindow, ExitAsksAndTheCloseSequenceWritesEveryFile)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    fixture.DealKlondike();
    clickStock(window);
    const QString ini = fixture.locations.settingsFile();
    const QString goptions = fixture.locations.dataFile(QStringLiteral("goptions.dat"));
    const QString stats = fixture.locations.dataFile(QStringLiteral("qelstat.dat"));
    const QString log = fixture.locations.dataFile(QStringLiteral("qellog.dat"));
    QFile::remove(stats);

    fixture.confirmAnswer = {false, false};
    fixture.questions.clear();
    window.Exit_MI->trigger();
    EXPECT_EQ(fixture.questions, QStringList{QStringLiteral("Tarnwick: Do you want to exit Tarnwick?")});
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.Saved());
    EXPECT_FALSE(QFile::exists(goptions));

    fixture.confirmAnswer = {true, true};
    window.Exit_MI->trigger();
    EXPECT_TRUE(window.Saved());
    EXPECT_TRUE(window.SaveFailures().isEmpty()) << window.SaveFailures().join(u'\n').toStdString();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(QFile(goptions).size(), 5014);
    EXPECT_TRUE(QFile::exists(stats));
    // The started game was counted and logged as not won.
    EXPECT_GT(QFile(log).size(), 0);
    QSettings settings(ini, QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("Cards/Game")).toInt(), GameIds::Klondike);
    EXPECT_EQ(settings.value(QStringLiteral("Cards/Confirm_On_Exit")).toInt(), 0) << "the box was ticked";
}

TEST(MainWindow, TerminationClosesWithoutAskingAndSaves)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    window.show();
    fixture.questions.clear();
    window.CloseWithoutConfirmation();
    EXPECT_TRUE(fixture.questions.isEmpty());
    EXPECT_TRUE(window.Saved());
    EXPECT_TRUE(QFile::exists(fixture.locations.settingsFile()));
}

TEST(MainWindow, CreatingTheWindowReadsTheStoredGameAndMakesTheCardsOnce)
{
    MainWindowFixture fixture(false);
    {
        QSettings settings(fixture.locations.settingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Cards/Game"), GameIds::FreeCell);
        settings.setValue(QStringLiteral("Cards/u"), 41);
    }
    TMain_F &window = fixture.Create();
    EXPECT_EQ(window.CurrentGameId(), GameIds::FreeCell);
    EXPECT_EQ(fixture.session->Data().settings.Cards.u, 42);
    EXPECT_EQ(window.Board1->Cards().size(), 208u);
    fixture.DealKlondike();
    fixture.DealKlondike(9);
    EXPECT_EQ(window.Board1->Cards().size(), 208u);
}

TEST(MainWindow, DraggingBeyondTheVisibleAreaScrollsTheTable)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    window.Board1->SpreadCards = false; // the layout keeps its size in a small window
    fixture.DealKlondike();
    engineState().Options.CardMovement = DragAndClick;
    QApplication::processEvents();
    window.resize(700, 260);
    QApplication::processEvents();
    window.ScrollBox1->SetTableExtent(window.Board1->TableRight(), window.Board1->TableBottom());
    QScrollBar *vertical = window.ScrollBox1->verticalScrollBar();
    ASSERT_GT(vertical->maximum(), 0) << "the table reaches below the window";

    // Pick up the top card of the first column.
    TCard *card = window.Table().Tableau[1]->TopCard();
    const QPoint grab = card->BoundsRect().center();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, window.Board1->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(window.Board1, &event);
    };
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(12, 12), Qt::LeftButton);
    ASSERT_TRUE(window.Board1->IsDragging());

    QWidget *view = window.ScrollBox1->viewport();
    fixture.cursor = view->mapToGlobal(QPoint(60, view->height() + 30));
    send(QEvent::MouseMove, window.Board1->mapFromGlobal(*fixture.cursor), Qt::LeftButton);
    EXPECT_TRUE(window.ScrollingTimer->isActive());
    window.ScrollingTimerTimer();
    EXPECT_EQ(vertical->value(), vertical->singleStep());
    window.ScrollingTimerTimer();
    EXPECT_EQ(vertical->value(), std::min(vertical->maximum(), 2 * vertical->singleStep()));
    EXPECT_TRUE(window.Board1->IsDragging());

    // Back inside the box the scrolling stops.
    fixture.cursor = view->mapToGlobal(QPoint(60, 40));
    window.ScrollingTimerTimer();
    EXPECT_FALSE(window.ScrollingTimer->isActive());
    send(QEvent::MouseButtonRelease, window.Board1->mapFromGlobal(*fixture.cursor), Qt::NoButton);
    EXPECT_FALSE(window.Board1->IsDragging());
}
