#pragma once

#include "solve/solver.h"

class GameTable;

// The position on the table in each game's solver form; nullptr when the table does not
// hold such a position.

// Open columns beside single-card places: FreeCell (free cells), Flower Garden and Bouquet
// (a reserve of cards that only leave; runs move as a unit in Flower Garden).
std::unique_ptr<SolverPosition> ReadFreeCellPosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadFlowerGardenPosition(const GameTable &table, bool runsMove);
// Klondike (three cards a click, the redeals left) and Yukon (no stock, any face-up group).
std::unique_ptr<SolverPosition> ReadKlondikePosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadYukonPosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadCarpetPosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadBisleyPosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadNestorPosition(const GameTable &table);
std::unique_ptr<SolverPosition> ReadMonteCarloPosition(const GameTable &table);
// Spider with one, two or four suits.
std::unique_ptr<SolverPosition> ReadSpiderPosition(const GameTable &table);
