#pragma once

#include "app/shell_window.h"

#include <QObject>
#include <memory>

class GameDeals;
class GamePictureMaker;
class ProgramSession;
class PlayerShortcuts;
class QLabel;
class StartWindow;
class TGameDlg;

// Stands in for the main window around the StartWindow: the game selection dialog at
// start (the chosen game is reported through GameChosen and dealt by the window's New
// Game), the player panel in the status bar that opens the player list on a double-click,
// the answers to a second start and to "-STOP".
class StartShell : public QObject, public ShellWindow {
    Q_OBJECT
public:
    StartShell(ProgramSession &session, const GameDeals &deals);
    ~StartShell() override;

    TGameDlg *GameDialog() const { return gameDialog.get(); }
    StartWindow *Table() const { return window.get(); }

    // ShellWindow
    QWidget *Window() override;
    void BringToFront() override;
    void CloseWithoutConfirmation() override;
    void SelectSolitaire() override;
    void ApplyCommandLine() override;
    // GameDlgHost
    int CurrentGameId() const override { return currentGameId; }
    bool AutoplayOn(int gameId) const override;
    void SetAutoplayOn(int gameId, bool on) override;
    void ShowRules(int gameId) override;
    bool ConfirmOnDeleteGame() const override;
    void SetConfirmOnDeleteGame(bool on) override;

    // The player list dialog, as the player panel opens it.
    void EditPlayers();
    // The saved game the command line named (opened once saved games can be loaded).
    QString SavedGameToOpen() const { return savedGameToOpen; }

Q_SIGNALS:
    // The player chose a game in the selection dialog.
    void GameChosen(int gameId);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPlayer();

    ProgramSession &session;
    std::unique_ptr<StartWindow> window;
    std::unique_ptr<GamePictureMaker> pictures;
    std::unique_ptr<TGameDlg> gameDialog;
    std::unique_ptr<PlayerShortcuts> shortcuts;
    QLabel *playerPanel = nullptr;
    int currentGameId;
    QString savedGameToOpen;
};
