#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// A game that ended, as the statistics and the log receive it.
struct FinishedGame {
    quint32 GameNumber = 0;
    int GameId = 0;
    bool Won = false;
    int Score = -1000; // -1000: no score
    int Moves = 0;
    QDateTime StartTime;
    QDateTime EndTime;
    bool CountsForStatistics = true;
    bool Demonstrated = false; // played by the demonstration: never counted nor logged
};

// What the won dialog's buttons ask for.
enum class WonChoice { NewGame, Replay, SelectGame, Cancel };

// The answer of a confirmation box with "Don't show this message again".
struct Confirmation {
    bool Ok = false;
    bool DontShowAgain = false;
};

// What New Game and the won sequence need from the main window. Tests use a fake.
// The enabled state of the window's items is not told here: the window reads it from the
// session's state.
class GameHost {
public:
    virtual ~GameHost() = default;

    // --- questions and options ---
    virtual Confirmation Confirm(const QString &text, const QString &caption) = 0;
    virtual bool ConfirmNewGame() const = 0;           // "Confirm_New_Game"
    virtual void SetConfirmNewGame(bool value) = 0;
    virtual bool ShowStuckMessage() const = 0;         // "ShowStuckMessage"
    virtual bool AutoplayOff(int gameId) const = 0;    // the game's autoplay-off flag
    // The Select Shuffle dialog over the recent numbers; nothing when cancelled.
    virtual std::optional<quint32> AskShuffleNumber(const QStringList &recentNumbers) = 0;
    // The large-screen warning; false when the screen stays too small.
    virtual bool ScreenLargeEnough() { return true; }

    // --- the window ---
    virtual void SetCaption(const QString &caption) = 0;
    // The Autoplay item: shown for games with automatic play, checked while it is on.
    virtual void ShowAutoplay(bool shown, bool checked) = 0;
    virtual void StoreWindowPlacement(int gameId) = 0;
    // Window placement, autoplay state and help caption of the game.
    virtual void ApplyGameSettings(int gameId) = 0;
    virtual void AddToRecentlyPlayed(int gameId) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void RefreshStatus() = 0;
    // Grows the window to the table and sets the scroll ranges; re-evaluates the pile under the mouse.
    virtual void FitWindowToTable() = 0;
    // The card pictures for the game about to be dealt: a random set and back where the
    // player asked for them, and the card size for the game and the window.
    virtual void AdaptCardPictures() {}
    virtual void ResetScrollBars() = 0;
    virtual bool IsPaused() const { return false; }
    virtual void Resume() {}
    virtual void ForgetSavedGame() {}
    virtual void PlayNewGameSound() {}
    virtual void PlayWinSound() {}

    // --- the end of a game ---
    // Counts and logs a game not won.
    virtual void RecordNotWon(const FinishedGame &game) = 0;
    // Saves the finished game as "LF.lpg".
    virtual void SaveWonGame() {}
    // Waits on the main thread (the won sequence's pauses) and flashes the window.
    virtual void Wait(int milliseconds) = 0;
    virtual void FlashWindow() = 0;
    // Shows the won background while the won dialog is up.
    virtual void ShowWonBackground(bool shown) = 0;
    // Counts and logs the win, then shows the won dialog modally with its figures.
    virtual WonChoice RecordWinAndShowWonDialog(const FinishedGame &game, const QString &gameName) = 0;
    // "Select Solitaire..." in the won dialog.
    virtual void SelectGame() {}
};
