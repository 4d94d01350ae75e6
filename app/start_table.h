#pragma once

#include "games/game_host.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QLabel;
class TBoard;
class TBoardScrollBox;
class CardSets;
class DataStore;
class GameTable;
class GameSession;

// A first window onto the table: it deals Klondike at start and offers New Game (F2),
// Restart Game, Select Shuffle, Undo and Redo; the status bar shows the score, the redeals
// left and " You Are Stuck". With the program's data store attached, games are counted and
// logged in the player's statistics and the options are read from the settings.
// The full main window replaces it.
class StartWindow : public QMainWindow, public GameHost {
    Q_OBJECT
public:
    explicit StartWindow(QWidget *parent = nullptr);
    ~StartWindow() override;
    TBoard *Board() const { return board; }
    // The loaded settings and statistics (not owned); without them nothing is counted.
    void SetDataStore(DataStore *data) { store = data; }
    GameSession &Session() const { return *session; }
    GameTable &Table() const { return *table; }
    // Tests answer the confirmation boxes and the won dialog themselves.
    std::function<Confirmation(const QString &text)> ConfirmOverride;
    std::function<WonChoice(const QString &gameName)> WonDialogOverride;

    // GameHost
    Confirmation Confirm(const QString &text, const QString &caption) override;
    bool ConfirmNewGame() const override;
    void SetConfirmNewGame(bool value) override;
    bool ShowStuckMessage() const override;
    bool AutoplayOff(int gameId) const override;
    std::optional<quint32> AskShuffleNumber(const QStringList &recentNumbers) override;
    void SetCaption(const QString &caption) override;
    void EnableCommand(GameCommand command, bool enabled) override;
    void ShowCommand(GameCommand command, bool shown, bool checked) override;
    void StoreWindowPlacement(int gameId) override;
    void ApplyGameSettings(int) override {}
    void AddToRecentlyPlayed(int) override {}
    void SetBusyCursor(bool busy) override;
    void RefreshStatus() override;
    void FitWindowToTable() override;
    void ResetScrollBars() override;
    void RecordNotWon(const FinishedGame &game) override;
    void Wait(int milliseconds) override;
    void FlashWindow() override;
    void ShowWonBackground(bool shown) override;
    WonChoice RecordWinAndShowWonDialog(const FinishedGame &game, const QString &gameName) override;

private:
    QAction *addCommand(GameCommand command, const QString &text, const QKeySequence &key,
                        const std::function<void()> &run);
    TBoardScrollBox *scrollBox = nullptr;
    TBoard *board = nullptr;
    std::unique_ptr<CardSets> cardSets;
    DataStore *store = nullptr;
    bool confirmNewGame = true;
    std::unique_ptr<GameTable> table;
    std::unique_ptr<GameSession> session;
    std::map<GameCommand, QAction *> commands;
    QLabel *scoreLabel = nullptr;
    QLabel *redealsLabel = nullptr;
    QLabel *stuckLabel = nullptr;
};
