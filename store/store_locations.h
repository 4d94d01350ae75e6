#pragma once

#include <QString>

// File names in the data folder.
namespace DataFileName {
inline constexpr char PlayersDat[] = "players.dat";
inline constexpr char QelstatDat[] = "qelstat.dat";
inline constexpr char QellogDat[] = "qellog.dat";
inline constexpr char QellogTmp[] = "qellog.tmp";
inline constexpr char CustomDat[] = "custom.dat";
inline constexpr char QelcustDat[] = "qelcust.dat";
inline constexpr char CustgameDat[] = "custgame.dat";
inline constexpr char CuststatDat[] = "custstat.dat";
inline constexpr char GoptionsDat[] = "goptions.dat";
inline constexpr char AsgLpg[] = "asg.lpg";
} // namespace DataFileName

// Where the settings and data files live. Built from the system's folders at start; tests
// fill it with temporary folders.
struct StoreLocations {
    QString configFolder;    // holds Tarnwick.ini and "Quillon Cards.ini"
    QString dataFolder;      // the per-user data folder; empty when the system gives none
    QString programFolder;   // read-only material of the program
    QString documentsFolder; // may be empty
    QString desktopFolder;   // may be empty
    QString runtimeFolder;   // the per-login folder; may be empty

    // $XDG_CONFIG_HOME/Tarnwick, $XDG_DATA_HOME/Tarnwick and the user's documents and desktop.
    static StoreLocations fromSystem(const QString &programFolder);

    bool usesDataFolder() const { return !dataFolder.isEmpty(); }
    QString settingsFile() const;
    QString toolbarSettingsFile() const;
    // A file of the table of data files: in the data folder, or in the program folder when
    // there is no data folder.
    QString dataFile(const QString &fileName) const;
    QString savedGamesFolder() const;    // "Games"
    QString userBackgroundsFolder() const; // "Backgrounds", or "Custom Backgounds" in the program folder

    // Creates the data folder when it is missing; a failure is ignored (returns false).
    bool createDataFolder() const;
    // Moves the data files an older version kept in the program folder into the data folder;
    // a file whose target already exists stays where it is. Failures are ignored.
    void moveOlderFiles() const;
};
