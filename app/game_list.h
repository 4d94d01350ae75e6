#pragma once

#include "store/game_groups.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

class CustomGameSource;

// Column texts of the game list.
namespace GameListText {
inline constexpr char Caption[] = "Select Solitaire";
inline constexpr char Game[] = "Game";
inline constexpr char Difficulty[] = "Difficulty";
inline constexpr char Decks[] = "Decks";
inline constexpr char Easy[] = "Easy";
inline constexpr char Average[] = "Average";
inline constexpr char Difficult[] = "Difficult";
inline constexpr char Modified[] = "Modified";
inline constexpr char AllGames[] = "All Games";
inline constexpr char FavoriteGames[] = "Favorite Games";
inline constexpr char RecentlyPlayedGames[] = "Recently Played Games";
} // namespace GameListText

// One row of the game list.
struct GameRow {
    int GameId = 0; // built-in id, or 1000 + variant index
    QString Name;
    QString Difficulty;
    QString Decks;
    bool operator==(const GameRow &) const = default;
};

// Where the rows come from. dealAvailable decides, by base id, which dealt games are
// listed (all of them without it); a custom variant is listed when its base game is.
struct GameListSource {
    const CustomGameSource *customs = nullptr; // not owned; nullptr: no variants
    int customCount = 0;
    std::function<bool(int baseGameId)> dealAvailable;
};

// The dealt games first (id order), each with its difficulty and its number of packs, then
// every readable custom variant with its base game's packs.
std::vector<GameRow> buildGameRows(const GameListSource &source);

// Sort state: 1 "Game", 2 "Difficulty", 3 "Decks"; negative for descending.
inline constexpr int DefaultSortState = 1;
// Clicking a column header: the same column again reverses the order, another sorts
// ascending by it.
int nextSortState(int state, int clickedColumn);
// Compares the column's texts with the locale's (case-sensitive) comparison; equal rows
// keep their order.
void sortGameRows(std::vector<GameRow> &rows, int state);
