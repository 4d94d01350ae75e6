#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TCard;
class TDeck;

// A card as the solver keeps it: suit index 0..3 (Clubs, Diamonds, Hearts, Spades) in bits
// 4-5 and rank 1..13 in bits 0-3; 0 is no card.
using SolverCard = std::uint8_t;

inline constexpr SolverCard MakeCard(int suitIndex, int rank)
{
    return SolverCard(suitIndex << 4 | rank);
}
inline constexpr int RankOf(SolverCard card)
{
    return card & 15;
}
inline constexpr int SuitIndexOf(SolverCard card)
{
    return card >> 4 & 3;
}
inline constexpr bool IsRed(SolverCard card)
{
    return SuitIndexOf(card) == 1 || SuitIndexOf(card) == 2;
}
// Upper lies on lower in a column built down by alternate colour.
inline constexpr bool FitsDownAlternate(SolverCard lower, SolverCard upper)
{
    return RankOf(lower) == RankOf(upper) + 1 && IsRed(lower) != IsRed(upper);
}
// Upper lies on lower in a column built down in suit.
inline constexpr bool FitsDownInSuit(SolverCard lower, SolverCard upper)
{
    return RankOf(lower) == RankOf(upper) + 1 && SuitIndexOf(lower) == SuitIndexOf(upper);
}

// The table's card in the solver's form (0 for a card of no valid suit or rank).
SolverCard CardOf(const TCard *card);

// The card as play commands name it: rank "A23456789TJQK" then suit "CDHS".
std::string CardToken(SolverCard card);

// The lowest rank on the foundations of the two suits of the other colour.
inline int LowestOtherColourHome(const std::uint8_t *home, SolverCard card)
{
    const bool red = IsRed(card);
    const int a = red ? home[0] : home[1];
    const int b = red ? home[3] : home[2];
    return a < b ? a : b;
}

// A card that no card of the other colour one rank lower can still need to lie on: safe
// to play to its foundation at once in games built down by alternate colour.
inline bool SafeHomeAlternate(const std::uint8_t *home, SolverCard card)
{
    return RankOf(card) <= 2 || RankOf(card) <= LowestOtherColourHome(home, card) + 1;
}

// The pile's cards from the bottom up (empty for no pile).
std::vector<const TCard *> PileCards(const TDeck *pile);
