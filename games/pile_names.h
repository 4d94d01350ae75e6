#pragma once

#include <QString>

class GameTable;
class TDeck;

// A pile's name by its slot in the game ("tableau 3", "foundation 1", "free cell 2",
// "stock", "waste"); empty for a pile in no slot.
QString PileName(const GameTable &table, const TDeck *pile);
