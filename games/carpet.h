#pragma once

#include "games/game_definition.h"

class GameTable;
class TDeck;

extern const GameDefinition CarpetGame;

// Carpet (and custom variants built on it): a carpet of twenty face-up cards from which
// cards go to four foundations up in suit; a gap in the carpet is filled from the waste
// only, and the stock is turned without redeal.
void DealCarpet(GameTable &table, const GameRules &rules);

// The double-click on the waste (or the fan): its top card to the first foundation that
// takes it, else into the first gap of the carpet.
void CarpetDoubleClick(GameTable &table, TDeck *pile);

// One tick of the cycle: Aces to the foundations, then the won or blocked test.
void CarpetCycle(GameTable &table);
