#pragma once

#include "games/game_definition.h"

class GameTable;
class TCard;

extern const GameDefinition SpiderGame;
extern const GameDefinition SpiderTwoSuitGame;
extern const GameDefinition SpiderOneSuitGame;

// Spider with two packs, and Spider Two Suit and Spider One Suit, dealt alike after the
// cards' suits have been rewritten: ten columns built down in any suit, runs in suit moving
// as a unit, a complete run from King to Ace leaving for one of eight foundations, and a
// stock that deals one card onto every column. The deal lays down its own rules.
void DealSpider(GameTable &table, const GameRules &rules);

// Card upper may lie on card lower inside a movable run: down in suit, and lower is no Ace.
bool SpiderRunLink(const TCard *lower, const TCard *upper);

// The score: 5 for every run-linked pair of face-up cards in the columns and 65 for every
// completed run, less 104.
int SpiderScore(const GameTable &table);

// The cycle: complete runs go home when automatic moves are on, then the score, the won
// test and the blocked test.
void SpiderCycle(GameTable &table);
