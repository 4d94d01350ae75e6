#pragma once

#include <functional>

class GameTable;

// A game's deal routine: builds the piles on the cleared table by the rules of the table's
// current game, deals the cards and installs the game's cycle.
using DealRoutine = std::function<void(GameTable &table)>;
// The deal of a base game id; empty for ids this edition has no deal of its own for.
DealRoutine DealRoutineFor(int baseGameId);

// Rewrites the suits of all 208 cards: 4 gives each card its own suit, 2 makes the black
// suits Spades and the red ones Hearts, 1 makes every card a Spade.
void SetCardSuits(GameTable &table, int suits);
// The number of suits a base game is dealt with (the two Spider variants use fewer).
int SuitsOfGame(int baseGameId);

// The game dealt for every id without a deal of its own: Bisley.
inline constexpr int FallBackGameId = 10;
