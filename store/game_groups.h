#pragma once

#include <QList>
#include <QString>
#include <array>
#include <map>
#include <vector>

// Group letters: group n is the character 70 + n.
inline constexpr int FavoritesGroup = 1;
inline constexpr int RecentlyPlayedGroup = 2;
inline constexpr QChar groupLetter(int group)
{
    return QChar(char16_t(70 + group));
}

inline constexpr char FavoriteGamesName[] = "Favorite Games";
inline constexpr char RecentlyPlayedGamesName[] = "Recently Played Games";

// A named group of games and its number (its letter is groupLetter(Number)).
struct GameGroup {
    QString Name;
    int Number = 0;
    bool operator==(const GameGroup &) const = default;
};

// The groups of games: their names, a short string of group letters per game, and the
// recently played ids, most recent first. The first group is always the favourites, the
// second the recently played games; groups the player makes follow, numbered by position.
class GameGroups {
public:
    static constexpr int MaxLetters = 8;
    static constexpr int MaxRecent = 15;
    // Letters stay plain ASCII in the files.
    static constexpr int MaxGroups = 57;
    static constexpr int BuiltInCount = 410;

    GameGroups();

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
    // Games 1, 2, 4, 5, 16 and 18 become favourites.
    void MarkDefaultFavorites();

    const std::vector<GameGroup> &Groups() const { return groups_; }
    // The two standard groups alone; the letters stay.
    void ResetGroups();
    void SetGroups(std::vector<GameGroup> groups);
    // A new group of the player's at the end; its number, or 0 when the name is empty or
    // taken or there is no letter left.
    int CreateGroup(const QString &name);
    bool RenameGroup(int number, const QString &name);
    // Removes one of the player's groups: its letter leaves every game and the later
    // groups move down one number, their letters with them.
    bool DeleteGroup(int number);
    // Adds the game to a group (the recent group through AddToRecentlyPlayed); false when
    // it is there already or holds eight letters.
    bool AddToGroup(int gameId, int number);
    void RemoveFromGroup(int gameId, int number);

    // A custom variant was removed: its letters go, later variants' ids move down by one.
    void CustomGameRemoved(int gameId);

private:
    QString *letters(int gameId);
    bool addLetter(int gameId, QChar letter);
    void removeLetter(int gameId, QChar letter);
    void replaceLetter(QChar from, QChar to);

    std::array<QString, BuiltInCount> builtIn_;
    std::map<int, QString> custom_;
    QList<int> recent_;
    std::vector<GameGroup> groups_;
};
