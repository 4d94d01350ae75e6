#pragma once

#include <QString>
#include <functional>
#include <random>

class QDateTime;

// The sounds the engine and the games play, by their resource names.
enum class EngineSound { PLYSEL, TURN, PLYWIN, SHUFFLE, CARDDRAG };

// Plays sounds; the appearance layer supplies the real one. Without one the engine is silent.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(EngineSound sound) = 0;
};

// "Card Movement": how the player moves cards.
enum CardMovementMode { DragAndDrop = 0, PointAndClick = 1, DragAndClick = 2 };

// Option flags that hold for every table of the process. The settings loader and the
// options dialog set them; the engine only reads them.
struct EngineOptions {
    bool HoverHighlight = false;      // "Highlight"
    int CardMovement = PointAndClick; // drag-and-drop off until the player's choice is applied
    bool RightClick = true;           // plain right-click is the move click
    bool FlipEnabled = true;          // animated card turning
    bool ShadowEnabled = true;
    int DragSteps = 5;                // 1..7
    int ClickSteps = 4;               // 1..7

    bool DragEnabled() const { return CardMovement == DragAndDrop || CardMovement == DragAndClick; }
    bool ClickEnabled() const { return CardMovement == PointAndClick || CardMovement == DragAndClick; }
};

// State shared by the whole engine: the options, the busy flag that keeps a second move,
// click or drag out while one runs, the sound player and the clock.
struct EngineState {
    EngineState();

    EngineOptions Options;
    bool Busy = false;
    SoundPlayer *Sounds = nullptr;                      // not owned
    std::function<QDateTime()> Now; // the system clock unless a test sets its own
    // Shows an information message (the program's message box; tests replace it).
    std::function<void(const QString &text)> ShowMessage;
    // Orders the move search's candidates; never the generator that deals the cards.
    std::mt19937 SearchRandom{std::random_device{}()};

    void PlaySound(EngineSound sound) const
    {
        if (Sounds)
            Sounds->Play(sound);
    }
};

EngineState &engineState();

// The player's information message: the program's own (ShowMessage) when it has one, else a
// plain message box over the active window.
void InformPlayer(const QString &text);

// Holds the busy flag for a scope and gives it back, also when an exception leaves the scope.
class BusyGuard {
public:
    BusyGuard() { engineState().Busy = true; }
    ~BusyGuard() { engineState().Busy = false; }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;
};

// Rounds to the nearest integer, halves to the even neighbour (as the layout arithmetic wants).
int RoundHalfEven(double value);
