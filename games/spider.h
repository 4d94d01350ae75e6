#pragma once

class GameTable;
class TCard;

// Spider (game id 181) with two packs, and Spider Two Suit (301) and Spider One Suit (302),
// dealt alike after the cards' suits have been rewritten: ten columns built down in any
// suit, runs in suit moving as a unit, a complete run from King to Ace leaving for one of
// eight foundations, and a stock that deals one card onto every column.
void DealSpider(GameTable &table);

// Card upper may lie on card lower inside a movable run: down in suit, and lower is no Ace.
bool SpiderRunLink(const TCard *lower, const TCard *upper);

// The score: 5 for every run-linked pair of face-up cards in the columns and 65 for every
// completed run, less 104.
int SpiderScore(const GameTable &table);

// The cycle: complete runs go home when automatic moves are on, then the score, the won
// test and the blocked test.
void SpiderCycle(GameTable &table);
