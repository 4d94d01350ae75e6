// The main window's menus: the items with their captions, keys and hints, the hidden items
// whose keys still act, the item-state refresh and the keys the window handles itself.
#include "app/Mainform.h"

#include "app/game_dlg.h"
#include "app/game_session.h"
#include "app/program_session.h"
#include "app/toolbar.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_table.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

// Games whose demonstration is never offered.
bool demoRefused(int gameId)
{
    return gameId == 63 || gameId == 178 || gameId == 193 || gameId == 271;
}

} // namespace

QAction *TMain_F::addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &key,
                          const QString &hint, int helpContext, bool shown, void (TMain_F::*run)())
{
    auto *item = new QAction(caption, this);
    item->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        item->setShortcut(key);
    // The window runs the keys itself (after the item-state refresh), so Qt's own shortcut
    // handling never sees them.
    item->setShortcutContext(Qt::WidgetShortcut);
    item->setStatusTip(hint);
    item->setProperty("HelpContext", helpContext);
    if (run)
        connect(item, &QAction::triggered, this, [this, run] { (this->*run)(); });
    menuItems.push_back(item);
    homeMenu[item] = menu;
    addAction(item);
    if (shown && menu)
        menu->addAction(item);
    return item;
}

bool TMain_F::ItemShown(const QAction *item) const
{
    const auto home = homeMenu.find(const_cast<QAction *>(item));
    if (home == homeMenu.end() || !home->second || !item->isVisible())
        return false;
    if (!home->second->actions().contains(const_cast<QAction *>(item)))
        return false;
    // A hidden menu hides its items.
    const QAction *menuAction = home->second->menuAction();
    return menuBar()->actions().contains(const_cast<QAction *>(menuAction)) || home->second == RecentlyPlayedGames;
}

void TMain_F::setItemShown(QAction *item, bool shown)
{
    QMenu *menu = homeMenu[item];
    if (!menu || menu->actions().contains(item) == shown)
        return;
    if (!shown) {
        const QList<QAction *> items = menu->actions();
        const qsizetype at = items.indexOf(item);
        itemFollowing[item] = at + 1 < items.size() ? items[at + 1] : nullptr;
        menu->removeAction(item);
    } else {
        QAction *before = itemFollowing[item];
        menu->insertAction(before && menu->actions().contains(before) ? before : nullptr, item);
    }
    // The toolbar's Autoplay is offered while its item is shown.
    if (Toolbar2)
        Toolbar2->FollowItems(ItemShown(Autoplay1));
}

void TMain_F::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto topMenu = [this, bar](const char *name, const QString &caption, bool shown) {
        auto *menu = new QMenu(caption, this);
        menu->setObjectName(QString::fromLatin1(name));
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        if (shown)
            bar->addMenu(menu);
        connect(menu, &QMenu::aboutToShow, this, &TMain_F::RefreshItemStates);
        return menu;
    };

    Game1 = topMenu("Game1", QStringLiteral("&Game"), true);
    Deal_MI = addItem(Game1, "Deal_MI", QStringLiteral("&New Game"), QKeySequence(Qt::Key_F2),
                      QStringLiteral("Start a new game"), 12, true, &TMain_F::Deal_MIClick);
    Replay1 = addItem(Game1, "Replay1", QStringLiteral("&Restart Game"), {}, QStringLiteral("Restart the current game"),
                      13, true, &TMain_F::Replay1Click);
    SelectShuffle1 = addItem(Game1, "SelectShuffle1", QStringLiteral("Select Shu&ffle"), {},
                             QStringLiteral("Select a shuffle number"), 10, true, &TMain_F::SelectShuffle1Click);
    Game1->addSeparator();
    Game_MI = addItem(Game1, "Game_MI", QStringLiteral("&Select Solitaire..."), QKeySequence(Qt::CTRL | Qt::Key_F2),
                      QStringLiteral("Select a new solitaire variation to play"), 14, true, &TMain_F::Game_MIClick);
    OpenGame1 = addItem(Game1, "OpenGame1", QStringLiteral("&Open Game..."), {}, QStringLiteral("Open a saved game"),
                        20, true, &TMain_F::OpenGame1Click);
    SaveGame1 = addItem(Game1, "SaveGame1", QStringLiteral("Sa&ve Game"), QKeySequence(Qt::CTRL | Qt::Key_S),
                        QStringLiteral("Save the current game"), 20, true, &TMain_F::SaveGame1Click);
    SaveAs1 = addItem(Game1, "SaveAs1", QStringLiteral("Save &As..."), {},
                      QStringLiteral("Save the current game under a new name"), 20, true, &TMain_F::SaveAs1Click);
    Game1->addSeparator();
    AddtoFavorites1 = addItem(Game1, "AddtoFavorites1", QStringLiteral("Add to &Favorites"),
                              QKeySequence(Qt::CTRL | Qt::Key_F), QStringLiteral("Add the current game to favorites"),
                              0, true, &TMain_F::AddtoFavorites1Click);
    RecentlyPlayedGames = new QMenu(QStringLiteral("Recently Played &Games"), this);
    RecentlyPlayedGames->setObjectName(QStringLiteral("RecentlyPlayedGames"));
    RecentlyPlayedGames->menuAction()->setObjectName(QStringLiteral("RecentlyPlayedGames"));
    Game1->addMenu(RecentlyPlayedGames);
    connect(RecentlyPlayedGames, &QMenu::aboutToShow, this, &TMain_F::refreshRecentGames);
    for (int index = 0; index < int(RecentItems.size()); ++index) {
        auto *item = new QAction(this);
        item->setObjectName(QStringLiteral("Item%1").arg(index + 1));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, index] { chooseRecentGame(index); });
        RecentlyPlayedGames->addAction(item);
        RecentItems[std::size_t(index)] = item;
    }
    RandomGame1 = addItem(Game1, "RandomGame1", QStringLiteral("Rando&m Game"), QKeySequence(Qt::SHIFT | Qt::Key_F2),
                          QStringLiteral("Play a game chosen at random"), 58, false, &TMain_F::RandomGame1Click);
    Statistics1 = addItem(Game1, "Statistics1", QStringLiteral("S&tatistics..."), {},
                          QStringLiteral("Show the statistics"), 0, false, &TMain_F::NoEffect);
    Game1->addSeparator();
    Exit_MI = addItem(Game1, "Exit_MI", QStringLiteral("&Exit"), {}, QStringLiteral("Exit Tarnwick"), 0,
                      true, &TMain_F::Exit_MIClick);

    Play = topMenu("Play", QStringLiteral("&Play"), true);
    NewUndo1 = addItem(Play, "NewUndo1", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                       QStringLiteral("Undo the last move"), 17, true, &TMain_F::NewUndo1Click);
    NewRedo1 = addItem(Play, "NewRedo1", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_R),
                       QStringLiteral("Replay the move you have undone"), 18, true, &TMain_F::NewRedo1Click);
    // The desktop's usual Redo keys work as well; the menu shows the first.
    NewRedo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_R), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                            QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Play->addSeparator();
    Pause1 = addItem(Play, "Pause1", QStringLiteral("Pause"), QKeySequence(Qt::CTRL | Qt::Key_P),
                     QStringLiteral("Pause the game. Click on the screen to start the game again. "), 21, true,
                     &TMain_F::Pause1Click);
    ShowNextMove1 = addItem(Play, "ShowNextMove1", QStringLiteral("Show Next &Move"), QKeySequence(Qt::CTRL | Qt::Key_M),
                            QStringLiteral("Check available moves"), 25, true, &TMain_F::ShowNextMove1Click);
    Autoplay1 = addItem(Play, "Autoplay1", QStringLiteral("&Autoplay"), QKeySequence(Qt::CTRL | Qt::Key_A),
                        QStringLiteral("Move cards to the foundations automatically"), 15, true,
                        &TMain_F::Autoplay1Click);
    Autoplay1->setCheckable(true);
    Sound1 = addItem(Play, "Sound1", QStringLiteral("Play Sound "), QKeySequence(Qt::Key_F5),
                     QStringLiteral("Switch all sounds on or off"), 0, false, &TMain_F::Sound1Click);
    Sound1->setCheckable(true);
    Play->addSeparator();
    Make1 = addItem(Play, "Make1", QStringLiteral("&Create Snapshot"), QKeySequence(Qt::CTRL | Qt::Key_C),
                    QStringLiteral("Remember the current position"), 56, true, &TMain_F::Make1Click);
    Restore1 = addItem(Play, "Restore1", QStringLiteral("Re&store Snapshot"), QKeySequence(Qt::CTRL | Qt::Key_N),
                       QStringLiteral("Go back to the remembered position"), 57, true, &TMain_F::Restore1Click);
    RunDemo1 = addItem(Play, "RunDemo1", QStringLiteral("Run &Demo"), QKeySequence(Qt::CTRL | Qt::Key_D),
                       QStringLiteral("Watch the computer play"), 1030, true, &TMain_F::RunDemo1Click);

    View = topMenu("View", QStringLiteral("&View"), true);
    miStatistics = addItem(View, "miStatistics", QStringLiteral("&Statistics..."), QKeySequence(Qt::Key_F3),
                           QStringLiteral("Show the statistics"), 16, true, &TMain_F::miStatisticsClick);
    miLog = addItem(View, "miLog", QStringLiteral("&Log..."), QKeySequence(Qt::Key_F4),
                    QStringLiteral("Show the game log"), 1007, true, &TMain_F::miLogClick);
    miHiScores = addItem(View, "miHiScores", QStringLiteral("&Hi-Scores..."), QKeySequence(Qt::Key_F6),
                         QStringLiteral("Show the high scores"), 1016, true, &TMain_F::miHiScoresClick);
    miScoreHistory = addItem(View, "miScoreHistory", QStringLiteral("S&core History..."), QKeySequence(Qt::Key_F7),
                             QStringLiteral("Show the score history"), 1009, true, &TMain_F::miScoreHistoryClick);

    Options2 = topMenu("Options2", QStringLiteral("&Options"), true);
    Options3 = addItem(Options2, "Options3", QStringLiteral("&Options..."), QKeySequence(Qt::CTRL | Qt::Key_T),
                       QStringLiteral("Customize Tarnwick"), 3, true, &TMain_F::Options3Click);
    Deck1_MI = addItem(Options2, "Deck1_MI", QStringLiteral("&Deck..."), {}, QStringLiteral("Choose the cards"), 3,
                       false, &TMain_F::NoEffect);
    miCustomizeRules = addItem(Options2, "miCustomizeRules", QStringLiteral("&Modify Rules..."),
                               QKeySequence(Qt::CTRL | Qt::Key_U), QStringLiteral("Modify the rules of the game"), 1032,
                               true, &TMain_F::CustomizeRulesClick);
    Options2->addSeparator();
    ToolBarMenu = addItem(Options2, "ToolBarMenu", QStringLiteral("&Toolbar"), {}, QStringLiteral("Show/Hide Toolbar"),
                          0, true, &TMain_F::ToolBarMenuClick);
    ToolBarMenu->setCheckable(true);
    StatusBarMenu = addItem(Options2, "StatusBarMenu", QStringLiteral("&Status Bar"), {},
                            QStringLiteral("Show/Hide Statusbar"), 0, true, &TMain_F::StatusBarMenuClick);
    StatusBarMenu->setCheckable(true);
    IncreaseCardSize2 = addItem(Options2, "IncreaseCardSize2", QStringLiteral("Increase CardSize"),
                                QKeySequence(Qt::CTRL | Qt::Key_Semicolon), QStringLiteral("Larger cards"), 0, false,
                                &TMain_F::IncreaseCardSize2Click);
    DecreaseCardSize1 = addItem(Options2, "DecreaseCardSize1", QStringLiteral("Decrease CardSize"),
                                QKeySequence(Qt::CTRL | Qt::Key_Period), QStringLiteral("Smaller cards"), 0, false,
                                &TMain_F::DecreaseCardSize1Click);

    Help1 = topMenu("Help1", QStringLiteral("&Help"), true);
    Contents_MI = addItem(Help1, "Contents_MI", QStringLiteral("&Contents..."), {},
                          QStringLiteral("Show the help contents"), 1, true, &TMain_F::Contents_MIClick);
    GameHelp1 = addItem(Help1, "GameHelp1", QStringLiteral(" Help"), QKeySequence(Qt::Key_F1),
                        QStringLiteral("Display the rules for current solitaire variation"), 0, true,
                        &TMain_F::GameHelp1Click);
    HelpMenuItem = addItem(Help1, "HelpMenuItem", QStringLiteral("&Quick Start"), {},
                           QStringLiteral("Brings up the Quick Start instructions"), 22, true,
                           &TMain_F::HelpMenuItemClick);
    miTipOfTheDay = addItem(Help1, "miTipOfTheDay", QStringLiteral("&Tip of the Day"), {},
                            QStringLiteral("Show a tip"), 0, true, &TMain_F::ShowTipOfTheDay);
    HowTo1 = addItem(Help1, "HowTo1", QStringLiteral("&How To..."), {}, QStringLiteral("How to play"), 3402, true,
                     &TMain_F::HowTo1Click);
    Help1->addSeparator();
    About1 = addItem(Help1, "About1", QStringLiteral("&About..."), {}, QStringLiteral("About Tarnwick"), 0, true,
                     &TMain_F::About1Click);
}

void TMain_F::RefreshItemStates()
{
    if (engineState().Busy || Board1->Moving)
        return;
    writeItemStates();
}

void TMain_F::writeItemStates()
{
    const bool started = Board1->GameStarted() == 1;
    Deal_MI->setEnabled(!session->Busy() && !replaying);
    Replay1->setEnabled(session->CanRestart() && !replaying);
    // Saving and snapshots need a started game that is not being dealt, won or replayed;
    // "Sa&ve Game" a file of the player's own to save to.
    const bool savable = gameSavable() && !replaying;
    SaveAs1->setEnabled(savable);
    SaveGame1->setEnabled(savable && !savedGamePath.isEmpty() && savedGamePath != AutoSavePath());
    Make1->setEnabled(savable);
    Restore1->setEnabled(savable && snapshotTaken);
    OpenGame1->setEnabled(!session->Busy() && !replaying);
    NewUndo1->setEnabled(UndoAllowed());
    NewRedo1->setEnabled(RedoAllowed());
    Pause1->setEnabled(pauseAvailable());
    ShowNextMove1->setEnabled(started && moveOffered);
    IncreaseCardSize2->setEnabled(!resizingCards);
    DecreaseCardSize1->setEnabled(!resizingCards);
    const bool anyRecent = !gameDialog->Groups.RecentlyPlayed().isEmpty();
    RecentlyPlayedGames->setEnabled(anyRecent);
    RecentlyPlayedGames->menuAction()->setEnabled(anyRecent);
    const int gameId = CurrentGameId();
    RunDemo1->setEnabled(!demoRefused(gameId));
    miCustomizeRules->setEnabled(IsCustomGameId(gameId) || MayBeCustomised(gameId));
    // The tips need their file.
    setItemShown(miTipOfTheDay, TipsAvailable());
    // The toolbar's buttons follow their items.
    if (Toolbar2)
        Toolbar2->FollowItems(ItemShown(Autoplay1));
}

bool TMain_F::pauseAvailable() const
{
    return Board1->GameStarted() == 1;
}

bool TMain_F::journalWalkable() const
{
    // Not while a deal is being built, nor the journal of a won game (kept for its copy).
    return !session->Busy() && !session->WonSequenceRunning();
}

bool TMain_F::UndoAllowed() const
{
    if (!journalWalkable())
        return false;
    switch (program.Data().settings.Cards.UndoOption) {
    case 1:
        // The one-step flags, and something to take back.
        return Board1->LastWasMove && Board1->JournalPos >= 0;
    case 2:
        return Board1->JournalPos >= 0;
    default:
        return false;
    }
}

bool TMain_F::RedoAllowed() const
{
    if (!journalWalkable())
        return false;
    switch (program.Data().settings.Cards.UndoOption) {
    case 1:
        return Board1->LastWasUndo && Board1->JournalPos < int(Board1->Journal().size()) - 1;
    case 2:
        return Board1->JournalPos < int(Board1->Journal().size()) - 1;
    default:
        return false;
    }
}

void TMain_F::refreshRecentGames()
{
    for (QAction *item : RecentItems)
        item->setVisible(false);
    const QList<int> &recent = gameDialog->Groups.RecentlyPlayed();
    for (int index = 0; index < recent.size() && index < int(RecentItems.size()); ++index) {
        QAction *item = RecentItems[std::size_t(index)];
        item->setText(GameName(recent[index], table->Customs));
        item->setData(recent[index]);
        item->setVisible(true);
    }
}

void TMain_F::chooseRecentGame(int index)
{
    const QVariant id = RecentItems[std::size_t(index)]->data();
    if (!id.isValid())
        return;
    table->PreviousGameId = table->CurrentGameId;
    table->CurrentGameId = id.toInt();
    ApplyGameSettings(table->CurrentGameId);
    ResetScrollBars();
    session->NewGame();
}

QAction *TMain_F::itemForKey(const QKeyEvent *event) const
{
    const int key = event->key();
    if (key == 0 || key == Qt::Key_unknown || key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt
        || key == Qt::Key_Meta)
        return nullptr;
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const QKeySequence pressed(QKeyCombination(modifiers, Qt::Key(key)));
    for (QAction *item : menuItems)
        if (item->shortcuts().contains(pressed))
            return item;
    return nullptr;
}

bool TMain_F::handleShortcut(QKeyEvent *event)
{
    QAction *item = itemForKey(event);
    if (!item)
        return false;
    // Hidden items answer their keys too; a disabled item takes the key and does nothing.
    RefreshItemStates();
    if (item->isEnabled())
        item->trigger();
    return true;
}

// --- commands of the Game and Options menus ---

void TMain_F::Deal_MIClick()
{
    session->NewGame();
}

void TMain_F::Replay1Click()
{
    session->RestartGame();
}

void TMain_F::SelectShuffle1Click()
{
    session->SelectShuffle();
}

void TMain_F::Game_MIClick()
{
    SelectSolitaire();
}

void TMain_F::RandomGame1Click()
{
    session->RandomGame();
}

void TMain_F::AddtoFavorites1Click()
{
    gameDialog->Groups.AddToFavorites(CurrentGameId());
}
