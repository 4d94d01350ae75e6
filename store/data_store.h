#pragma once

#include "store/close_report.h"
#include "store/game_window_records.h"
#include "store/log_file.h"
#include "store/settings.h"
#include "store/statistics_store.h"
#include "store/store_locations.h"

#include <QStringList>
#include <functional>

class Clock;
class DisplayInfo;

inline constexpr char SmallScreenMessage[] = "Recommended screen resolution is 800x600 or higher";

// The steps of start-up that other parts of the program own; any may be left empty.
struct StartSteps {
    std::function<void(const QString &text)> inform;     // information box, caption "Tarnwick"
    std::function<void(const QString &text)> warn;       // warning box, caption "Tarnwick"
    std::function<void()> loadCustomVariants;
    std::function<void()> loadGroups;
    std::function<void()> loadToolbarPositions;
};

// The steps of closing that other parts of the program own; any may be left empty.
struct CloseSteps {
    std::function<void()> endAbandonedGame;     // count and log it, make or remove the automatic save
    std::function<void()> storeWindowPlacement; // the window's geometry into the current game's record
    std::function<void()> saveCustomVariants;
    std::function<void()> saveGroups;
    std::function<void()> saveToolbarPositions;
};

// Everything the program keeps between runs: loaded once at start, written once at close.
class DataStore {
public:
    DataStore(const StoreLocations &locations, const DisplayInfo &display, const Clock &clock);

    StoreLocations locations;
    Settings settings;
    GameWindowRecords windowRecords;
    GameLog log;
    StatisticsStore statistics;

    // Data folder, older files moved in, screen check, settings, window records, statistics,
    // custom variants, groups, log trimmed to "MaxLog", toolbar positions.
    StatisticsStore::LoadOutcome loadAtStart(const StartSteps &steps = {});
    // Abandoned game, settings, window placement, custom variants, goptions.dat, statistics,
    // groups, toolbar positions. A step that fails does not stop the others; the failures are
    // returned ("what: why") and told at the next start.
    QStringList saveAtClose(const CloseSteps &steps = {});

private:
    CloseReport closeReport() const;

    const DisplayInfo &display_;
};
