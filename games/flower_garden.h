#pragma once

#include "games/game_definition.h"

class GameTable;

extern const GameDefinition FlowerGardenGame;
extern const GameDefinition BouquetGame;

// Flower Garden and Bouquet, one deal for both: six beds fanned sideways that build down
// regardless of suit, sixteen overlapping reserve cards that may be played anywhere, four
// foundations up in suit from the Aces. Flower Garden moves runs as a unit; Bouquet moves
// single cards and carries runs through the empty beds.
void DealFlowerGarden(GameTable &table, const GameRules &rules);

// One tick of the cycle: base cards, then (automatic moves on) one card from the reserve
// and one from the beds, then the won or blocked test.
void FlowerGardenCycle(GameTable &table);

// Brings the reserve cards to the front in order 1..16, so each overlaps its left neighbour.
void RestackReserve(GameTable &table);
