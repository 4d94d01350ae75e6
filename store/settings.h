#pragma once

#include "store/stats_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class DisplayInfo;
struct StoreLocations;

// Sections of Tarnwick.ini.
namespace SettingSection {
inline constexpr char Cards[] = "Cards";
inline constexpr char Players[] = "Players";
inline constexpr char Toolbar2[] = "Toolbar2";
inline constexpr char Data[] = "Data";
inline constexpr char DemoToolbar[] = "DemoToolbar";
} // namespace SettingSection

// Value names, exactly as stored (INI keys are case-sensitive; misspellings are kept).
namespace SettingName {
// Section "Cards".
inline constexpr char u[] = "u";
inline constexpr char Version[] = "Version";
inline constexpr char Game[] = "Game";
inline constexpr char RunMaximized[] = "RunMaximized";
inline constexpr char Group[] = "Group";
inline constexpr char Tip[] = "Tip";
inline constexpr char Back[] = "Back";
inline constexpr char Warnings[] = "Warnings";
inline constexpr char SpreadCards[] = "SpreadCards";
inline constexpr char ShadowStyle[] = "ShadowStyle";
inline constexpr char FittingMethod[] = "FittingMethod";
inline constexpr char ScrollBars[] = "ScrollBars";
inline constexpr char AutoCardSizing[] = "AutoCardSizing";
inline constexpr char ScaleCards[] = "ScaleCards";
inline constexpr char TipShowAtStartup[] = "TipShowAtStartup";
inline constexpr char HelpWidth[] = "HelpWidth";
inline constexpr char HelpHeight[] = "HelpHeight";
inline constexpr char OldTBStyle[] = "OldTBStyle";
inline constexpr char UndoOption[] = "UndoOption";
inline constexpr char HiPeriod[] = "HiPeriod";
inline constexpr char DeckPicture[] = "DeckPicture";
inline constexpr char BackgroundPicture[] = "BackgroundPicture";
inline constexpr char BoardColor[] = "BoardColor";
inline constexpr char Pattern_Type[] = "Pattern_Type";
inline constexpr char Fade[] = "Fade";
inline constexpr char Direction[] = "Direction";
inline constexpr char RightClick[] = "RightClick";
inline constexpr char Highlight[] = "Highlight";
inline constexpr char CardSize[] = "CardSize";
inline constexpr char CardDeck[] = "CardDeck";
inline constexpr char Pattern_Name[] = "Pattern_Name";
inline constexpr char Pattern_File[] = "Pattern_File";
inline constexpr char CustBackFile[] = "CustBackFile";
inline constexpr char CustBackStyle[] = "CustBackStyle";
inline constexpr char ClickSteps[] = "ClickSteps";
inline constexpr char DragSteps[] = "DragSteps";
inline constexpr char RandomBackground[] = "RandomBackground";
inline constexpr char RandomCardBack[] = "RandomCardBack";
inline constexpr char RandomCardSet[] = "RandomCardSet";
inline constexpr char MenuXP[] = "MenuXP";
inline constexpr char MenuIcons[] = "MenuIcons";
inline constexpr char Play_Card_Move[] = "Play_Card_Move";
inline constexpr char Play_Deck_Over[] = "Play_Deck_Over";
inline constexpr char Play_Card_Drag[] = "Play_Card_Drag";
inline constexpr char BuildingTips[] = "Building Tips";
inline constexpr char MaxLog[] = "MaxLog";
inline constexpr char HiScoresPage[] = "HiScoresPage";
inline constexpr char HiScoresKind[] = "HiScoresKind";
inline constexpr char Play_Win_G[] = "Play_Win_G";
inline constexpr char PlayShuffle[] = "PlayShuffle";
inline constexpr char Tray[] = "Tray";
inline constexpr char ShowStuckMessage[] = "ShowStuckMessage";
inline constexpr char Show_Empty[] = "Show_Empty";
inline constexpr char StatPeriod[] = "StatPeriod";
inline constexpr char StatShow[] = "StatShow";
inline constexpr char Save_On_Exit[] = "Save_On_Exit";
inline constexpr char ShowStatusIndicator[] = "ShowStatusIndicator";
inline constexpr char WinnableOnly[] = "WinnableOnly";
inline constexpr char Timer[] = "Timer";
inline constexpr char SaveWindowPosition[] = "SaveWindowPosition";
inline constexpr char ResetToDefualtBack[] = "ResetToDefualtBack";
inline constexpr char CardMovement[] = "CardMovement";
inline constexpr char CollectStatistics[] = "CollectStatistics";
inline constexpr char DW[] = "DW";
inline constexpr char EW[] = "EW";
inline constexpr char DemoMEW[] = "DemoMEW";
inline constexpr char Show_Finished[] = "Show_Finished";
inline constexpr char ShadowEnabled[] = "ShadowEnabled";
inline constexpr char FlipEnabled[] = "FlipEnabled";
inline constexpr char Minimize_On_ESC[] = "Minimize_On_ESC";
inline constexpr char Confirm_On_Exit[] = "Confirm_On_Exit";
inline constexpr char Confirm_On_Delete_Game[] = "Confirm_On_Delete_Game";
inline constexpr char Confirm_New_Game[] = "Confirm_New_Game";
inline constexpr char Saved_Solitaire[] = "Saved_Solitaire";
inline constexpr char StatusBar[] = "StatusBar";
inline constexpr char ToolBar[] = "ToolBar";
inline constexpr char LargeButtons[] = "Large Buttons";
inline constexpr char FlatButtons[] = "Flat Buttons";
inline constexpr char ShowHints[] = "Show Hints";
inline constexpr char Filter[] = "Filter";
inline constexpr char tbconf[] = "tbconf";
inline constexpr char LastGamesAmount[] = "LastGamesAmount";
inline constexpr char HistoryFiltering[] = "HistoryFiltering";
inline constexpr char TrendCurve[] = "TrendCurve";
inline constexpr char HistoryAverage[] = "HistoryAverage";
inline constexpr char ScoreValues[] = "ScoreValues";
inline constexpr char View3D[] = "View3D";
// Section "Cards", read only to convert the oldest statistics.
inline constexpr char PName[] = "PName";
inline constexpr char PCountry[] = "PCountry";
inline constexpr char PEmail[] = "PEmail";
// Section "Players".
inline constexpr char Players[] = "Players";
inline constexpr char Customs[] = "Customs";
inline constexpr char Active_Player[] = "Active_Player";
inline constexpr char PlayerNamePrefix[] = "U"; // "U1", "U2", ...
inline constexpr char GroupNamePrefix[] = "C";  // "C1", "C2", ...
// Binary values outside the sections: per-game window records of older versions.
inline constexpr char Game_Options[] = "Game_Options";
inline constexpr char GameOptions[] = "GameOptions";
} // namespace SettingName

inline constexpr char WrittenVersion[] = "1.7.1";
inline constexpr char DefaultToolbarLayout[] = "09,01,00,02,03,00,05,00,07,08,00,13";

// Every value of section "Cards", named as stored. The defaults that depend on the display
// and the folders come from CardsSettings::defaults().
struct CardsSettings {
    int u = 0;                   // run counter; after loading, the number of this run
    QString Version = QStringLiteral("1.2");
    int Game = 10;               // current game id
    bool RunMaximized = true;
    int Group = 0;               // item of the game-type list of the game selection dialog
    int Tip = 1;                 // next tip of the day
    int Back = 100;              // card back 1..13, or 100 for the picture "CustBackFile"
    bool Warnings = true;
    bool SpreadCards = true;
    int ShadowStyle = 0;         // 0 blurred, 1 sharp, 2 dotted
    int FittingMethod = 0;       // 0 spread cards, 1 centre layout
    bool ScrollBars = true;
    bool AutoCardSizing = true;
    bool ScaleCards = true;      // the card size follows the window instead of the three sizes
    bool TipShowAtStartup = true;
    int HelpWidth = 0;           // the help window's size; 0 for its own default
    int HelpHeight = 0;
    bool OldTBStyle = false;
    int UndoOption = 2;          // 0 none, 1 one step, 2 unlimited
    int HiPeriod = 0;            // 0 "Total", 1 "Today", 2 "Current Session"
    QString DeckPicture;
    QString BackgroundPicture;
    int BoardColor = 0x8000;     // RGB value as stored (0x00BBGGRR)
    int Pattern_Type = 1;        // 0 colour, 1 built-in texture, 2 picture file
    bool Fade = true;
    int Direction = 0;           // 0 vertical, 1 horizontal
    bool RightClick = true;
    bool Highlight = false;
    int CardSize = 2;            // size step 0 small, 1 normal, 2 large
    int CardDeck = 0;
    QString Pattern_Name = QStringLiteral("Paper4");
    QString Pattern_File;
    QString CustBackFile;
    int CustBackStyle = 0;       // 1 hides the border of picture backs
    int ClickSteps = 4;          // 1..7
    int DragSteps = 5;           // 1..7
    bool RandomBackground = false;
    bool RandomCardBack = false;
    bool RandomCardSet = false;
    bool MenuXP = false;
    bool MenuIcons = true;
    bool Play_Card_Move = true;
    bool Play_Deck_Over = true;
    bool Play_Card_Drag = true;
    bool BuildingTips = true;    // "Building Tips"
    int MaxLog = 2000;           // 1 to 10000
    int HiScoresPage = 0;        // 0 "Table", 1 "Graph"
    int HiScoresKind = 0;        // 0 best time, 1 total score, 2 average score, 3 W/L ratio
    bool Play_Win_G = true;
    bool PlayShuffle = true;
    bool Tray = false;
    bool ShowStuckMessage = true;
    bool Show_Empty = true;
    int StatPeriod = 0;          // 0 "Total", 1 "Today", 2 "Current session"
    int StatShow = 1;            // 0 all, 1 played, 2 not played, 3 won, 4 not won
    bool Save_On_Exit = false;
    bool ShowStatusIndicator = true; // the solver's verdict on the position in the status bar
    bool WinnableOnly = false;       // New Game deals only numbers the solver proves winnable
    bool Timer = true;
    bool SaveWindowPosition = false;
    bool ResetToDefualtBack = false;
    int CardMovement = 2;        // 0 drag and drop, 1 click to move, 2 both
    int CollectStatistics = 1;   // 0 off, 1 on; +2 while "Show Next Move" is on the toolbar
    bool DW = true;
    bool EW = true;
    bool DemoMEW = true;
    bool Show_Finished = false;
    bool ShadowEnabled = true;
    bool FlipEnabled = true;
    bool Minimize_On_ESC = false;
    bool Confirm_On_Exit = true;
    bool Confirm_On_Delete_Game = true;
    bool Confirm_New_Game = true;
    QString Saved_Solitaire;
    bool StatusBar = true;
    bool ToolBar = true;
    bool LargeButtons = true;    // "Large Buttons"
    bool FlatButtons = true;     // "Flat Buttons"
    bool ShowHints = true;       // "Show Hints"
    int Filter = 0;              // 0 all, 1 today, 2 current session, 3 lost, 4 won, 20 30 days, 21 7 days
    QString tbconf = QString::fromLatin1(DefaultToolbarLayout);
    int LastGamesAmount = 30;
    int HistoryFiltering = 0;    // 0 all, 1 30 days, 2 7 days, 3 today, 4 session, 5 last N
    bool TrendCurve = true;
    bool HistoryAverage = false;
    bool ScoreValues = false;
    bool View3D = true;

    // The defaults of a first start on this display with these folders.
    static CardsSettings defaults(const DisplayInfo &display, const StoreLocations &locations);

    // Results count only when statistics are exactly on.
    bool recordsStatistics() const { return CollectStatistics == 1; }
    bool operator==(const CardsSettings &) const = default;
};

// Section "Players"; read at start only (the statistics and groups files keep the counts).
struct PlayersSettings {
    int Players = 0;
    int Customs = 0;
    int Active_Player = 0;
};

// The settings file Tarnwick.ini: loaded once at start, written once at close. Nothing else
// reads or writes the file.
class Settings {
public:
    Settings(const StoreLocations &locations, const DisplayInfo &display);

    CardsSettings Cards;
    PlayersSettings Players;

    const QString &path() const { return path_; }
    const DisplayInfo &display() const { return display_; }

    // Reads "Cards" and "Players". The run counter "u" is incremented and written back at
    // once, so that a run that ends without its close sequence never repeats a run number.
    void load();
    // Writes every "Cards" value ("Version" as "1.7.1"). Throws FileError.
    void save() const;

    // Values older versions kept here, needed only to convert their files.
    LegacyPlayerSettings legacyPlayers() const;
    QStringList legacyGroupNames() const;
    // Reads and removes a binary value stored outside the sections; nothing when absent.
    std::optional<QByteArray> takeBinaryValue(const char *name) const;

    // "/CLEAR": erases the stored settings and players but keeps the run counter "u".
    // Failures are silent.
    static void reset(const QString &path);

private:
    QString path_;
    const DisplayInfo &display_;
    CardsSettings defaults_;
};
