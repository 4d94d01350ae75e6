#include "games/move_acceptance.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/game_table.h"
#include "games/group_move.h"

#include <QString>
#include <algorithm>

namespace {

// Carries the group of card to the target card by card; false when it could not be done.
bool carryThroughSpares(GameTable &table, TCard *card, TDeck *target, MoveCarry carry)
{
    TBoardState &board = *table.BoardState();
    const auto plan =
        carry == MoveCarry::ByParking ? PlanParkingMove(board, card, target) : PlanGroupMove(board, card, target);
    return PerformPlan(board, plan, card, target);
}

// Moves the group from `from` as the answer says: the engine moves a group carried directly
// (card := from); a group carried through the spares is moved here (card := nullptr). A group
// that cannot be carried is refused rather than left half done.
void carry(GameTable &table, TDeck *target, TCard *from, MoveCarry how, TCard *&card, bool &action)
{
    if (how == MoveCarry::Direct) {
        card = from;
        return;
    }
    if (carryThroughSpares(table, from, target, how))
        card = nullptr;
    else
        action = false;
}

// The card the player picks among the answer's choices; nullptr when the player cancels.
TCard *chooseCard(GameTable &table, const MoveAnswer &answer)
{
    if (!table.CardChoice)
        return nullptr;
    const bool king = answer.Question == MoveQuestion::WhichKing;
    TCard *chosen = table.CardChoice->ChooseCard(
        king ? QStringLiteral("Select the King") : QStringLiteral("Select the card"),
        king ? QStringLiteral("Select the King that should be moved onto empty pile")
             : QStringLiteral("Select the card you would like to move"),
        answer.Choices);
    // Only one of the cards offered may come back.
    return std::find(answer.Choices.begin(), answer.Choices.end(), chosen) != answer.Choices.end() ? chosen : nullptr;
}

// The acting part of a clicked move, after the answer: the player's choice, then the carrying.
void carryOutClick(GameTable &table, const MoveAnswer &answer, TDeck *target, TCard *&card, bool &action)
{
    switch (answer.Question) {
    case MoveQuestion::None:
        carry(table, target, answer.Card, answer.Carry, card, action);
        return;
    case MoveQuestion::WholeRunOrOneCard:
        if (const std::optional<bool> wholeRun = table.WholeRunChosen(); !wholeRun)
            card = nullptr;
        else if (*wholeRun)
            carry(table, target, answer.RunCard, answer.RunCarry, card, action);
        else
            carry(table, target, answer.Card, answer.Carry, card, action);
        return;
    case MoveQuestion::WhichKing:
    case MoveQuestion::WhichCard:
        card = chooseCard(table, answer);
        return;
    }
}

} // namespace

void AcceptMove(GameTable &table, Acceptance acceptance, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    const MoveAnswer answer = AnswerMove(table, acceptance, target, card, MoveRoute::Click);
    action = answer.Accepted;
    if (!answer.Accepted)
        return;
    if (clicked)
        carryOutClick(table, answer, target, card, action);
    else
        card = answer.Card;
}

void FoundationAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    AcceptMove(table, Acceptance::Foundation, target, card, action, clicked);
}

void TableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    AcceptMove(table, Acceptance::Tableau, target, card, action, clicked);
}

void TableauDragSelect(GameTable &table, TCard *card, bool &action)
{
    action = MayDragRun(table, Acceptance::Tableau, card);
}

void TableauDragRule(GameTable &table, TCard *card, TDeck *target, bool &action)
{
    action = AnswerMove(table, Acceptance::Tableau, target, card, MoveRoute::Drag).Accepted;
}

void HangTableauAcceptance(GameTable &table, TDeck *pile, Acceptance acceptance)
{
    if (!pile)
        return;
    pile->OnAddWithRule = [&table, acceptance](TDeck *sender, TCard *&card, bool &action, bool clicked) {
        AcceptMove(table, acceptance, sender, card, action, clicked);
    };
    if (!pile->IsSpread())
        return;
    pile->OnDragSelect = [&table, acceptance](TCard *card, bool &action) {
        action = MayDragRun(table, acceptance, card);
    };
    pile->OnDragRule = [&table, acceptance](TCard *card, TDeck *target, bool &action) {
        action = AnswerMove(table, acceptance, target, card, MoveRoute::Drag).Accepted;
    };
}
