#pragma once

#include <vector>

class GameTable;
class TCard;
class TDeck;

// The acceptances the deals hang on their piles.
enum class Acceptance {
    Foundation,       // builds on its top card; groups only from a pile with a group rule
    Tableau,          // by the group rule, or carried through the spares where there is none
    TableauByParking, // as Tableau, but a group is carried by parking each upper card in a spare
    YukonTableau,     // any face-up card with the cards on it, when that card itself fits
};

// Who asks. A click, and every probe (automatic moves, the stuck test, the move search),
// asks through OnAddWithRule; a drag through OnDragRule. A drag moves the cards it holds and
// asks nobody: it takes a deeper card of the run along only from a spread pile, and an
// empty pile that fills without asking takes a single card from it.
enum class MoveRoute { Click, Drag };

// How the group from the answer's card reaches the target.
enum class MoveCarry {
    Direct,        // all at once
    ThroughSpares, // card by card through the spare piles, halving the work through spare columns
    ByParking,     // each upper card parked in a spare of its own, then brought back
};

// What a clicked move asks the player before anything moves.
enum class MoveQuestion {
    None,
    WholeRunOrOneCard, // "Move to empty column...": the whole run, the single card, or nothing
    WhichKing,         // several Kings could go to the empty column
    WhichCard,         // several cards of the run fit the target
};

// The answer to "may this card, with the cards on it, go onto the target".
struct MoveAnswer {
    bool Accepted = false;
    // The lowest card that moves when nobody is asked: the card asked about, or a deeper card
    // of its run.
    TCard *Card = nullptr;
    MoveCarry Carry = MoveCarry::Direct;
    MoveQuestion Question = MoveQuestion::None;
    // WholeRunOrOneCard: the lowest card of the whole run, and how that run is carried.
    TCard *RunCard = nullptr;
    MoveCarry RunCarry = MoveCarry::Direct;
    // WhichKing, WhichCard: the cards offered, in pile order from the card asked downwards;
    // the first is Card.
    std::vector<TCard *> Choices;
};

// The one answer every route asks. It moves nothing and asks nobody.
MoveAnswer AnswerMove(const GameTable &table, Acceptance acceptance, const TDeck *target, TCard *card,
                      MoveRoute route);

// Whether a card with the cards on it may be dragged off its spread tableau pile: a run by
// the pile's group rule or, without one, by its rule and no longer than the spares carry.
bool MayDragRun(const GameTable &table, Acceptance acceptance, const TCard *card);
