#pragma once

#include <QString>

class GameTable;

// The table as text, for players who share deals, for tests and for solvers: a first line
// "game GAME number NUMBER", one line per pile in DeckID order "<DeckID> <slot>: <cards>"
// (bottom card first; rank "A23456789TJQK" and suit "CDHS", upper case face up, lower case
// face down), and a last line "score <Score>". Every line ends with a newline.
QString DealPrintout(const GameTable &table, int gameId, quint32 gameNumber);

// The slot of the main window that holds the pile: "Stock", "Waste", "WasteFan",
// "Foundation<i>", "Cell<i>", "Tableau<i>" (1-based), looked up in that order; "-" for none.
QString SlotName(const GameTable &table, const class TDeck *pile);

// Deals game gameId with the game number on a table that is never shown, exactly as New
// Game deals it, before any automatic move. Ids without a deal of their own get the
// fall-back deal, Bisley.
void DealForPrinting(GameTable &table, int gameId, quint32 gameNumber);
