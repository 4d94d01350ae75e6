#pragma once

#include "app/game_dlg.h"

class QWidget;

// What start-up needs from the main window, besides what the game selection dialog needs
// (GameDlgHost). The main window (TMain_F) implements it.
class ShellWindow : public GameDlgHost {
public:
    // The window itself, shown once everything is built.
    virtual QWidget *Window() = 0;
    // A second start of the program ("TARNWICK"): restore the window (also from the tray)
    // and bring it to the front.
    virtual void BringToFront() = 0;
    // "-STOP" from another start ("QELTERMINATE"): close without any confirmation box; the
    // close sequence saves settings, statistics and the log as usual.
    virtual void CloseWithoutConfirmation() = 0;
    // The start message of the game selection dialog runs the "&Select Solitaire..."
    // command: show the dialog and, on OK, switch to the chosen game.
    virtual void SelectSolitaire() = 0;
    // After the window is on screen: choose the command line's player, then open its saved
    // game (when it names one).
    virtual void ApplyCommandLine() = 0;
};
