#pragma once

#include "solve/solver.h"

class GameTable;

// The Klondike position on the table (three cards a click, the redeals left); nullptr
// when the table does not hold one.
std::unique_ptr<SolverPosition> ReadKlondikePosition(const GameTable &table);

// The Yukon position on the table; nullptr when the table does not hold one.
std::unique_ptr<SolverPosition> ReadYukonPosition(const GameTable &table);
