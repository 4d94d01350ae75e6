#pragma once

class GameTable;
class TCard;
class TDeck;

// The answers of foundations and tableau piles to "may this card be put here". Each
// handler starts by refusing; it may replace card by another card of the source pile (to
// move more cards), or set it to nullptr: accepted, and nothing more is left to move.
// clicked is true only for a move the player makes, false for probes.

void FoundationAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked);

// Tableau acceptance. Where the tableau has no group rule and its piles may serve as
// spares, a group is carried card by card through the empty spare piles.
void TableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked);

// The same for Yukon variants without "any face-up group": a group may have as many cards
// on its lowest card as there are spares, and is carried by parking each upper card in a
// spare of its own.
void YukonTableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked);

// May the card, with the cards on it, be dragged off its spread tableau pile.
void TableauDragSelect(GameTable &table, TCard *card, bool &action);

// May the dragged card, with the cards on it, be dropped on the target. A card that does
// not fit is still taken when the target's acceptance takes its face-up run from a deeper
// card (the drop then moves that card and everything on it).
void TableauDragRule(GameTable &table, TCard *card, TDeck *target, bool &action);
