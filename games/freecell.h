#pragma once

#include "games/game_definition.h"

#include <QString>

class GameTable;

extern const GameDefinition FreeCellGame;

// FreeCell (and custom variants built on it): four cells that hold one card each, four
// foundations from the Ace and eight columns dealt face up from a temporary pack. Groups
// move between columns card by card through the empty cells and columns. The cells follow
// the columns in the tableau row (Tableau 9..12 are Cells 1..4), so the automatic moves and
// the blocked test take cards from them too. Its cycle is the shared Uni_Timer.
void DealFreeCell(GameTable &table, const GameRules &rules);

// The eight columns in the board format FreeCell solvers read: one column a line, bottom
// card first, cards as rank "A23456789TJQK" and suit "CDHS" separated by spaces.
QString FreeCellSolverBoard(const GameTable &table);
