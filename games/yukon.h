#pragma once

#include "games/game_definition.h"

class GameTable;
class TCard;
class TDeck;

extern const GameDefinition YukonGame;

// Yukon (and custom variants built on it): all 52 cards on seven columns, most of them face
// up, and four foundations from the Ace. Any face-up card moves with the cards lying on it
// as long as that card fits the target; where several cards of a column could be the one
// to move, the player picks the card.
void DealYukon(GameTable &table, const GameRules &rules);

// The cycle: base cards, one automatic move, then the won or the blocked test.
void YukonCycle(GameTable &table);
