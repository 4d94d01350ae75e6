#include "store/game_groups.h"

namespace {

constexpr int FirstCustomId = 1000;

bool builtIn(int gameId)
{
    return gameId >= 0 && gameId < GameGroups::BuiltInCount;
}

// A group's name as the groups file keeps it; the file's placeholder name is no group's.
QString usableName(const QString &name)
{
    const QString trimmed = name.trimmed().left(255);
    return trimmed == QStringLiteral("XXXXXXXX") ? QString() : trimmed;
}

} // namespace

GameGroups::GameGroups()
{
    ResetGroups();
}

QString *GameGroups::letters(int gameId)
{
    if (builtIn(gameId))
        return &builtIn_[std::size_t(gameId)];
    if (gameId >= FirstCustomId)
        return &custom_[gameId];
    return nullptr;
}

QString GameGroups::Membership(int gameId) const
{
    if (builtIn(gameId))
        return builtIn_[std::size_t(gameId)];
    const auto found = custom_.find(gameId);
    return found == custom_.end() ? QString() : found->second;
}

void GameGroups::SetMembership(int gameId, const QString &text)
{
    if (QString *target = letters(gameId))
        *target = text.left(MaxLetters);
}

bool GameGroups::addLetter(int gameId, QChar letter)
{
    QString *target = letters(gameId);
    // A game already in eight groups joins no further one.
    if (!target || target->contains(letter) || target->size() >= MaxLetters)
        return false;
    target->append(letter);
    return true;
}

void GameGroups::removeLetter(int gameId, QChar letter)
{
    if (QString *target = letters(gameId)) {
        const qsizetype at = target->indexOf(letter);
        if (at >= 0)
            target->remove(at, 1);
    }
}

void GameGroups::replaceLetter(QChar from, QChar to)
{
    for (QString &text : builtIn_)
        text.replace(from, to);
    for (auto &[id, text] : custom_)
        text.replace(from, to);
}

void GameGroups::AddToRecentlyPlayed(int gameId)
{
    if (!letters(gameId))
        return;
    addLetter(gameId, groupLetter(RecentlyPlayedGroup));
    recent_.removeAll(gameId);
    recent_.prepend(gameId);
    while (recent_.size() > MaxRecent)
        removeLetter(recent_.takeLast(), groupLetter(RecentlyPlayedGroup));
}

void GameGroups::ClearRecentlyPlayed()
{
    for (int gameId : std::as_const(recent_))
        removeLetter(gameId, groupLetter(RecentlyPlayedGroup));
    recent_.clear();
}

void GameGroups::SetRecentlyPlayed(const QList<int> &ids)
{
    recent_ = ids.mid(0, MaxRecent);
}

void GameGroups::AddToFavorites(int gameId)
{
    addLetter(gameId, groupLetter(FavoritesGroup));
}

void GameGroups::DeleteFromFavorites(int gameId)
{
    removeLetter(gameId, groupLetter(FavoritesGroup));
}

void GameGroups::MarkDefaultFavorites()
{
    for (int gameId : {1, 2, 4, 5, 16, 18})
        AddToFavorites(gameId);
}

void GameGroups::ResetGroups()
{
    groups_ = {{QString::fromLatin1(FavoriteGamesName), FavoritesGroup},
               {QString::fromLatin1(RecentlyPlayedGamesName), RecentlyPlayedGroup}};
}

void GameGroups::SetGroups(std::vector<GameGroup> groups)
{
    groups_ = std::move(groups);
}

int GameGroups::CreateGroup(const QString &name)
{
    const QString trimmed = usableName(name);
    if (trimmed.isEmpty() || int(groups_.size()) >= MaxGroups)
        return 0;
    for (const GameGroup &group : groups_)
        if (group.Name == trimmed)
            return 0;
    const int number = int(groups_.size()) + 1;
    groups_.push_back({trimmed, number});
    return number;
}

bool GameGroups::RenameGroup(int number, const QString &name)
{
    const QString trimmed = usableName(name);
    if (number <= RecentlyPlayedGroup || trimmed.isEmpty())
        return false;
    GameGroup *target = nullptr;
    for (GameGroup &group : groups_) {
        if (group.Name == trimmed && group.Number != number)
            return false;
        if (group.Number == number)
            target = &group;
    }
    if (!target)
        return false;
    target->Name = trimmed;
    return true;
}

bool GameGroups::DeleteGroup(int number)
{
    if (number <= RecentlyPlayedGroup || number > int(groups_.size()))
        return false;
    replaceLetter(groupLetter(number), QChar());
    for (QString &text : builtIn_)
        text.remove(QChar());
    for (auto &[id, text] : custom_)
        text.remove(QChar());
    groups_.erase(groups_.begin() + (number - 1));
    for (int later = number + 1; later <= int(groups_.size()) + 1; ++later)
        replaceLetter(groupLetter(later), groupLetter(later - 1));
    for (std::size_t index = 0; index < groups_.size(); ++index)
        groups_[index].Number = int(index) + 1;
    return true;
}

bool GameGroups::AddToGroup(int gameId, int number)
{
    if (number < 1 || number > int(groups_.size()))
        return false;
    if (number == RecentlyPlayedGroup) {
        if (recent_.contains(gameId))
            return false;
        AddToRecentlyPlayed(gameId);
        return true;
    }
    return addLetter(gameId, groupLetter(number));
}

void GameGroups::RemoveFromGroup(int gameId, int number)
{
    if (number == FavoritesGroup) {
        DeleteFromFavorites(gameId);
        return;
    }
    if (number == RecentlyPlayedGroup)
        recent_.removeAll(gameId);
    removeLetter(gameId, groupLetter(number));
}

void GameGroups::CustomGameRemoved(int gameId)
{
    if (gameId < FirstCustomId)
        return;
    std::map<int, QString> moved;
    for (auto &[id, text] : custom_) {
        if (id < gameId)
            moved[id] = text;
        else if (id > gameId)
            moved[id - 1] = text;
    }
    custom_ = std::move(moved);
    QList<int> recent;
    for (int id : std::as_const(recent_)) {
        if (id == gameId)
            continue;
        recent.append(id > gameId ? id - 1 : id);
    }
    recent_ = recent;
}
