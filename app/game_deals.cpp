#include "app/game_picture.h"
#include "games/game_definitions.h"
#include "games/game_table.h"
#include "games/new_game.h"

// Every dealt game, with the number of suits it is dealt with (the Spider variants deal
// Spider with fewer).
void registerDealtGames(GameDeals &deals)
{
    for (const GameDefinition *game : DealtGames()) {
        const int gameId = game->id;
        deals.Set(gameId, [routine = DealRoutineFor(gameId), gameId](GameTable &table) {
            SetCardSuits(table, SuitsOfGame(gameId));
            routine(table);
        });
    }
}
