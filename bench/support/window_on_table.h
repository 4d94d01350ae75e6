#pragma once

#include "app/Mainform.h"
#include "app/game_picture.h"
#include "app/program_session.h"

#include <QTemporaryDir>
#include <memory>

// The main window on screen at 1200 x 800 with a game dealt (number 11, without flights),
// in a data folder of its own, every question answered yes.
struct WindowOnTable {
    QTemporaryDir folder;
    StoreLocations locations;
    FixedDisplayInfo display{24, QSize(1920, 1200), QRect(0, 0, 1920, 1160)};
    std::unique_ptr<ProgramSession> session;
    GameDeals deals;
    std::unique_ptr<TMain_F> window;

    explicit WindowOnTable(int gameId);
};
