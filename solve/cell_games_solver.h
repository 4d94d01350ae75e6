#pragma once

#include "solve/solver.h"

class GameTable;

// The games of open columns beside single-card places: FreeCell (free cells), Flower Garden
// and Bouquet (a reserve of cards that only leave). nullptr when the table does not hold
// such a position.
std::unique_ptr<SolverPosition> ReadFreeCellPosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadFlowerGardenPosition(const GameTable &table, bool runsMove);
