#pragma once

#include "games/game_definition.h"

class GameTable;
class TDeck;

extern const GameDefinition MonteCarloGame;

// Monte Carlo: 25 cards face up in a 5 x 5 grid; pairs of one rank that are neighbours in
// a row, a column or a diagonal go to the discard pile; the "Re&Arrange" table button
// closes the gaps and refills the grid from the stock.
void DealMonteCarlo(GameTable &table, const GameRules &rules);

// Two grid places are neighbours when their tags differ by 1, 9, 10 or 11.
bool MonteCarloNeighbours(const TDeck *first, const TDeck *second);

// "Re&Arrange": closes the gaps and refills from the stock, in one journal group.
void MonteCarloRearrange(GameTable &table);

// Enables the button while a gap can be closed or filled.
void UpdateMonteCarloButton(GameTable &table);

// The cycle: the won test, the button and the blocked test.
void MonteCarloCycle(GameTable &table);
