#pragma once

#include "games/game_table.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

// Every card's row in the table's location table agrees with where the card lies.
::testing::AssertionResult LocationsAgree(const GameTable &table);

// The number of cards lying in the table's piles.
int CardsInPiles(const GameTable &table);

// Empties every pile of the table and puts the given cards on the named slots (bottom card
// first, "KS" face up, "ks" face down), using fresh copies from the card array.
void LayOut(GameTable &table, const std::vector<std::pair<std::string, std::string>> &slots);

// One random step of play: a drag of a random face-up card onto a random pile, a move from
// the hint search, a click on a random pile, undo, redo or the game's cycle.
void RandomStep(GameTable &table, std::mt19937 &random);
