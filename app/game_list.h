#pragma once

#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <map>
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

// Group letters: group n is the character 70 + n.
inline constexpr int FavoritesGroup = 1;
inline constexpr int RecentlyPlayedGroup = 2;
inline constexpr QChar groupLetter(int group)
{
    return QChar(char16_t(70 + group));
}

// Which games are favourites and which were played lately: a short string of group letters
// per game, and the recently played ids, most recent first.
class GameGroups {
public:
    static constexpr int MaxLetters = 8;
    static constexpr int MaxRecent = 15;

    // The group letters of a game (built-in or custom); empty for an unknown id.
    QString Membership(int gameId) const;
    void SetMembership(int gameId, const QString &letters);
    bool IsMember(int gameId, int group) const { return Membership(gameId).contains(groupLetter(group)); }

    const QList<int> &RecentlyPlayed() const { return recent_; }
    // The game goes to the front of the list (moved there when present) and gets the
    // recently-played letter; a 16th entry is dropped and loses its letter.
    void AddToRecentlyPlayed(int gameId);
    void ClearRecentlyPlayed();
    // Sets the list as loaded (ids after the 15th are ignored); letters are not changed.
    void SetRecentlyPlayed(const QList<int> &ids);

    void AddToFavorites(int gameId);
    void DeleteFromFavorites(int gameId);

    // A custom variant was removed: its letters go, later variants' ids move down by one.
    void CustomGameRemoved(int gameId);

private:
    QString *letters(int gameId);
    void addLetter(int gameId, QChar letter);
    void removeLetter(int gameId, QChar letter);

    std::array<QString, 410> builtIn_;
    std::map<int, QString> custom_;
    QList<int> recent_;
};
