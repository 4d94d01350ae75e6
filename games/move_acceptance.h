#pragma once

#include "games/move_answer.h"

class GameTable;
class TCard;
class TDeck;

// The pile events of the shared acceptances. Each one takes its answer from AnswerMove;
// only a real click then acts on it: it asks the player what the answer leaves open and
// carries groups through the spares. The events' in-out answers: action, and card, which
// may be replaced by another card of the source pile (to move more cards) or set to
// nullptr (accepted, and nothing more is left to move).

// OnAddWithRule of a pile with the given acceptance; clicked is true only for a move the
// player makes, false for probes.
void AcceptMove(GameTable &table, Acceptance acceptance, TDeck *target, TCard *&card, bool &action, bool clicked);

void FoundationAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked);
void TableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked);

// May the card, with the cards on it, be dragged off its spread tableau pile.
void TableauDragSelect(GameTable &table, TCard *card, bool &action);

// May the dragged card, with the cards on it, be dropped on the target: the target's answer
// for a drag. A card that does not fit is still taken when the answer moves its face-up run
// from a deeper card (the drop then moves that card and everything on it).
void TableauDragRule(GameTable &table, TCard *card, TDeck *target, bool &action);

// Hangs the acceptance on a tableau pile: OnAddWithRule and, on a spread pile, OnDragSelect
// and OnDragRule, all answered from the same acceptance.
void HangTableauAcceptance(GameTable &table, TDeck *pile, Acceptance acceptance);
