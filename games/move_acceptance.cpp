#include "games/move_acceptance.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/game_table.h"
#include "games/group_move.h"
#include "games/rule_predicates.h"

namespace {

// FillEmpty values the acceptance reads besides the ranks 1..13.
constexpr int FillNothing = 0;
constexpr int FillAny = -1;
constexpr int FillAnyUnasked = -2;

bool isFull(const TDeck *pile)
{
    return pile->MaxCardCount >= 0 && pile->CardsCount() == pile->MaxCardCount;
}

bool isRank(int value)
{
    return value >= 1 && value <= 13;
}

// The target refuses every card from a pile of its DisabledTag.
bool tagRefuses(const GameTable &table, const TDeck *source, const TDeck *target)
{
    return source && target->DisabledTag != 0 && table.Tag(source) == target->DisabledTag;
}

// The empty target refuses every card from a pile of its DisabledFETag.
bool emptyTagRefuses(const GameTable &table, const TDeck *source, const TDeck *target)
{
    return source && target->DisabledFETag != 0 && table.Tag(source) == target->DisabledFETag;
}

// The target has a top card and its Rule lets the card lie on it.
bool takes(const TDeck *target, const TCard *card)
{
    return target->TopCard() && RuleHolds(target->Rule, target->TopCard(), card);
}

// Upper may lie on lower unless they meet at the wrap of lower's pile, which only a
// foundation or a Consecutive pile allows.
bool wrapGuard(const TCard *lower, const TCard *upper)
{
    const TDeck *pile = lower->HostDeck();
    if (pile && (pile->ShowEmpty() == FoundationPile || pile->Consecutive))
        return true;
    return !IsWrapAtBase(lower, upper);
}

// The number of cards that lie on the card in its pile.
int cardsOn(const TCard *card)
{
    int count = 0;
    for (const TCard *walk = card->HostDeck() ? card->HostDeck()->TopCard() : nullptr; walk && walk != card;
         walk = walk->Below)
        ++count;
    return count;
}

bool faceUpBelow(const TCard *card)
{
    return card->Below && card->Below->Face();
}

// The card of the given rank met walking down from card while the group rule links each
// card to the one beneath (face up, and with the wrap guard where asked). nullptr when
// there is none, or when it is the bottom card of its pile.
TCard *walkDownToRank(TCard *card, const TRule *groupRule, int rank, bool guardWrap)
{
    TCard *current = card;
    while (current->Rank() != rank && faceUpBelow(current) && RuleHolds(groupRule, current->Below, current)
           && (!guardWrap || wrapGuard(current->Below, current)))
        current = current->Below;
    if (current->Rank() != rank || !current->Below)
        return nullptr;
    return current;
}

// Carries the group of card to the target card by card; false when it could not be done.
bool carryThroughSpares(GameTable &table, TCard *card, TDeck *target, bool parking)
{
    TBoard &board = *table.Board();
    const auto plan = parking ? PlanParkingMove(board, card, target) : PlanGroupMove(board, card, target);
    return PerformPlan(board, plan, card, target);
}

int spareAllowance(const GameTable &table, const TDeck *target, bool parking)
{
    return parking ? FindSpares(*table.Board(), target).Count() : SpareCapacity(*table.Board(), target);
}

// An empty target that a group rule fills: any card (asking, on a click, whether to move
// the whole run or one card), or a run headed by the rank FillEmpty names. `guardWrap` keeps
// runs from crossing the wrap at the source's base rank.
void fillEmptyByGroupRule(GameTable &table, const TDeck *source, TCard *&card, bool &action, bool clicked,
                          int fill, const TRule *groupRule, bool guardWrap)
{
    if (fill == FillAnyUnasked) {
        action = true;
    } else if (fill == FillAny) {
        action = true;
        if (clicked && faceUpBelow(card) && RuleHolds(groupRule, card->Below, card)
            && card->Below->Rank() != source->CardVal()) {
            switch (table.ChooseEmptyColumnMove()) {
            case EmptyColumnChooser::MoveColumn:
                while (faceUpBelow(card) && RuleHolds(groupRule, card->Below, card)
                       && (!guardWrap || wrapGuard(card->Below, card)))
                    card = card->Below;
                break;
            case EmptyColumnChooser::MoveSingleCard:
                break;
            default:
                card = nullptr;
                break;
            }
        }
    } else if (isRank(fill)) {
        if (card->Rank() == fill) {
            action = true;
        } else if (faceUpBelow(card) && RuleHolds(groupRule, card->Below, card)) {
            if (TCard *found = walkDownToRank(card, groupRule, fill, guardWrap)) {
                action = true;
                card = found;
            }
        }
    }
}

// Group mode with a group rule: the source's group rule decides which cards move together.
void acceptGroupByRule(GameTable &table, TDeck *target, TDeck *source, TCard *&card, bool &action, bool clicked)
{
    const TRule *groupRule = source->GroupRule;
    if (TCard *top = target->TopCard()) {
        TCard *current = card;
        while (faceUpBelow(current) && RuleHolds(groupRule, current->Below, current) && !takes(target, current)
               && wrapGuard(current->Below, current))
            current = current->Below;
        if (takes(target, current) && wrapGuard(top, current)) {
            action = true;
            card = current;
        }
        return;
    }
    if (emptyTagRefuses(table, source, target))
        return;
    const int fill = target->FillEmpty;
    fillEmptyByGroupRule(table, source, card, action, clicked, fill, groupRule, true);
}

// Spare mode: no group rule; a group in sequence by the source's Rule is carried through
// the spares, as many cards as they can hold.
void acceptThroughSpares(GameTable &table, TDeck *target, TDeck *source, TCard *&card, bool &action, bool clicked,
                         bool parking)
{
    const int allowance = spareAllowance(table, target, parking);
    if (TCard *top = target->TopCard()) {
        if (allowance > 0 && !takes(target, card)) {
            TCard *current = card;
            while (current->Below && RuleHolds(source->Rule, current->Below, current) && !takes(target, current)
                   && wrapGuard(current->Below, current))
                current = current->Below;
            if (takes(target, current) && cardsOn(current) <= allowance && wrapGuard(top, current)) {
                if (!clicked) {
                    action = true;
                    card = current;
                } else if (carryThroughSpares(table, current, target, parking)) {
                    action = true;
                    card = nullptr;
                }
            }
            return;
        }
        if (takes(target, card) && cardsOn(card) <= allowance && wrapGuard(top, card))
            action = true;
        return;
    }
    if (emptyTagRefuses(table, source, target))
        return;
    const int fill = target->FillEmpty;
    if (fill == FillAnyUnasked) {
        action = true;
    } else if (fill == FillAny) {
        if (cardsOn(card) > allowance)
            return;
        action = true;
        if (clicked && source != table.Waste && allowance >= 1 && card->Below
            && RuleHolds(source->Rule, card->Below, card)) {
            switch (table.ChooseEmptyColumnMove()) {
            case EmptyColumnChooser::MoveColumn: {
                TCard *current = card;
                for (int steps = cardsOn(card); steps < allowance && current->Below
                     && RuleHolds(source->Rule, current->Below, current);
                     ++steps)
                    current = current->Below;
                // A group that cannot be carried is refused rather than left half done.
                action = carryThroughSpares(table, current, target, parking);
                if (action)
                    card = nullptr;
                break;
            }
            case EmptyColumnChooser::MoveSingleCard:
                break;
            default:
                card = nullptr;
                break;
            }
        }
    } else if (isRank(fill)) {
        if (card->Rank() == fill && cardsOn(card) <= allowance)
            action = true;
    }
}

// The target's acceptance takes the dragged card's face-up run from a deeper card, as a
// click on the target would: a drop of the card then moves the run from there.
bool takesRunFromDeeperCard(TDeck *target, TCard *card)
{
    const TDeck *source = card->HostDeck();
    if (!target->OnAddWithRule || !source || !source->IsSpread())
        return false;
    TCard *picked = card;
    bool action = false;
    target->OnAddWithRule(target, picked, action, false);
    return action && picked && picked->IsFaceUpBeneath(card);
}

void tableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked, bool parking)
{
    action = false;
    if (!target || !card)
        return;
    TDeck *source = card->HostDeck();
    if (isFull(target) || tagRefuses(table, source, target))
        return;
    const bool groups = source && source->AcceptCardGroup && target->AcceptCardGroup;
    if (groups && !target->GroupRule && target->UsableAsSpare) {
        acceptThroughSpares(table, target, source, card, action, clicked, parking);
        return;
    }
    if (groups && source->Rule && source->GroupRule) {
        acceptGroupByRule(table, target, source, card, action, clicked);
        return;
    }
    if (TCard *top = target->TopCard()) {
        action = takes(target, card) && wrapGuard(top, card);
        return;
    }
    if (emptyTagRefuses(table, source, target))
        return;
    const int fill = target->FillEmpty;
    action = fill == FillAny || fill == FillAnyUnasked || (fill >= 1 && card->Rank() == fill);
}

} // namespace

void FoundationAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    action = false;
    if (!target || !card)
        return;
    TDeck *source = card->HostDeck();
    if (isFull(target) || tagRefuses(table, source, target))
        return;
    const int fill = target->FillEmpty;

    if (source && source->AcceptCardGroup && target->AcceptCardGroup && source->GroupRule) {
        const TRule *groupRule = source->GroupRule;
        if (target->TopCard()) {
            TCard *current = card;
            while (faceUpBelow(current) && RuleHolds(groupRule, current->Below, current) && !takes(target, current)
                   && current->Below->Rank() != source->CardVal())
                current = current->Below;
            if (takes(target, current)) {
                action = true;
                card = current;
            }
            return;
        }
        fillEmptyByGroupRule(table, source, card, action, clicked, fill, groupRule, false);
        return;
    }

    if (target->TopCard())
        action = takes(target, card);
    else
        action = fill == FillAny || fill == FillAnyUnasked || card->Rank() == fill;
}

void TableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    tableauAccepts(table, target, card, action, clicked, false);
}

void YukonTableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    tableauAccepts(table, target, card, action, clicked, true);
}

void TableauDragSelect(GameTable &table, TCard *card, bool &action)
{
    action = false;
    if (!card || !card->HostDeck())
        return;
    const TDeck *source = card->HostDeck();
    if (source->TopCard() == card) {
        action = true;
        return;
    }
    const int allowance = SpareCapacity(*table.Board(), nullptr);
    int groupSize = 1;
    for (TCard *current = source->TopCard(); current != card; current = current->Below) {
        TCard *below = current->Below;
        if (!below)
            return; // the card does not lie in this pile
        if (source->CardVal() != -1 && IsWrapAtBase(below, current) && !source->Consecutive
            && source->GroupRule != Rules::AnyCard)
            return;
        if (source->GroupRule) {
            if (!RuleHolds(source->GroupRule, below, current))
                return;
        } else {
            if (!source->AcceptCardGroup || !RuleHolds(source->Rule, below, current))
                return;
            if (++groupSize > allowance + 1)
                return;
        }
    }
    action = true;
}

void TableauDragRule(GameTable &table, TCard *card, TDeck *target, bool &action)
{
    action = false;
    if (!card || !target || isFull(target))
        return;
    const TDeck *source = card->HostDeck();
    if (source && !source->GroupRule && source->UsableAsSpare
        && cardsOn(card) + 1 > SpareCapacity(*table.Board(), target) + 1)
        return;
    if (tagRefuses(table, source, target))
        return;
    TCard *top = target->TopCard();
    const int fill = target->FillEmpty;
    const bool emptyAllows = !top
        && (fill == FillAny || (fill == FillAnyUnasked && source && source->TopCard() == card)
            || fill == card->Rank());
    if (!emptyAllows) {
        action = (top && RuleHolds(target->Rule, top, card) && wrapGuard(top, card))
            || takesRunFromDeeperCard(target, card);
        return;
    }
    if (emptyTagRefuses(table, source, target))
        return;
    action = true;
}
