#pragma once

#include <QString>

class GameTable;
class TBoard;

// Klondike (game id 108, and custom variants built on it): lays out the stock and waste
// (with the three-card fan when three cards are turned per click), four foundations from
// the Ace and seven columns, deals the shuffled pack from the waste in its fixed draw
// order, and installs the shared automatic-move cycle.
void DealKlondike(GameTable &table);

// The status bar's redeal panel: "Redeals: " and the redeals left, "Redeals: Unlimited", or
// empty when the panel is hidden.
QString RedealsText(const TBoard &board);
