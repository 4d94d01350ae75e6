#pragma once

#include "store/players.h"

#include <QStringList>

struct StoreLocations;

// What a start of the program is asked to do by its first parameter (compared in upper case).
enum class StartMode {
    Run,   // start normally (or bring a running copy to the front)
    Stop,  // "-STOP": ask a running copy to end, then exit
    Clear, // "/CLEAR": reset the stored settings, then exit
};

// arguments: the parameters without the program's own name.
StartMode startMode(const QStringList &arguments);

// The player ("-u"name) and the saved game a normal start was given.
inline CommandLineChoice commandLineChoice(const QStringList &arguments)
{
    return parseCommandLine(arguments);
}

// "/CLEAR": erases the stored settings, players and toolbar positions, keeping the run
// counter "u". Returns false with a reason when the settings could not be reset.
bool clearStoredSettings(const StoreLocations &locations, QString *reason);
