#pragma once

#include "app/Mainform.h"
#include "app/game_picture.h"
#include "app/program_session.h"
#include "store/display_info.h"
#include "store/store_locations.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

// A main window over a fresh data folder, with instant answers to its questions: the
// confirmation boxes answer `confirmAnswer`, the waits are recorded and return at once, the
// won dialog answers Cancel. The engine's clock is the fixture's own.
class MainWindowFixture {
public:
    explicit MainWindowFixture(bool create = true);
    ~MainWindowFixture();

    // Makes the window (once the folder holds what the test wants read).
    TMain_F &Create();
    TMain_F &Window() { return *window; }
    void DestroyWindow();

    // Deals Klondike with a fixed number, without animation.
    void DealKlondike(quint32 number = 7);
    // Every card of the first pack onto its foundation: the next cycle finds the game won.
    void FinishGame();
    // Shows the window and makes it the active one.
    bool ShowActive();

    QTemporaryDir folder;
    StoreLocations locations;
    FixedDisplayInfo display{24, QSize(1280, 1024), QRect(0, 0, 1280, 990)};
    std::unique_ptr<ProgramSession> session;
    GameDeals deals;
    std::unique_ptr<TMain_F> window;

    Confirmation confirmAnswer{true, false};
    QStringList questions;   // "caption: text" of every confirmation asked
    QList<int> waits;        // the waits asked for, in milliseconds
    std::function<void(int)> onWait;
    WonChoice wonAnswer = WonChoice::Cancel;
    QStringList wonGames;
    double wonDuration = -1; // days
    QDateTime now;           // the engine's clock
    std::optional<QPoint> cursor; // the cursor the window reads (the real one when unset)
};
