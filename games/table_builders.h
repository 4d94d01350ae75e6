#pragma once

#include "games/game_rules.h"

class GameTable;
class PileRow;
class TDeck;

// The builders every deal lays its table out with. Positions and spreads are in layout
// units; rows are numbered from 1 in their slots, and a row's first pile holds the row's
// length in its DeckTag. The rules are those the game is dealt with.

// A place on the table.
struct Place {
    int left = 0;
    int top = 0;
};

// Count piles from (left, top), each the step further right, or further down when vertical.
struct Row {
    int left = 0;
    int top = 0;
    int step = 0;
    int count = 0;
    bool vertical = false;
};

// How far each card of a pile lies below (vShift) and to the right of (gShift) the one beneath.
struct Spread {
    int vShift = 0;
    int gShift = 0;
};

struct StockLayout {
    Place stock = {};
    Place waste = {};
};

// Foundations that start with the base rank.
struct FoundationRow {
    Row row = {};
    int baseRank = 1;
};

// Tableau piles; their base rank is that of the foundations they serve.
struct TableauRow {
    Row row = {};
    Spread spread = {};
    int baseRank = 1;
};

// A new pile on the table at a place given in layout units.
TDeck *NewPile(GameTable &table, int left, int top);

// Applies the redeal setting to the table's Rotation_Number and Rotation_Counter.
void BuildRedeals(GameTable &table, const StockRules &rules);

// The stock, the waste and, for three cards per click, the waste fan aligned to the waste.
void BuildStockAndWaste(GameTable &table, const StockRules &rules, const StockLayout &layout);

// The opening of a stock's OnSelect that deals on a click: nothing is taken off the stock,
// it may be clicked, and a probe (clicked false) learns whether a click would deal. True
// when the call was a probe and is fully answered.
bool AnswerStockProbe(const TDeck *stock, bool &action, bool clicked, bool &clickable, bool &actionOnClick);

void BuildFoundationRow(GameTable &table, const FoundationRules &rules, const FoundationRow &row, PileRow &slots);

// The tableau piles, then the careful-move setting of the foundations.
void BuildTableauRow(GameTable &table, const TableauRules &rules, const TableauRow &row, PileRow &slots,
                     PileRow &foundationSlots);

// A foundation row and then a tableau row.
void BuildRows(GameTable &table, const GameRules &rules, const FoundationRow &foundations, PileRow &foundationSlots,
               const TableauRow &tableau, PileRow &tableauSlots);

// A pile that takes pairs as they are discarded, in the first foundation slot: nothing is
// put on it or taken off it by the player.
TDeck *BuildDiscardPile(GameTable &table, Place at);

// Lets the automatic moves play freely (Wait false on every foundation) when foundations
// and tableau build in opposite directions under the same suit condition.
void SetCarefulMoves(PileRow &foundationSlots, PileRow &tableauSlots);

// Puts the first n cards of the card array on the pile, visible, and sets the score to -n.
void FillPack(GameTable &table, TDeck *pile, int n);
