#include "games/auto_moves.h"

#include "engine/board.h"
#include "engine/board_button.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/game_table.h"
#include "games/rule_predicates.h"

#include <QTimer>
#include <algorithm>

namespace {

bool animating(const TBoard *board)
{
    return engineState().Busy || (board && board->Moving);
}

// The pile aligned to special (the three-card fan) stands in for it while it shows a face-up card.
TDeck *effectiveSpecial(TDeck *special)
{
    if (special) {
        TDeck *follower = special->AlignedFollower();
        if (follower && follower->TopCard() && follower->TopCard()->Face())
            return follower;
    }
    return special;
}

TDeck *firstEmptyFoundation(PileRow &foundations, int count)
{
    for (int i = 1; i <= count; ++i)
        if (TDeck *pile = foundations[i]; pile && pile->CardsCount() == 0)
            return pile;
    return nullptr;
}

bool suitShown(PileRow &foundations, int count, int suit)
{
    for (int i = 1; i <= count; ++i)
        if (TDeck *pile = foundations[i]; pile && pile->TopCard() && pile->TopCard()->Suit() == suit)
            return true;
    return false;
}

bool isBaseCard(const TCard *card, int baseRank)
{
    return card && card->Face() && card->Rank() == baseRank;
}

// Moves card to the first empty foundation; false when there is none or the move failed.
bool playBaseCard(PileRow &foundations, int count, TCard *card)
{
    TDeck *target = firstEmptyFoundation(foundations, count);
    if (!target || !target->MoveCard(card))
        return false;
    target->SetVisible(true);
    return true;
}

bool isComplete(const TDeck *foundation)
{
    return foundation->CardsCount() == 13 || foundation->CardsCount() == foundation->MaxCardCount;
}

bool takesPart(const TDeck *pile)
{
    return pile->Visible() && pile->Enabled;
}

// Step 3 of the blocked test: some pile can be clicked or can give its top card to another.
bool anyMoveExists(GameTable &table)
{
    TBoard *board = table.Board();
    for (const auto &ownedSource : board->Decks()) {
        TDeck *source = ownedSource.get();
        if (!takesPart(source))
            continue;
        if (source == table.Stock && (source->CardsCount() > 0 || source->ShowEmpty() == StockRedeal)
            && source->OnSelect && !source->SelectIsRefused() && source->AskSelect().Clickable)
            return true;
        if (!source->TopCard())
            continue;
        if (source->OnSelect && source->AskSelect().ActionOnClick)
            return true;
        if (source->SelectIsRefused())
            continue;
        if (source->OnSelect && !source->AskSelect().Action)
            continue;
        for (const auto &ownedTarget : board->Decks()) {
            TDeck *target = ownedTarget.get();
            if (target == source || !takesPart(target) || !target->OnAddWithRule || target->IsFull())
                continue;
            TCard *card = source->TopCard();
            bool action = false;
            target->OnAddWithRule(target, card, action, false);
            if (action)
                return true;
        }
    }
    return false;
}

} // namespace

int RelativeRankUp(int rank, int baseRank)
{
    return (rank - baseRank + 13) % 13 + 1;
}

int RelativeRankDown(int rank, int baseRank)
{
    return 13 - (baseRank - rank + 13) % 13;
}

void AutoMoveBaseCards(PileRow &foundations, int foundationCount, PileRow &sources, bool anySuit, int baseRank,
                       TDeck *special, int sourceCount)
{
    TDeck *first = foundations[1];
    if (!first || animating(first->HostBoard()))
        return;
    special = effectiveSpecial(special);
    for (bool moved = true; moved;) {
        moved = false;
        for (int i = 1; i <= sourceCount; ++i) {
            TDeck *source = sources[i];
            TCard *top = source ? source->TopCard() : nullptr;
            if (!isBaseCard(top, baseRank))
                continue;
            if (!anySuit && suitShown(foundations, foundationCount, top->Suit()))
                continue;
            if (playBaseCard(foundations, foundationCount, top)) {
                moved = true;
                break;
            }
        }
        TCard *top = special ? special->TopCard() : nullptr;
        if (isBaseCard(top, baseRank)) {
            if (!anySuit && suitShown(foundations, foundationCount, top->Suit()))
                return;
            if (playBaseCard(foundations, foundationCount, top))
                moved = true;
        }
    }
}

bool AutoMoveToFoundations(PileRow &foundations, int foundationCount, PileRow &sources, bool specialFirst,
                           bool careful, int baseRank, const TRule *rule, TDeck *special, int sourceCount)
{
    const int direction = RuleDirection(rule);
    TDeck *first = foundations[1];
    if (direction == NoDirection || !first || animating(first->HostBoard()))
        return false;
    special = effectiveSpecial(special);
    const bool upward = direction == UpDirection;

    // The least advanced foundation.
    int least = upward ? 13 : 1;
    for (int i = 1; i <= foundationCount; ++i) {
        TDeck *pile = foundations[i];
        if (!pile)
            continue;
        const TCard *top = pile->TopCard();
        if (upward)
            least = std::min(least, top ? RelativeRankUp(top->Rank(), baseRank) : 1);
        else
            least = std::max(least, top ? RelativeRankDown(top->Rank(), baseRank) : 13);
    }
    const auto eligible = [&](const TCard *card) {
        if (!card || !careful)
            return card != nullptr;
        return upward ? RelativeRankUp(card->Rank(), baseRank) <= least + 1
                      : RelativeRankDown(card->Rank(), baseRank) >= least - 1;
    };
    const auto tryCard = [&](TCard *card) {
        if (!eligible(card))
            return false;
        for (int i = 1; i <= foundationCount; ++i) {
            TDeck *pile = foundations[i];
            if (!pile || !pile->TopCard() || isComplete(pile) || !RuleHolds(rule, pile->TopCard(), card))
                continue;
            if (!pile->MoveCard(card))
                return false;
            if (TCard *top = pile->TopCard(); top && !top->Face())
                top->SetFace(true);
            return true;
        }
        return false;
    };
    const auto specialTop = [&]() -> TCard * {
        TCard *top = special ? special->TopCard() : nullptr;
        return top && top->Face() ? top : nullptr;
    };

    if (specialFirst && tryCard(specialTop()))
        return true;
    for (int i = 1; i <= sourceCount; ++i)
        if (TDeck *source = sources[i]; source && tryCard(source->TopCard()))
            return true;
    return !specialFirst && tryCard(specialTop());
}

bool IsGameWon(const PileRow &foundations, int foundationCount)
{
    if (foundationCount <= 0)
        return false;
    for (int i = 1; i <= foundationCount; ++i) {
        const TDeck *pile = foundations[i];
        if (!pile || !pile->TopCard())
            return false;
        if (pile->CardsCount() != 13 && !(pile->MaxCardCount > 0 && pile->CardsCount() == pile->MaxCardCount))
            return false;
    }
    return true;
}

bool IsGameBlocked(GameTable &table)
{
    if (!table.Play.ShowStuckMessage)
        return false;
    TBoard *board = table.Board();
    if (board->Rotation_Counter() >= 1 && board->Rotation_Counter() != board->Rotation_Number)
        return false;
    for (const TBoardButton *button : board->Buttons())
        if (button->isVisible() && button->isEnabled())
            return false;
    if (!anyMoveExists(table))
        return true;

    // The only move left would just take back the last one. The moves are counted in a
    // list of the test's own: the player's Show Next Move keeps its place in the table's.
    CandidateList moves;
    board->SearchHintMoves(moves);
    if (moves.Count != 1)
        return false;
    TCard *card = moves.Entries[1].Card;
    TDeck *target = moves.Entries[1].Deck;
    const CardLocation *firstRow = board->PrevLocations.At(1);
    if (!card || !target || !firstRow || firstRow->DeckID == -1)
        return false;
    target->SimulateMove(card);
    return board->TrialLocations == board->PrevLocations;
}

void SetYouAreStuck(GameTable &table, bool value)
{
    if (table.Play.YouAreStuck == value)
        return;
    table.Play.YouAreStuck = value;
    if (table.Play.StuckChanged)
        table.Play.StuckChanged();
}

void SendToFoundation(GameTable &table, TDeck *pile)
{
    TCard *top = pile ? pile->TopCard() : nullptr;
    if (!top)
        return;
    TBoard *board = table.Board();
    for (const auto &owned : board->Decks()) {
        TDeck *foundation = owned.get();
        if (foundation->ShowEmpty() != FoundationPile || !foundation->OnAddWithRule)
            continue;
        TCard *card = top;
        bool action = false;
        foundation->OnAddWithRule(foundation, card, action, false);
        if (!action || !card)
            continue;
        if (foundation->OnBeforeMove) {
            bool ignored = true;
            foundation->OnBeforeMove(card, foundation, ignored);
        }
        top->SetSelected(false);
        board->ClearHighlightAndSelection();
        if (foundation->MoveCard(card))
            return;
    }
}

void FoundationCycle(GameTable &table, std::initializer_list<CycleSource> sources)
{
    table.Board()->StopAutoTimer();
    PileRow &foundations = table.Foundations;
    const TDeck *first = foundations[1];
    if (!first)
        return;
    const int foundationCount = foundations.Count();
    const int baseRank = first->CardVal();
    for (const CycleSource &source : sources)
        AutoMoveBaseCards(foundations, foundationCount, source.piles, true, baseRank, source.special, source.count);
    if (table.Play.AutomaticMoves)
        for (const CycleSource &source : sources)
            AutoMoveToFoundations(foundations, foundationCount, source.piles, false, first->Wait, baseRank,
                                  first->Rule, source.special, source.count);
    EndCycle(table, IsGameWon(foundations, foundationCount));
}

void Uni_Timer(GameTable &table)
{
    FoundationCycle(table, {{table.Tableau, table.Tableau.Count(), table.Waste}});
}

void EndCycle(GameTable &table, bool won)
{
    TBoard *board = table.Board();
    if (won) {
        board->StopAutoTimer();
        if (table.Play.GameWon)
            table.Play.GameWon();
        return;
    }
    SetYouAreStuck(table, IsGameBlocked(table));
    board->StartAutoTimer();
}
