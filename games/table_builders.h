#pragma once

class GameTable;
class PileRow;
class TDeck;

// The builders every deal lays its table out with. Positions and spreads are in layout
// units; rows are numbered from 1 in their slots, and a row's first pile holds the row's
// length in its DeckTag. The rules come from the current game's record.

// Applies the game's redeal setting to the table's Rotation_Number and Rotation_Counter.
// A new pile on the table at a place given in layout units.
TDeck *NewPile(GameTable &table, int left, int top);

void BuildRedeals(GameTable &table, int gameId);

// The stock, the waste and, for three cards per click, the waste fan aligned to the waste.
void BuildStockAndWaste(GameTable &table, int stockLeft, int stockTop, int wasteTop, int wasteLeft);

// Count foundations from (left, top), each step further right (horizontal) or down.
void BuildFoundationRow(GameTable &table, int left, int top, int baseRank, int count, PileRow &slots, int step,
                        bool horizontal);

// Count tableau piles from (left, top), then the careful-move setting of the foundations.
void BuildTableauRow(GameTable &table, PileRow &foundationSlots, int baseRank, int gShift, int vShift, int count,
                     PileRow &slots, int step, bool horizontal, int top, int left);

// A foundation row and a tableau row with one base rank, in the argument order the deals quote.
void BuildRows(GameTable &table, int foundationLeft, int foundationTop, int tableauGShift, int tableauVShift,
               int tableauCount, PileRow &tableauSlots, int tableauStep, bool tableauHorizontal, int tableauTop,
               int tableauLeft, int baseRank, int foundationCount, PileRow &foundationSlots, int foundationStep,
               bool foundationHorizontal);

// Lets the automatic moves play freely (Wait false on every foundation) when foundations
// and tableau build in opposite directions under the same suit condition.
void SetCarefulMoves(PileRow &foundationSlots, PileRow &tableauSlots);

// Puts the first n cards of the card array on the pile, visible, and sets the score to -n.
void FillPack(GameTable &table, TDeck *pile, int n);
