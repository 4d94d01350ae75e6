#pragma once

#include "games/game_rules.h"

#include <QSize>

class GameTable;

// How hard the game selection dialog says a game is.
enum class Difficulty { Easy, Average, Difficult };

// Everything the program knows of one game it deals, written once in the game's own file.
struct GameDefinition {
    int id = 0;
    const char *name = "";
    int suits = 4; // 4, or 2 and 1 for the Spider variants that rewrite the cards' suits
    int packs = 1;
    Difficulty difficulty = Difficulty::Average;
    bool automaticPlay = false; // the Autoplay menu item is offered
    // The table at the standard card (71 x 96), for sizing the cards to the screen or window.
    QSize tableSize = {};
    // The rules the game is dealt with unless a custom variant gives its own.
    GameRules rules = {};
    // Lays out the piles on the cleared table by the rules and deals the cards.
    void (*deal)(GameTable &table, const GameRules &rules) = nullptr;
    // Runs on every tick of the table's auto-timer.
    void (*cycle)(GameTable &table) = nullptr;
};
