#pragma once

#include "games/game_definition.h"

#include <span>

// Every game this program deals, in id order.
std::span<const GameDefinition *const> DealtGames();

// The definition of a built-in id; nullptr for an id this program has no deal for.
const GameDefinition *FindGameDefinition(int gameId);

// The table a game needs at the standard card, by base game id; games without a deal of
// their own share one middling size.
QSize NominalTableSize(int baseGameId);

// Deals the game by the rules on the cleared table and installs its cycle as the handler
// of the table's auto-timer.
void DealDefinedGame(const GameDefinition &game, GameTable &table, const GameRules &rules);
