#pragma once

#include "store/clock.h"
#include "store/data_store.h"
#include "store/display_info.h"
#include "store/players.h"

#include <memory>

// Everything the program keeps between runs, with the outside facts it was loaded with.
// Made once at start (after the splash has measured the display) and handed to the main
// window, which loads it while it is created and saves it in its close sequence.
class ProgramSession {
public:
    ProgramSession(const StoreLocations &locations, const DisplayInfo &display);

    const DisplayInfo &Display() const { return display; }
    DataStore &Data() { return data; }
    const Clock &SessionClock() const { return clock; }

    // The command line of this run: the player to choose and the saved game to open, both
    // used once the main window is on screen.
    CommandLineChoice CommandLine;

private:
    SystemClock clock;
    FixedDisplayInfo display;
    DataStore data;
};
