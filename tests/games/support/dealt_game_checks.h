#pragma once

#include "games/game_definition.h"
#include "games/game_table.h"
#include "table_checks.h"

#include <QtGlobal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

// The pack of a deal, stated apart from the game code: cards written as in TableFixture,
// lower case, bottom card first. A draw takes the n-th card from the top, n = Random(count)
// + 1, with the game number's generator written out here once more.
class ModelPack {
public:
    // The first 52 cards of the card array, in array order (suits CDHS, ranks A..K).
    explicit ModelPack(quint32 seed);
    std::vector<std::string> cards;

    quint32 Random(quint32 n);
    // Draws a card; empty when the pack is empty (the generator still advances).
    std::string Draw();
    static std::string Up(std::string card);
    static char Rank(const std::string &card) { return card.empty() ? '?' : char(std::tolower(card[0])); }
    static std::string Join(const std::vector<std::string> &cards);

private:
    quint32 seed;
};

// Frees the piles and takes every card off the table, ready for another deal.
void ClearTable(GameTable &table);

// Random legal moves taken from the table's move search, mixed with the extra actions
// (stock clicks, double-clicks, ...), undo, redo and the game's cycle; after every step
// the location tables must agree with the piles.
::testing::AssertionResult PlayRandomly(GameTable &table, std::mt19937 &random, int steps,
                                        const std::function<void()> &cycle,
                                        const std::vector<std::function<void()>> &extras = {});

// Deals the game as New Game does, on a cleared table, by its own rules.
void DealGame(GameTable &table, const GameDefinition &game, quint32 number);
// The same by the rules given.
void DealGame(GameTable &table, const GameDefinition &game, const GameRules &rules, quint32 number);

// The card of the first pack named by code ("QH" or "qh"), wherever it lies.
TCard *FindCard(const GameTable &table, const std::string &code);
