#pragma once

#include "games/game_definition.h"

class GameTable;

extern const GameDefinition BisleyGame;

// Bisley (the game dealt for every id without a deal of its own, and custom variants built
// on it): Ace foundations building up and King foundations building down in suit, twelve
// columns of four face-up cards; a King leaves its column for the King foundation of its
// suit, and where the two foundations of a suit meet the King foundation's cards join the
// Ace foundation.
void DealBisley(GameTable &table, const GameRules &rules);

// One tick of Bisley's cycle: Kings home, one pass of automatic moves when they are on,
// the meeting foundations joined, then the won or blocked test.
void BisleyCycle(GameTable &table);
