#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QLabel;
class QTimer;
class QToolBar;
class GameStatusIndicator;
class TMain_F;

// Texts of the demonstration.
namespace DemoText {
inline constexpr char NoWin[] = "This game cannot be won from here";
inline constexpr char NoLine[] = "No winning line was found for this game";
inline constexpr char Won[] = "The game is won";
inline constexpr char Thinking[] = "Looking for a winning line";
inline constexpr char Playing[] = "Playing";
inline constexpr char Paused[] = "Paused";
} // namespace DemoText

// The demonstration: the computer plays the game on the table, one move of the solver's
// winning line per tick of `DemoTimer`, through the real table with its animations. Its
// toolbar (`DemoToolbar`) at the bottom starts, pauses and leaves it and shows the moves
// made and what it is doing. Any key, left click, menu or window command pauses it; another
// game closes it. A game it has played in is never counted nor logged.
class DemoMode : public QObject {
public:
    DemoMode(TMain_F &window, GameStatusIndicator &indicator);
    ~DemoMode() override;

    // "Run &Demo": shows the toolbar and starts.
    void Run();
    void Start();
    void Pause();
    void Exit();
    bool Running() const;
    bool Shown() const;
    // The game on the table changed: another game closes the demonstration, a new deal
    // of the same one pauses it.
    void GameChanged();

    QToolBar *DemoToolbar = nullptr;
    QTimer *DemoTimer = nullptr;
    QAction *tbtnPlay = nullptr, *tbtnPause = nullptr, *tbtnStop = nullptr;
    QLabel *lbMoves = nullptr, *lbStatus = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();
    void stopWith(const QString &status);
    void showMoves();
    bool onToolbar(QObject *object) const;

    TMain_F &window;
    GameStatusIndicator &indicator;
    QStringList plan; // what is left of the winning line being played
    int moves = 0;
    int gameId = -1; // the game the demonstration plays
};
