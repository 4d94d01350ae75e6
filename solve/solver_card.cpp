#include "solve/solver_card.h"

#include "engine/card.h"
#include "engine/deck.h"

SolverCard CardOf(const TCard *card)
{
    if (!card || card->Suit() < 1 || card->Suit() > 4 || card->Rank() < 1 || card->Rank() > 13)
        return 0;
    return MakeCard(card->Suit() - 1, card->Rank());
}

std::string CardToken(SolverCard card)
{
    static const char ranks[] = "A23456789TJQK";
    static const char suits[] = "CDHS";
    const int rank = RankOf(card);
    return {rank >= 1 && rank <= 13 ? ranks[rank - 1] : '?', suits[SuitIndexOf(card)]};
}

std::vector<const TCard *> PileCards(const TDeck *pile)
{
    std::vector<const TCard *> cards;
    for (const TCard *card = pile ? pile->TopCard() : nullptr; card; card = card->Below)
        cards.insert(cards.begin(), card);
    return cards;
}
