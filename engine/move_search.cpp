// The move search behind right-click moves, Ctrl+click moves and the hint: every
// (pile, card) the game's handlers would accept, ordered so that the best comes first.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

#include <utility>

namespace {

bool takesPart(const TDeck *deck)
{
    return deck->Visible() && deck->Enabled;
}

// A pile whose OnSelect asks for the pile itself to be clicked (a stock that deals).
bool wantsClick(TDeck *deck)
{
    return deck->ShowEmpty() != StockNoRedeal && deck->ShowEmpty() != StockRedeal && deck->TopCard() && deck->OnSelect
        && deck->AskSelect().ActionOnClick;
}

} // namespace

void TBoard::searchMoves(CandidateList &list, TCard *card, bool hint)
{
    for (const auto &owned : decks) {
        TDeck *source = owned.get();
        if (!takesPart(source) || (card && card->HostDeck() != source))
            continue;
        if (wantsClick(source)) {
            list.Add(source, source->TopCard());
            continue;
        }
        if (!source->TopCard() || source->SelectIsRefused())
            continue;

        TCard *moving = hint || !card ? source->TopCard() : card;
        const bool isTop = moving == source->TopCard();
        if (hint) {
            if (source->OnSelect) {
                const TDeck::SelectAnswer answer = source->AskSelect();
                if (!answer.Action || !answer.Clickable)
                    continue;
            }
        } else if (!source->OnDragSelect || source->AlwaysClickable) {
            if (!isTop)
                continue;
            if (source->OnSelect) {
                const TDeck::SelectAnswer answer = source->AskSelect();
                if (!answer.Action || !answer.Clickable)
                    continue;
            }
        } else {
            bool action = false;
            source->OnDragSelect(moving, action);
            if (!action)
                continue;
        }

        for (const auto &ownedDest : decks) {
            TDeck *dest = ownedDest.get();
            if (dest == source || !takesPart(dest))
                continue;
            TCard *accepted = moving;
            bool action = false;
            if (hint) {
                if (!dest->OnAddWithRule || (dest->MaxCardCount > 0 && dest->CardsCount() == dest->MaxCardCount))
                    continue;
                dest->OnAddWithRule(dest, accepted, action, false);
            } else if (dest->IsFull()) {
                continue;
            } else if (dest->OnDragRule) {
                // The card a drop there would move, which may be a deeper card of the run.
                accepted = DroppedCard(moving, dest);
                action = accepted != nullptr;
            } else if (dest->OnAddWithRule && isTop) {
                dest->OnAddWithRule(dest, accepted, action, false);
            }
            // "Accepted, nothing to move" is no move to offer.
            if (!action || !accepted || accepted->HostDeck() != source)
                continue;
            if (accepted != source->TopCard() && (!accepted->Face() || !source->IsSpread()))
                continue;
            if (!list.Add(dest, accepted))
                return;
            // With "regardless of rank and suit" groups, every deeper face-up card may lead a move
            // too. A card for which the target's answer moves another one is no such move: the
            // card that would move is offered where the walk reaches it.
            if (hint && accepted != source->TopCard() && source->GroupRule && source->GroupRule->IsAnyCard
                && dest->GroupRule && dest->GroupRule->IsAnyCard) {
                for (TCard *deeper = accepted->Below; deeper && deeper->Face(); deeper = deeper->Below) {
                    TCard *asked = deeper;
                    bool more = false;
                    dest->OnAddWithRule(dest, asked, more, false);
                    if (!more || (asked == deeper && !list.Add(dest, deeper)))
                        break;
                }
            }
        }
    }
}

void TBoard::OrderCandidates(CandidateList &list, SearchOrder order)
{
    const int count = list.Count;
    if (count < 2)
        return;
    auto &entries = list.Entries;
    std::mt19937 &random = engineState().SearchRandom;
    for (int i = 1; i <= count; ++i) {
        std::uniform_int_distribution<int> pick(i, count);
        std::swap(entries[std::size_t(i)], entries[std::size_t(pick(random))]);
    }
    for (int i = 1; i <= count; ++i) {
        if (entries[std::size_t(i)].Deck->ShowEmpty() == FoundationPile) {
            if (i != 1) {
                std::swap(entries[1], entries[std::size_t(i)]);
                return;
            }
            break;
        }
    }

    using Criterion = bool (*)(const TBoard &, const CandidateList::Entry &);
    static const Criterion hintCriteria[] = {
        [](const TBoard &board, const CandidateList::Entry &e) {
            return e.Card->Below && board.CanPlayToFoundation(e.Card->Below);
        },
        [](const TBoard &, const CandidateList::Entry &e) { return e.Card->HostDeck()->TopCard() != e.Card; },
        [](const TBoard &, const CandidateList::Entry &e) { return e.Card->HostDeck()->TopCard() != e.Card; },
        [](const TBoard &, const CandidateList::Entry &e) { return e.Deck->MaxCardCount != 1; },
        [](const TBoard &, const CandidateList::Entry &e) {
            return e.Card->HostDeck()->MaxCardCount == 1 && e.Deck->MaxCardCount != 1;
        },
    };
    static const Criterion clickCriteria[] = {
        [](const TBoard &, const CandidateList::Entry &e) { return e.Deck->CardsCount() > 0; },
        [](const TBoard &, const CandidateList::Entry &e) { return e.Deck->MaxCardCount != 1; },
        [](const TBoard &, const CandidateList::Entry &e) {
            return e.Card->HostDeck()->MaxCardCount == 1 && e.Deck->MaxCardCount != 1;
        },
    };
    const Criterion *criteria = order == SearchOrder::Hint ? hintCriteria : clickCriteria;
    const int criteriaCount = order == SearchOrder::Hint ? 5 : 3;
    int position = 1;
    for (int c = 0; c < criteriaCount && position <= count; ++c) {
        while (position <= count) {
            int found = 0;
            for (int k = position; k <= count; ++k)
                if (entries[std::size_t(k)].Card && entries[std::size_t(k)].Card->HostDeck()
                    && criteria[c](*this, entries[std::size_t(k)])) {
                    found = k;
                    break;
                }
            if (!found)
                break;
            std::swap(entries[std::size_t(position)], entries[std::size_t(found)]);
            ++position;
        }
    }
}

bool TBoard::chooseCandidate(TCard *&card, TDeck *&deck, bool next)
{
    if (Candidates.Count == 0) {
        Candidates.Current = 0;
        return false;
    }
    if (next || Candidates.Current == 0)
        ++Candidates.Current;
    if (Candidates.Current > Candidates.Count || Candidates.Current < 1)
        Candidates.Current = 1;
    const CandidateList::Entry &entry = Candidates.Entries[std::size_t(Candidates.Current)];
    card = entry.Card;
    deck = entry.Deck;
    return true;
}

bool TBoard::FindClickTarget(TCard *&card, TDeck *&deck, bool next)
{
    Candidates.Reset();
    searchMoves(Candidates, card, false);
    OrderCandidates(Candidates, SearchOrder::Click);
    return chooseCandidate(card, deck, next);
}

bool TBoard::FindMove(TCard *&card, TDeck *&deck, bool next)
{
    const bool stale = card && Candidates.Current > 0
        && Candidates.Entries[std::size_t(Candidates.Current)].Card != card;
    if (Candidates.Count == 0 || stale) {
        Candidates.Reset();
        searchMoves(Candidates, card, true);
        OrderCandidates(Candidates, SearchOrder::Hint);
    }
    return chooseCandidate(card, deck, next);
}

void TBoard::SearchHintMoves(CandidateList &list)
{
    list.Reset();
    searchMoves(list, nullptr, true);
    OrderCandidates(list, SearchOrder::Hint);
}
