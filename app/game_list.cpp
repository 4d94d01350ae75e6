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
