#pragma once

#include "app/shell_window.h"
#include "app/game_host.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class CardAppearance;
class CardChooser;
class CustomVariants;
class DemoMode;
class GameStatusIndicator;
class WinnableDeals;
class GameGroups;
struct GameWindowRecord;
struct StartSteps;
struct CloseSteps;
class EmptyColumnChooser;
class GameDeals;
class GamePictureMaker;
class GameSession;
class GameTable;
class HelpWindow;
class MainToolbar;
class PlayerShortcuts;
class ProgramSession;
class QAction;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;
class SoundPlayer;
class TBoard;
class TBoardScrollBox;
class TableBackground;
class TGameDlg;
class TOptions;
struct OptionsContext;
struct WonFigures;
struct GameResult;
struct StatisticsContext;
struct StatisticsOutcome;
class TWinDlg;
class QDialog;

// Texts of the main window.
namespace MainText {
inline constexpr char ConfirmExit[] = "Do you want to exit Tarnwick?";
inline constexpr char YouAreStuck[] = " You Are Stuck";
inline constexpr char Paused[] = "Paused ";
inline constexpr char GamePaused[] = "Game Paused";
inline constexpr char DontShowAgain[] = "Don't show this message again";
inline constexpr char EmptyTable[] = "Press F2 to deal a new game, or Ctrl+F2 to choose another";
} // namespace MainText

// The outside effects of the main window: message boxes, the won dialog, the pauses of the
// hint and the won sequence, the cursor. Tests replace them with instant answers.
struct MainFormPrompts {
    // A confirmation box with "Don't show this message again".
    std::function<Confirmation(const QString &text, const QString &caption)> confirm;
    std::function<void(const QString &text)> inform;
    std::function<void(const QString &text)> warn;
    // The won dialog over the shower of cards.
    std::function<WonChoice(const QString &gameName, const WonFigures &figures)> wonDialog;
    // Waits on the main thread with user input held back.
    std::function<void(int milliseconds)> wait;
    // The cursor in global coordinates.
    std::function<QPoint()> cursorPosition;
    // The file dialog of saved games (save or open), starting at a file or folder; empty
    // when cancelled.
    std::function<QString(bool save, const QString &start)> chooseSavedGame;
};

// The status bar's five panels, left to right.
enum StatusPanel { PlayerPanel = 0, RedealsPanel = 1, ScorePanel = 2, TipPanel = 3, ClockPanel = 4 };

// `TMain_F`: the program's one main window. It owns the table in its scroll box and the
// game on it, carries the menus, the status bar and the timers, routes every command to
// the code that does the work, keeps the window placement per game, pauses the game when
// the window is left, and loads and saves the player's data around its own life.
class TMain_F : public QMainWindow, public GameHost, public ShellWindow {
    Q_OBJECT
public:
    // Loads the settings, window records and statistics of the session (in that order)
    // and creates the 208 cards. deals: the games this program deals (not owned).
    TMain_F(ProgramSession &session, const GameDeals &deals, MainFormPrompts prompts = {},
            QWidget *parent = nullptr);
    ~TMain_F() override;

    // --- components, named as the menus and timers are known ---
    TBoardScrollBox *ScrollBox1 = nullptr;
    TBoard *Board1 = nullptr;
    QLabel *Panels[5] = {};
    QTimer *TimeTimer = nullptr;
    QTimer *ScrollingTimer = nullptr;
    QTimer *ToolBarTimer = nullptr;
    QTimer &redeal_timer() const;
    QTimer &WinTimer() const;
    QSystemTrayIcon *TrayIcon() const { return trayIcon; }

    QMenu *Game1 = nullptr, *Play = nullptr, *View = nullptr, *Options2 = nullptr, *Help1 = nullptr;
    QMenu *RecentlyPlayedGames = nullptr;
    QAction *Deal_MI = nullptr, *Replay1 = nullptr, *SelectShuffle1 = nullptr, *Game_MI = nullptr;
    QAction *OpenGame1 = nullptr, *SaveGame1 = nullptr, *SaveAs1 = nullptr, *AddtoFavorites1 = nullptr;
    QAction *RandomGame1 = nullptr, *Statistics1 = nullptr, *Exit_MI = nullptr;
    QAction *NewUndo1 = nullptr, *NewRedo1 = nullptr, *Pause1 = nullptr, *ShowNextMove1 = nullptr;
    QAction *Autoplay1 = nullptr, *Sound1 = nullptr, *Make1 = nullptr, *Restore1 = nullptr, *RunDemo1 = nullptr;
    QAction *miStatistics = nullptr, *miLog = nullptr, *miHiScores = nullptr, *miScoreHistory = nullptr;
    QAction *Options3 = nullptr, *Deck1_MI = nullptr, *miCustomizeRules = nullptr;
    QAction *ToolBarMenu = nullptr, *StatusBarMenu = nullptr;
    QAction *IncreaseCardSize2 = nullptr, *DecreaseCardSize1 = nullptr;
    QAction *Contents_MI = nullptr, *GameHelp1 = nullptr, *HelpMenuItem = nullptr, *miTipOfTheDay = nullptr;
    QAction *HowTo1 = nullptr, *About1 = nullptr;
    std::array<QAction *, 15> RecentItems{}; // Item1 .. Item15

    // Every menu item the window owns, shown or hidden, in menu order.
    const std::vector<QAction *> &MenuItems() const { return menuItems; }
    // Whether an item is in its menu (hidden items are in none, but their keys act).
    bool ItemShown(const QAction *item) const;

    GameSession &Session() const { return *session; }
    GameTable &Table() const { return *table; }
    TGameDlg *GameDialog() const { return gameDialog.get(); }
    ProgramSession &Program() const { return program; }
    MainFormPrompts &Prompts() { return prompts; }
    // The window a message box belongs to: the open modal dialog, else this window.
    QWidget *MessageOwner();

    // --- item states ---
    // The refresh that runs when a top-level menu opens and before a key runs a command
    // (not while cards are moving). The items are kept up to date as well whenever the state
    // they follow changes (writeItemStates).
    void RefreshItemStates();
    // Whether the undo mode lets Undo (and Redo) act now.
    bool UndoAllowed() const;
    bool RedoAllowed() const;

    // --- play commands ---
    void ShowNextMove1Click();
    void NewUndo1Click();
    void NewRedo1Click();
    void Autoplay1Click();
    void Pause1Click();
    bool Paused() const { return paused; }
    // The labels shown over the hidden table while paused.
    const std::vector<QLabel *> &PauseLabels() const { return pauseLabels; }
    // The elapsed time of the game without its pauses, as the clock panel shows it.
    qint64 ElapsedMilliseconds() const;
    void TimeTimerTimer();
    void ScrollingTimerTimer();
    void Sound1Click();
    void Exit_MIClick();

    // --- saved games and snapshots ---
    void OpenGame1Click();
    void SaveGame1Click();
    void SaveAs1Click();
    void Make1Click();
    void Restore1Click();
    // Writes the game on the table (a replay copy starts from its first move); false when the
    // file could not be written, which leaves the old file as it was.
    bool SaveGame(const QString &path, bool replay);
    // Deals the saved game's shuffle and replays its journal up to the saved position. A file
    // that cannot be replayed gives "Cannot open saved game." and a fresh game.
    bool LoadGame(const QString &path);
    // A file a second start of the program was given: asks before a game in progress goes.
    void OpenHandedOverGame(const QString &path);
    // The file last saved or opened (empty when none); the automatic save's path after close.
    QString SavedGamePath() const { return savedGamePath; }
    QString AutoSavePath() const;

    // --- window placement ---
    // Applies the stored placement (clamped into the available screen area), the
    // autoplay state and the help caption of a game.
    void ApplyGameSettings(int gameId) override;
    QRect AvailableArea() const;
    // What the window's frame adds to its client size (nothing until the frame is known).
    QSize FrameExtra() const;
    // The table's area changed (a resize, maximise or restore, a bar shown or hidden): the
    // cards follow it when they scale with the window, and the table is fitted again.
    void TableAreaChanged();
    CardAppearance &Appearance() const { return *appearance; }
    TableBackground &Background() const { return *background; }
    // The line the empty table shows when no game is dealt.
    QLabel *EmptyTableNote() const { return emptyTableNote; }

    // --- status bar ---
    void RefreshStatus() override;

    // Minimise (to the tray where there is one and the player asked for it) and restore.
    void MinimizeWindow();
    void RestoreWindow();

    // GameHost
    Confirmation Confirm(const QString &text, const QString &caption) override;
    bool ConfirmNewGame() const override;
    void SetConfirmNewGame(bool value) override;
    bool ShowStuckMessage() const override;
    bool AutoplayOff(int gameId) const override;
    std::optional<quint32> AskShuffleNumber(const QStringList &recentNumbers) override;
    void SetCaption(const QString &caption) override;
    void ShowAutoplay(bool shown, bool checked) override;
    void StoreWindowPlacement(int gameId) override;
    void AddToRecentlyPlayed(int gameId) override;
    void SetBusyCursor(bool busy) override;
    void FitWindowToTable() override;
    void AdaptCardPictures() override;
    void ResetScrollBars() override;
    bool IsPaused() const override { return paused; }
    void Resume() override;
    void PlayNewGameSound() override;
    void PlayWinSound() override;
    void ForgetSavedGame() override;
    void SaveWonGame() override;
    void RecordNotWon(const FinishedGame &game) override;
    void Wait(int milliseconds) override;
    void FlashWindow() override;
    void ShowWonBackground(bool shown) override;
    WonChoice RecordWinAndShowWonDialog(const FinishedGame &game, const QString &gameName) override;
    void SelectGame() override { SelectSolitaire(); }

    // ShellWindow
    QWidget *Window() override { return this; }
    void BringToFront() override;
    void CloseWithoutConfirmation() override;
    void SelectSolitaire() override;
    void ApplyCommandLine() override;
    // GameDlgHost
    int CurrentGameId() const override;
    bool AutoplayOn(int gameId) const override;
    void SetAutoplayOn(int gameId, bool on) override;
    void ShowRules(int gameId) override;
    void ShowHelpTopic(int topic) override;
    bool ConfirmOnDeleteGame() const override;
    void SetConfirmOnDeleteGame(bool on) override;
    QStringList PlayerNames() const override;
    int CurrentPlayer() const override;
    void ChoosePlayer(int index) override;
    const CustomGameSource *CustomGames() const override;
    int CustomGameCount() const override;
    bool DeleteCustomGame(int gameId) override;

    // The player's custom variants, loaded at start and saved at close.
    CustomVariants &Variants() const { return *variants; }
    // "Customize Rules" for the current game; OK lists the new variant, selected, in the
    // game selection dialog, which then opens.
    void CustomizeRulesClick();
    // The rules window of a variant; the built-in rules page for any other game.
    void GameHelp1Click();
    // Opens the rules editor: tests answer it at once.
    std::function<void(class TCustomRulesForm &form)> RunRulesForm;
    std::function<void(class TCustomHelp &window)> RunRulesWindow;
    // What the statistics windows work on; RunStatisticsWindow runs them (exec unless replaced).
    StatisticsContext StatisticsFor();
    std::function<int(QDialog &window)> RunStatisticsWindow;

    // The card back maker for a picture file; a back it saves goes on every card. The options
    // dialog's "Add Card Back..." leads here, and so does "--make-back FILE" at start.
    void MakeCardBack(const QString &pictureFile);
    // The card back maker alone: the file it saved, empty when cancelled.
    QString RunCardBackMaker(const QString &pictureFile);

    // "&Options..." (options_commands.cpp): the options dialog over the current state; OK
    // applies every page. Tests answer the dialog at once through RunOptions.
    void Options3Click();
    std::function<int(TOptions &dialog)> RunOptions;

    // The help window (made on first use) and the tip of the day.
    HelpWindow &Help();
    QString TipsFile() const;
    bool TipsAvailable() const;
    void ShowTipOfTheDay();

    // The player list dialog, as a double-click on the player panel or the game selection
    // dialog's player box opens it.
    void EditPlayers() override;
    // Starts playing sounds: through the given player, or the system's audio output when
    // none is given. Called once the window is on screen, since the audio back end is slow
    // to load; until then the window and the table are silent.
    void StartSounds();
    void StartSounds(std::unique_ptr<SoundPlayer> player);
    // The five sound switches all at once ("Play Sound ").
    void SetAllSounds(bool on);
    bool AllSoundsOn() const;

    // --- the toolbar (main_toolbar.cpp) ---
    MainToolbar *Toolbar2 = nullptr;
    // "Customize toolbar": the customisation dialog; OK rebuilds the toolbar.
    void CustomizeToolbar();
    // Makes the toolbar's buttons afresh in the look of the settings ("Large Buttons", "Flat
    // Buttons", "Show Hints", "OldTBStyle", "ToolBar"), with the statistics mode it implies,
    // and gives the menus their pictures ("MenuIcons") and presentation ("MenuXP").
    void RebuildToolbar();
    // The solver in play (solver_aids.cpp): the game status indicator, the demonstration
    // ("Run &Demo") and winnable deals only.
    GameStatusIndicator &StatusIndicator() const { return *statusIndicator; }
    DemoMode &Demo() const { return *demo; }
    WinnableDeals &WinnableOnly() const { return *winnableDeals; }
    void RunDemo1Click();

    // The saved game the command line named (opened once saved games can be loaded).
    QString SavedGameToOpen() const { return savedGameToOpen; }
    // The close sequence ran (settings and data written); its failures, if any.
    bool Saved() const { return saved; }
    const QStringList &SaveFailures() const { return saveFailures; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // Menus (main_menu.cpp).
    void createMenus();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, const QKeySequence &key,
                     const QString &hint, int helpContext, bool shown, void (TMain_F::*run)());
    void setItemShown(QAction *item, bool shown);
    void refreshRecentGames();
    void chooseRecentGame(int index);
    bool handleShortcut(QKeyEvent *event);
    QAction *itemForKey(const QKeyEvent *event) const;
    bool applicationFilter(QObject *watched, QEvent *event);
    bool belongsToWindow(QObject *object) const;

    // Menu commands without a play command of their own.
    void Deal_MIClick();
    void Replay1Click();
    void SelectShuffle1Click();
    void Game_MIClick();
    void RandomGame1Click();
    void AddtoFavorites1Click();
    void ToolBarMenuClick();
    void StatusBarMenuClick();
    void IncreaseCardSize2Click();
    void DecreaseCardSize1Click();
    void stepCardSize(int step);
    void About1Click();
    void Contents_MIClick();
    void HelpMenuItemClick();
    void HowTo1Click();
    void NoEffect() {}
    OptionsContext optionsContext();
    void applyOptions(const TOptions &dialog);

    // The toolbar (main_toolbar.cpp).
    void createToolbar();
    void toolbarPlaceChanged();
    void applyMenuPictures();
    // How far the client area falls short of the table and its margins, in each direction.
    QSize tableRoomShortfall() const;

    // Status bar and window.
    void createStatusBar();
    void showPlayer();
    void layoutPanels();
    void hookTable();
    void applySettingsToTable();
    // Prepares the table background the settings name and makes it the table's painter.
    void applyBackground();
    void paintBackground();
    void fitTable();
    void placeEmptyTableNote();
    void rememberNormalFrame();
    void keepFrameOnScreen();
    void startDragScrolling();
    void runCloseSequence();
    // The placement record of a game: a variant's own, else the built-in record.
    GameWindowRecord *windowRecord(int gameId) const;
    void loadVariantsAndGroups(StartSteps &steps);
    void saveVariantsAndGroups(CloseSteps &steps);
    void showPauseLabels();
    void freePauseLabels();
    void walkJournal(bool back);
    void updateClockPanel();
    bool askExit();
    // A game is started, so Pause can act (and minimising pauses it).
    bool pauseAvailable() const;
    bool journalWalkable() const;
    // The one writer of the items' enabled states: from the session's state (a deal on the
    // table or being built, the won sequence), the table's (a game started, the journal)
    // and the window's own (Show Next Move offered, a card size change under way).
    void writeItemStates();
    void sessionStateChanged();
    // The statistics windows (view_commands.cpp).
    void miStatisticsClick();
    void miLogClick();
    void miHiScoresClick();
    void miScoreHistoryClick();
    void playFromStatistics(const StatisticsOutcome &outcome);
    void offerComment(TWinDlg &dialog, const GameResult &result);
    // The messages of loading (a small screen, unreadable statistics), shown once.
    void showStartMessages();
    // Saved games (saved_games.cpp).
    class ReplayScope;
    QString savedGamesFolder() const;
    bool gameSavable() const;
    bool knownGameId(int gameId) const;
    bool confirmAbandoning();
    void saveChosenGame(const QString &path);
    void saveOrRemoveAutomaticSave();
    bool replayJournalTo(int position);
    void refuseSavedGame(bool tableChanged);
    void openGameAtStart();
    QString chooseSavedGameFile(bool save, const QString &start);
    // A file that could not be written while playing, in the status bar until the next hint.
    void showWriteFailures();

    void createSolverAids();
    void stopSolverAids();
    void solverPositionChanged();
    void solverGameChanged();

    ProgramSession &program;
    const GameDeals &deals;
    MainFormPrompts prompts;
    std::unique_ptr<CardAppearance> appearance;
    std::unique_ptr<TableBackground> background;
    std::unique_ptr<SoundPlayer> sounds;
    QWidget *flashCover = nullptr; // lightens the table while the won game flashes
    QTimer *fitTimer = nullptr;
    // Show Next Move is offered for the game on the table: from its first move, or once the
    // clock has found a move.
    bool moveOffered = false;
    // The card size is changing: the size items wait for it.
    bool resizingCards = false;
    QLabel *emptyTableNote = nullptr;
    QRect normalFrame; // the outer geometry while neither maximised nor minimised
    bool frameKnown = false;
    // The questions a clicked move may ask (the card to take, a run or one card for an empty column).
    std::unique_ptr<EmptyColumnChooser> columnChooser;
    std::unique_ptr<CardChooser> cardChooser;
    std::unique_ptr<CustomVariants> variants;
    std::unique_ptr<GameGroups> loadedGroups; // the groups as read at start, until the dialog takes them
    bool groupsDamaged = false;
    std::unique_ptr<GameTable> table;
    std::unique_ptr<GameSession> session;
    std::unique_ptr<GamePictureMaker> pictures;
    std::unique_ptr<TGameDlg> gameDialog;
    std::unique_ptr<PlayerShortcuts> shortcuts;
    std::vector<QAction *> menuItems;
    std::map<QAction *, QMenu *> homeMenu;        // the menu an item lives in when shown
    std::map<QAction *, QAction *> itemFollowing; // the item it goes back in front of
    QPointer<HelpWindow> helpWindow;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *PopupMenu1 = nullptr;

    bool paused = false;
    QDateTime pauseStart;
    qint64 pausedMilliseconds = 0; // pauses of the started game, left out of its time
    std::vector<QLabel *> pauseLabels;
    std::vector<int> hiddenBeforePause; // DeckIDs of piles that were already invisible
    QString keptTipText;
    bool autoTimerRanBeforePause = false;

    QStringList startMessages, startWarnings;
    QString savedGameToOpen;
    QString savedGamePath;
    bool snapshotTaken = false;
    bool replaying = false;  // a journal is being replayed: the items wait
    bool openedGame = false; // a saved game was opened at start: no game selection then
    bool closingWithoutConfirmation = false;
    bool closeSequenceRan = false;
    bool saved = false;
    QStringList saveFailures;
    bool askingExit = false;
    bool busyCursor = false;
    std::unique_ptr<GameStatusIndicator> statusIndicator;
    std::unique_ptr<DemoMode> demo;
    std::unique_ptr<WinnableDeals> winnableDeals;
};
