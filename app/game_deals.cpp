#include "app/game_list.h"
#include "app/game_picture.h"
#include "games/game_table.h"
#include "games/new_game.h"

// Every listed game whose deal routine has landed in games/, with the number of suits it is
// dealt with (the Spider variants deal Spider's routine with fewer suits).
void registerDealtGames(GameDeals &deals)
{
    for (const EditionGame &game : editionGames()) {
        const int gameId = game.GameId;
        const DealRoutine routine = DealRoutineFor(gameId);
        if (!routine)
            continue;
        deals.Set(gameId, [routine, gameId](GameTable &table) {
            SetCardSuits(table, SuitsOfGame(gameId));
            routine(table);
        });
    }
}
