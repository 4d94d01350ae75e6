#pragma once

#include "solve/solver.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class QLabel;
class SolverWorker;
class TCard;
class TDeck;
class TMain_F;

// Texts of the game status indicator.
namespace IndicatorText {
inline constexpr char16_t Solving[] = u"Solving\u2026";
inline constexpr char Winnable[] = "Winnable";
inline constexpr char NotWinnable[] = "Not winnable";
inline constexpr char Unknown[] = "Unknown";
inline constexpr char16_t NoLongerWinnable[] = u"This game can no longer be won \u2014 Undo to go back";
} // namespace IndicatorText

// The solver's verdict on the position on the table, kept up to date as the game goes on:
// every move, undo, deal or load drops the search under way and starts one from the new
// position on a worker thread. Shown in a status-bar panel ("Show Game Status Indicator");
// a winnable position's line also serves the hint and the demonstration.
class GameStatusIndicator : public QObject {
public:
    explicit GameStatusIndicator(TMain_F &window);
    ~GameStatusIndicator() override;

    // The position changed (or went): its verdict is gone and a new search follows once
    // the table is at rest.
    void PositionChanged();
    // The window closes: no search may outlive it.
    void Stop();
    // The setting changed: the panel follows it.
    void ApplySetting();

    // No verdict yet on the position on the table.
    bool Solving() const { return solving; }
    // The verdict on the position on the table (Unknown while solving).
    Verdict CurrentVerdict() const { return solving ? Verdict::Unknown : verdict; }
    // The winning line of the position on the table, as play commands (empty unless winnable).
    const QStringList &WinningLine() const { return line; }
    // The solver's next move, once for each winnable position (later requests fall back
    // to the move search); false when there is none to give.
    bool TakeHint(TCard *&card, TDeck *&dest);

    QLabel *Panel() const { return panel; }
    // Any one position is searched for no longer than this.
    SolveBudget Budget = {.positions = 2'000'000, .milliseconds = 2000};

private:
    void search();
    void received(quint64 serial, int verdictCode, const QStringList &lines);
    void showVerdict();

    TMain_F &window;
    SolverWorker *worker = nullptr; // owned as a child
    QLabel *panel = nullptr;
    QTimer *settle = nullptr;
    quint64 serial = 0;
    bool solving = false;
    Verdict verdict = Verdict::Unknown;
    QStringList line;
    bool hintGiven = false;
    bool toldNotWinnable = false;
};
