#pragma once

#include "games/game_definition.h"

#include <QString>

class GameTable;
class TBoardState;

extern const GameDefinition KlondikeGame;

// Klondike (and custom variants built on it): lays out the stock and waste (with the
// three-card fan when three cards are turned per click), four foundations from the Ace and
// seven columns, and deals the shuffled pack from the waste in its fixed draw order. Its
// cycle is the shared Uni_Timer.
void DealKlondike(GameTable &table, const GameRules &rules);

// Klondike's stock and waste handlers, one-card and three-card, for BuildStockAndWaste to
// hang on the piles it builds; the double-click of the waste is SendToFoundation.
void InstallStockHandlers(GameTable &table);
// With a three-card fan: the fan follows the waste's top card through undo and redo.
void InstallFanHandlers(GameTable &table);

// The status bar's redeal panel: "Redeals: " and the redeals left, "Redeals: Unlimited", or
// empty when the panel is hidden.
QString RedealsText(const TBoardState &board);
