#pragma once

#include <initializer_list>

class GameTable;
class PileRow;
class TDeck;
struct TRule;

// The automatic moves to the foundations, the won and blocked tests and the shared cycle
// that runs them on every tick of the table's auto-timer.

// Plays base cards (rank baseRank) from the sources and from special (or the pile aligned
// to it while that shows a face-up card) to empty foundations, round after round. Unless
// anySuit, a base card waits while a foundation already shows its suit.
void AutoMoveBaseCards(PileRow &foundations, int foundationCount, PileRow &sources, bool anySuit, int baseRank,
                       TDeck *special, int sourceCount);

// Plays at most one card to a foundation that the rule lets it lie on. Careful: only a
// card at most one step ahead of the least advanced foundation goes up. Returns true when
// a card moved.
bool AutoMoveToFoundations(PileRow &foundations, int foundationCount, PileRow &sources, bool specialFirst,
                           bool careful, int baseRank, const TRule *rule, TDeck *special, int sourceCount);

// The place of a rank in a foundation row built from baseRank: 1 for the base card up to 13.
int RelativeRankUp(int rank, int baseRank);
// Downward: 13 for the base card down to 1.
int RelativeRankDown(int rank, int baseRank);

// Every foundation 1..foundationCount is complete: 13 cards, or full at a positive MaxCardCount.
bool IsGameWon(const PileRow &foundations, int foundationCount);

// No move is left, or the only one takes back the last move ("ShowStuckMessage" must be on).
bool IsGameBlocked(GameTable &table);

// Stores the blocked state; the window hears of it only when it changes.
void SetYouAreStuck(GameTable &table, bool value);

// The end of every game's cycle: a won game starts the won sequence and the cycle stops;
// otherwise the stuck test runs and the cycle goes on.
void EndCycle(GameTable &table, bool won);

// The double-click move: the pile's top card to the first foundation that takes it.
void SendToFoundation(GameTable &table, TDeck *pile);

// A row of piles the foundation cycle plays from: piles 1..count, and the pile (a waste)
// served together with them.
struct CycleSource {
    PileRow &piles;
    int count = 0;
    TDeck *special = nullptr;
};

// The cycle of the games that build up on foundations: base cards from each source in
// turn, then, when automatic moves are on, one card from each source in turn, then the won
// or the blocked test. The first foundation gives the base rank, the rule and whether the
// moves are careful; without one the cycle stops.
void FoundationCycle(GameTable &table, std::initializer_list<CycleSource> sources);

// The cycle shared by Klondike and FreeCell: the foundation cycle over the whole tableau
// row with the waste.
void Uni_Timer(GameTable &table);
