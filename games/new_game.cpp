#include "games/new_game.h"

#include "engine/card.h"
#include "games/catalogue.h"
#include "games/game_definitions.h"
#include "games/game_table.h"

DealRoutine DealRoutineFor(int baseGameId)
{
    const GameDefinition *game = FindGameDefinition(baseGameId);
    if (!game)
        return nullptr;
    return [game](GameTable &table) { DealDefinedGame(*game, table, table.Rules()); };
}

void SetCardSuits(GameTable &table, int suits)
{
    for (int index = 0; index < GameTable::CardCount; ++index) {
        const int ownSuit = index % 52 / 13 + 1;
        const int rank = index % 13 + 1;
        int suit = ownSuit;
        if (suits == 2)
            suit = ownSuit == 1 || ownSuit == 4 ? 4 : 3;
        else if (suits == 1)
            suit = 4;
        table.Card(index)->SetCardFace(suit * 256 + rank);
    }
}

int SuitsOfGame(int baseGameId)
{
    const GameDefinition *game = FindGameDefinition(baseGameId);
    return game ? game->suits : 4;
}
