#pragma once

#include "games/game_definition.h"

class GameTable;
class TDeck;

extern const GameDefinition NestorGame;

// Nestor: eight columns of six face-up cards, no column holding two cards of one rank, and
// a reserve of four cards; pairs of exposed cards of the same rank are discarded, and the
// game is won when all 52 cards lie on the discard pile.
void DealNestor(GameTable &table, const GameRules &rules);

// The double-click: the pile's top card to the first other column or reserve pile whose
// top card has its rank (the pair then goes to the discard pile).
void NestorDoubleClick(GameTable &table, TDeck *pile);

// One tick of the cycle: the won test, else the blocked test.
void NestorCycle(GameTable &table);
