#pragma once

#include "app/game_host.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class GameTable;
class QTimer;

// New Game and everything that starts or ends a game: the seeded deal, Restart Game,
// Select Shuffle, Random Game, the won sequence and the shower of cards. Works on the main
// window's game table and asks the window through the host. The window's items follow the
// state it exposes; OnStateChanged tells when that state changed.
class GameSession {
public:
    static constexpr int RecentNumbersLimit = 20;
    static constexpr int ShowerCardCount = 90;

    GameSession(GameTable &table, GameHost &host);
    ~GameSession();
    GameSession(const GameSession &) = delete;
    GameSession &operator=(const GameSession &) = delete;

    GameTable &Table() const { return table; }

    quint32 GameNumber = 0;
    bool ReplayPending = false;
    bool CountsForStatistics = false;
    // Most recent first, at most 20 decimal numbers, no duplicates.
    QStringList RecentGameNumbers;
    int DeckSuits = 4;
    // The game on the table is the one restored at start; its replay counts.
    bool RestoredAtStart = false;
    // The demonstration has played in the game on the table: it is neither counted nor logged.
    bool Demonstrated = false;
    // Given the number New Game drew, the number it deals (winnable deals only); unset: that one.
    std::function<quint32(quint32 drawn)> ChooseGameNumber;

    // --- the state the window's items follow ---
    // A deal is on the table.
    bool GameDealt() const { return gameDealt; }
    // A deal is being built.
    bool Busy() const { return busy; }
    // A game number has been dealt, so Restart Game has one to deal again.
    bool CanRestart() const { return dealtOnce && !busy; }
    // The won sequence runs: the journal is kept for the copy of the game, not walked.
    bool WonSequenceRunning() const { return wonSequence; }
    // Fired after any of the four above changed.
    std::function<void()> OnStateChanged;

    // Deal_MI, "&New Game" (F2).
    void NewGame();
    // Replay1, "&Restart Game": the same game number again.
    void RestartGame();
    // SelectShuffle1: asks for a game number and deals it.
    void SelectShuffle();
    // Deals this shuffle number of the current game id (asking first when a game is started).
    void DealShuffle(quint32 number);
    // RandomGame1: one of the dealt games at random, without confirmation.
    void RandomGame();

    // Frees the piles and hides every card; the game's handlers leave the table.
    void ClearTable();
    // A new game number (or the pending or current one when replaying) seeds the generator.
    void SeedDeal(bool replay);
    // Rewrites the suits of all 208 cards for 4, 2 or 1 suits.
    void SetDeckSuits(int suits);
    // Every card takes its face picture again (after the pictures were reloaded or resized).
    void ReapplyDeckSuits();
    // " <name> [#<number>]", without the number before the first deal.
    QString Caption() const;
    // A started game ends unwon: counted and logged once.
    void EndAbandonedGame();

    // The cycle found the game won.
    void GameWon();
    // The won sequence: counting, the won dialog over the shower of cards, then what the
    // player chose.
    void Game_over_Pre_Timer();
    // One tick of the shower of cards.
    void Game_over_Timer();
    int ShowerCount() const { return showerCount; }

    // redeal_timer (50 ms, one shot): runs New Game outside the handler that asked for it.
    QTimer &RedealTimer() const { return *redealTimer; }
    // WinTimer (200 ms): the shower of cards while the won dialog shows.
    QTimer &WinTimer() const { return *winTimer; }

private:
    // A started game is about to be abandoned and the player wants to be asked first.
    bool asksBeforeAbandoning() const;
    // The confirmation box; "Don't show this message again" stops the asking.
    bool confirmed(const QString &text, const QString &caption);
    // After a cancelled confirmation: the current game id is the one on the table again.
    void keepTheGameOnTheTable();
    FinishedGame finishedGame(int gameId, bool won) const;
    void hideAllCards();
    void setState(bool &field, bool value);

    GameTable &table;
    GameHost &host;
    bool gameDealt = false;
    bool busy = false;
    bool dealtOnce = false;
    bool wonSequence = false;
    std::optional<quint32> pendingGameNumber;
    int showerCount = 0;
    std::unique_ptr<QTimer> redealTimer;
    std::unique_ptr<QTimer> winTimer;
};
