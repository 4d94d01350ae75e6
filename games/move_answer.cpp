#include "games/move_answer.h"

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

// The Tag of a tableau pile whose runs the Yukon acceptance searches.
constexpr int YukonColumnTag = 4;

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

MoveAnswer accept(TCard *card, MoveCarry carry = MoveCarry::Direct)
{
    MoveAnswer answer;
    answer.Accepted = true;
    answer.Card = card;
    answer.Carry = carry;
    return answer;
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

// The deepest card of card's run by the group rule.
TCard *runBottom(TCard *card, const TRule *groupRule, bool guardWrap)
{
    while (faceUpBelow(card) && RuleHolds(groupRule, card->Below, card) && (!guardWrap || wrapGuard(card->Below, card)))
        card = card->Below;
    return card;
}

// An empty target that a group rule fills: any card (a click first asks whether to move the
// whole run or the card alone), or a run headed by the rank FillEmpty names. `guardWrap`
// keeps runs from crossing the wrap at the source's base rank.
MoveAnswer fillEmptyByGroupRule(const TDeck *source, TCard *card, int fill, const TRule *groupRule, bool guardWrap)
{
    if (fill == FillAnyUnasked)
        return accept(card);
    if (fill == FillAny) {
        MoveAnswer answer = accept(card);
        if (faceUpBelow(card) && RuleHolds(groupRule, card->Below, card) && card->Below->Rank() != source->CardVal()) {
            answer.Question = MoveQuestion::WholeRunOrOneCard;
            answer.RunCard = runBottom(card, groupRule, guardWrap);
        }
        return answer;
    }
    if (!isRank(fill))
        return {};
    if (card->Rank() == fill)
        return accept(card);
    if (faceUpBelow(card) && RuleHolds(groupRule, card->Below, card))
        if (TCard *found = walkDownToRank(card, groupRule, fill, guardWrap))
            return accept(found);
    return {};
}

MoveAnswer answerFoundation(const GameTable &table, const TDeck *target, TCard *card)
{
    const TDeck *source = card->HostDeck();
    if (target->IsFull() || tagRefuses(table, source, target))
        return {};
    const int fill = target->FillEmpty;

    if (source && source->AcceptCardGroup && target->AcceptCardGroup && source->GroupRule) {
        const TRule *groupRule = source->GroupRule;
        if (!target->TopCard())
            return fillEmptyByGroupRule(source, card, fill, groupRule, false);
        TCard *current = card;
        while (faceUpBelow(current) && RuleHolds(groupRule, current->Below, current) && !takes(target, current)
               && current->Below->Rank() != source->CardVal())
            current = current->Below;
        return takes(target, current) ? accept(current) : MoveAnswer{};
    }

    if (target->TopCard())
        return takes(target, card) ? accept(card) : MoveAnswer{};
    return fill == FillAny || fill == FillAnyUnasked || card->Rank() == fill ? accept(card) : MoveAnswer{};
}

// Group mode with a group rule: the source's group rule decides which cards move together.
MoveAnswer answerGroupByRule(const GameTable &table, const TDeck *target, const TDeck *source, TCard *card)
{
    const TRule *groupRule = source->GroupRule;
    if (TCard *top = target->TopCard()) {
        TCard *current = card;
        while (faceUpBelow(current) && RuleHolds(groupRule, current->Below, current) && !takes(target, current)
               && wrapGuard(current->Below, current))
            current = current->Below;
        return takes(target, current) && wrapGuard(top, current) ? accept(current) : MoveAnswer{};
    }
    if (emptyTagRefuses(table, source, target))
        return {};
    return fillEmptyByGroupRule(source, card, target->FillEmpty, groupRule, true);
}

// How many cards may lie on the lowest card of a group carried to the target.
int spareAllowance(const GameTable &table, const TDeck *target, bool parking)
{
    return parking ? FindSpares(*table.BoardState(), target).Count() : SpareCapacity(*table.BoardState(), target);
}

MoveCarry spareCarry(bool parking)
{
    return parking ? MoveCarry::ByParking : MoveCarry::ThroughSpares;
}

// A group of more than one card is carried through the spares; a single card goes directly.
MoveAnswer acceptThroughSpares(TCard *card, bool parking)
{
    return accept(card, cardsOn(card) > 0 ? spareCarry(parking) : MoveCarry::Direct);
}

// Spare mode: no group rule; a group in sequence by the source's Rule is carried through
// the spares, as many cards as they can hold.
MoveAnswer answerThroughSpares(const GameTable &table, const TDeck *target, const TDeck *source, TCard *card,
                               bool parking)
{
    const int allowance = spareAllowance(table, target, parking);
    if (TCard *top = target->TopCard()) {
        TCard *current = card;
        if (allowance > 0 && !takes(target, card))
            while (current->Below && RuleHolds(source->Rule, current->Below, current) && !takes(target, current)
                   && wrapGuard(current->Below, current))
                current = current->Below;
        if (takes(target, current) && cardsOn(current) <= allowance && wrapGuard(top, current))
            return acceptThroughSpares(current, parking);
        return {};
    }
    if (emptyTagRefuses(table, source, target))
        return {};
    const int fill = target->FillEmpty;
    if (fill == FillAnyUnasked)
        return accept(card);
    if (fill == FillAny) {
        if (cardsOn(card) > allowance)
            return {};
        MoveAnswer answer = acceptThroughSpares(card, parking);
        if (source != table.Waste && allowance >= 1 && card->Below && RuleHolds(source->Rule, card->Below, card)) {
            TCard *current = card;
            for (int steps = cardsOn(card);
                 steps < allowance && current->Below && RuleHolds(source->Rule, current->Below, current); ++steps)
                current = current->Below;
            answer.Question = MoveQuestion::WholeRunOrOneCard;
            answer.RunCard = current;
            answer.RunCarry = spareCarry(parking);
        }
        return answer;
    }
    if (isRank(fill) && card->Rank() == fill && cardsOn(card) <= allowance)
        return acceptThroughSpares(card, parking);
    return {};
}

MoveAnswer answerTableau(const GameTable &table, const TDeck *target, TCard *card, bool parking)
{
    const TDeck *source = card->HostDeck();
    if (target->IsFull() || tagRefuses(table, source, target))
        return {};
    const bool groups = source && source->AcceptCardGroup && target->AcceptCardGroup;
    if (groups && !target->GroupRule && target->UsableAsSpare)
        return answerThroughSpares(table, target, source, card, parking);
    if (groups && source->Rule && source->GroupRule)
        return answerGroupByRule(table, target, source, card);
    if (TCard *top = target->TopCard())
        return takes(target, card) && wrapGuard(top, card) ? accept(card) : MoveAnswer{};
    if (emptyTagRefuses(table, source, target))
        return {};
    const int fill = target->FillEmpty;
    return fill == FillAny || fill == FillAnyUnasked || (fill >= 1 && card->Rank() == fill) ? accept(card)
                                                                                            : MoveAnswer{};
}

// The card and the face-up cards below it, from the card downwards.
std::vector<TCard *> faceUpFrom(TCard *card)
{
    std::vector<TCard *> cards;
    for (TCard *walk = card; walk && walk->Face(); walk = walk->Below)
        cards.push_back(walk);
    return cards;
}

// One candidate moves; several are offered to the player on a click, the first otherwise.
MoveAnswer acceptOneOf(std::vector<TCard *> candidates, MoveQuestion question)
{
    if (candidates.empty())
        return {};
    MoveAnswer answer = accept(candidates.front());
    if (candidates.size() > 1) {
        answer.Question = question;
        answer.Choices = std::move(candidates);
    }
    return answer;
}

MoveAnswer answerYukon(const GameTable &table, const TDeck *target, TCard *card)
{
    const TDeck *source = card->HostDeck();
    if (!source || target->IsFull())
        return {};
    TCard *top = target->TopCard();
    if (!top) {
        const int fill = target->FillEmpty;
        if (fill == FillNothing)
            return {};
        if (fill == FillAny || fill == FillAnyUnasked)
            return accept(card);
        // A card of the rank that already lies at the bottom of its column gains nothing.
        std::vector<TCard *> candidates;
        for (TCard *candidate : faceUpFrom(card))
            if (candidate->Rank() == fill && candidate->Below)
                candidates.push_back(candidate);
        return acceptOneOf(std::move(candidates), MoveQuestion::WhichKing);
    }
    if (table.Tag(source) == YukonColumnTag) {
        std::vector<TCard *> candidates;
        for (TCard *candidate : faceUpFrom(card))
            if (RuleHolds(target->Rule, top, candidate) && !IsWrapAtBase(top, candidate))
                candidates.push_back(candidate);
        return acceptOneOf(std::move(candidates), MoveQuestion::WhichCard);
    }
    return RuleHolds(target->Rule, top, card) ? accept(card) : MoveAnswer{};
}

// What a drag may carry: the cards it holds, with a deeper card of their run only from a
// spread pile, and only a single card onto an empty pile that fills without asking.
MoveAnswer limitToDrag(MoveAnswer answer, const TDeck *target, const TCard *card)
{
    if (!answer.Accepted)
        return answer;
    const TDeck *source = card->HostDeck();
    const bool deeperTaken = answer.Card != card;
    if (deeperTaken && !(answer.Card && source->IsSpread() && answer.Card->IsFaceUpBeneath(card)))
        return {};
    if (!target->TopCard() && target->FillEmpty == FillAnyUnasked && source->TopCard() != card)
        return {};
    answer.Question = MoveQuestion::None;
    answer.RunCard = nullptr;
    answer.Choices.clear();
    return answer;
}

} // namespace

MoveAnswer AnswerMove(const GameTable &table, Acceptance acceptance, const TDeck *target, TCard *card,
                      MoveRoute route)
{
    if (!target || !card)
        return {};
    MoveAnswer answer;
    switch (acceptance) {
    case Acceptance::Foundation:
        answer = answerFoundation(table, target, card);
        break;
    case Acceptance::Tableau:
        answer = answerTableau(table, target, card, false);
        break;
    case Acceptance::TableauByParking:
        answer = answerTableau(table, target, card, true);
        break;
    case Acceptance::YukonTableau:
        answer = answerYukon(table, target, card);
        break;
    }
    if (route == MoveRoute::Drag) {
        if (!card->HostDeck())
            return {};
        answer = limitToDrag(std::move(answer), target, card);
    }
    return answer;
}

bool MayDragRun(const GameTable &table, Acceptance acceptance, const TCard *card)
{
    const TDeck *source = card ? card->HostDeck() : nullptr;
    if (!source)
        return false;
    if (source->TopCard() == card)
        return true;
    const int allowance = spareAllowance(table, nullptr, acceptance == Acceptance::TableauByParking);
    int groupSize = 1;
    for (const TCard *current = source->TopCard(); current != card; current = current->Below) {
        const TCard *below = current->Below;
        if (!below)
            return false; // the card does not lie in this pile
        if (source->CardVal() != -1 && IsWrapAtBase(below, current) && !source->Consecutive
            && source->GroupRule != Rules::AnyCard)
            return false;
        if (source->GroupRule) {
            if (!RuleHolds(source->GroupRule, below, current))
                return false;
        } else {
            if (!source->AcceptCardGroup || !RuleHolds(source->Rule, below, current))
                return false;
            if (++groupSize > allowance + 1)
                return false;
        }
    }
    return true;
}
