#include "app/game_list.h"

#include "games/catalogue.h"
#include "games/game_definitions.h"

#include <algorithm>

namespace {

bool listed(const GameListSource &source, int gameId)
{
    return source.dealAvailable ? source.dealAvailable(gameId) : HasDeal(gameId);
}

const char *difficultyText(Difficulty difficulty)
{
    switch (difficulty) {
    case Difficulty::Easy:
        return GameListText::Easy;
    case Difficulty::Average:
        return GameListText::Average;
    case Difficulty::Difficult:
        return GameListText::Difficult;
    }
    return GameListText::Average;
}

QString decksText(const GameDefinition &game)
{
    return QString::number(game.packs);
}

const QString &columnText(const GameRow &row, int column)
{
    switch (column) {
    case 2:
        return row.Difficulty;
    case 3:
        return row.Decks;
    default:
        return row.Name;
    }
}

} // namespace

std::vector<GameRow> buildGameRows(const GameListSource &source)
{
    std::vector<GameRow> rows;
    for (const GameDefinition *game : DealtGames()) {
        if (!listed(source, game->id))
            continue;
        rows.push_back({game->id, GameName(game->id), QString::fromLatin1(difficultyText(game->difficulty)),
                        decksText(*game)});
    }
    if (!source.customs)
        return rows;
    for (int index = 0; index < std::max(0, source.customCount); ++index) {
        const auto variant = source.customs->CustomGame(index);
        if (!variant)
            continue;
        const GameDefinition *base = FindGameDefinition(variant->BaseGameId);
        if (!base || !listed(source, variant->BaseGameId))
            continue;
        rows.push_back({CustomGameId(index), variant->Name, QString::fromLatin1(GameListText::Modified),
                        decksText(*base)});
    }
    return rows;
}

int nextSortState(int state, int clickedColumn)
{
    if (clickedColumn < 1 || clickedColumn > 3)
        return state;
    return std::abs(state) == clickedColumn ? -state : clickedColumn;
}

void sortGameRows(std::vector<GameRow> &rows, int state)
{
    const int column = std::clamp(std::abs(state), 1, 3);
    const bool descending = state < 0;
    std::stable_sort(rows.begin(), rows.end(), [&](const GameRow &a, const GameRow &b) {
        const int order = QString::localeAwareCompare(columnText(a, column), columnText(b, column));
        return descending ? order > 0 : order < 0;
    });
}

QString *GameGroups::letters(int gameId)
{
    if (IsBuiltInGameId(gameId))
        return &builtIn_[std::size_t(gameId)];
    if (IsCustomGameId(gameId))
        return &custom_[gameId];
    return nullptr;
}

QString GameGroups::Membership(int gameId) const
{
    if (IsBuiltInGameId(gameId))
        return builtIn_[std::size_t(gameId)];
    const auto found = custom_.find(gameId);
    return found == custom_.end() ? QString() : found->second;
}

void GameGroups::SetMembership(int gameId, const QString &text)
{
    if (QString *target = letters(gameId))
        *target = text.left(MaxLetters);
}

void GameGroups::addLetter(int gameId, QChar letter)
{
    QString *target = letters(gameId);
    // A game already in eight groups joins no further one.
    if (target && !target->contains(letter) && target->size() < MaxLetters)
        target->append(letter);
}

void GameGroups::removeLetter(int gameId, QChar letter)
{
    if (QString *target = letters(gameId))
        target->remove(letter);
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

void GameGroups::CustomGameRemoved(int gameId)
{
    if (!IsCustomGameId(gameId))
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
        recent.append(id > gameId && IsCustomGameId(id) ? id - 1 : id);
    }
    recent_ = recent;
}
