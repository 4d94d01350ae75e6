#include "engine/board_state.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

#include <stdexcept>

TBoardState::TBoardState()
{
    journal.reserve(800);
}

TBoardState::~TBoardState() = default;

// ---------------------------------------------------------------- owned controls

TCard *TBoardState::FindCard(int cardID) const
{
    for (const auto &card : cards)
        if (card->CardID == cardID)
            return card.get();
    return nullptr;
}

TDeck *TBoardState::FindDeck(int deckID) const
{
    for (const auto &deck : decks)
        if (deck->DeckID() == deckID && deck->HostBoard() == this)
            return deck.get();
    return nullptr;
}

int TBoardState::TakeDeckID()
{
    if (IDCounter >= 255)
        throw std::length_error("A card table holds at most 255 piles");
    return ++IDCounter;
}

// ---------------------------------------------------------------- properties

void TBoardState::SetScore(int value)
{
    score = value;
    if (OnScoreChange)
        OnScoreChange(nullptr);
}

void TBoardState::SetStatusTip(const QString &text)
{
    const QString cut = text.left(250);
    if (cut == statusTip)
        return;
    statusTip = cut;
    if (OnDeckTipChange)
        OnDeckTipChange(nullptr);
}

void TBoardState::SetHighLightedDeck(TDeck *deck)
{
    if (deck == highLightedDeck)
        return;
    if (highLightedDeck)
        for (TCard *card = highLightedDeck->TopCard(); card; card = card->Below)
            card->SetHighLighted(false);
    highLightedDeck = deck;
}

void TBoardState::SetRotation_Counter(int value)
{
    rotationCounter = value;
    if (OnRotationChange)
        OnRotationChange(nullptr);
}

// ---------------------------------------------------------------- queries

void TBoardState::RefuseSelect(TDeck *, TCard *&, bool &action, bool, bool &clickable, bool &actionOnClick)
{
    action = false;
    clickable = false;
    actionOnClick = false;
}

void TBoardState::RefuseAdd(TDeck *, TCard *&, bool &action, bool)
{
    action = false;
}

bool TBoardState::CanPlayToFoundation(TCard *card) const
{
    if (!card)
        return false;
    TDeck *source = card->HostDeck();
    if (!source || !source->Visible() || !source->TopCard() || source->SelectIsRefused())
        return false;
    if (source->OnSelect) {
        TCard *asked = card;
        bool action = false, clickable = false, actionOnClick = false;
        source->OnSelect(source, asked, action, false, clickable, actionOnClick);
        if (!action || !clickable)
            return false;
    }
    for (const auto &deck : decks) {
        TDeck *foundation = deck.get();
        if (foundation == source || foundation->ShowEmpty() != FoundationPile || !foundation->Visible()
            || !foundation->OnAddWithRule)
            continue;
        if (foundation->MaxCardCount > 0 && foundation->CardsCount() >= foundation->MaxCardCount)
            continue;
        if (foundation->CardsCount() == 0 && foundation->CardVal() > 0 && card->Rank() == foundation->CardVal())
            return true;
        TCard *asked = card;
        bool action = false;
        foundation->OnAddWithRule(foundation, asked, action, false);
        if (action)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------- auto-timer

void TBoardState::SetAutoTimerHandler(std::function<void()> handler)
{
    autoTimerHandler = std::move(handler);
}

// ---------------------------------------------------------------- selection

void TBoardState::ClearHighlightAndSelection()
{
    if (engineState().Options.HoverHighlight)
        SetHighLightedDeck(nullptr);
    if (SelectedDeck) {
        if (TCard *top = SelectedDeck->TopCard())
            for (TCard *card = top; card; card = card->Below)
                if (card->Selected())
                    card->SetSelected(false);
        SelectedDeck = nullptr;
    }
}
