#pragma once

#include "engine/rule.h"

#include <cstddef>

class TCard;
class TDeck;

// The building rules of every game. Each rule is one entry of RuleTable; piles keep a
// pointer to the entry in their Rule or GroupRule, and the rest of the program
// recognises a rule by that pointer.
enum RuleId : std::size_t {
    UpInSuitId,
    DownInSuitId,
    UpOrDownInSuitId,
    UpOtherSuitId,
    DownOtherSuitId,
    UpOrDownOtherSuitId,
    UpAnySuitId,
    DownAnySuitId,
    UpOrDownAnySuitId,
    UpAltColourId,
    DownAltColourId,
    UpOrDownAltColourId,
    UpSameColourId,
    DownSameColourId,
    UpOrDownSameColourId,
    AnyCardId,
    SameSuitId,
    UpSuitSequenceId,
    DownSuitSequenceId,
    UpByTwoInSuitId,
    DownByTwoInSuitId,
    UpByTwoAnySuitId,
    DownByTwoAnySuitId,
    // The short-pack twins of the first fifteen rules, in the same order.
    UpInSuitShortPackId,
    DownInSuitShortPackId,
    UpOrDownInSuitShortPackId,
    UpOtherSuitShortPackId,
    DownOtherSuitShortPackId,
    UpOrDownOtherSuitShortPackId,
    UpAnySuitShortPackId,
    DownAnySuitShortPackId,
    UpOrDownAnySuitShortPackId,
    UpAltColourShortPackId,
    DownAltColourShortPackId,
    UpOrDownAltColourShortPackId,
    UpSameColourShortPackId,
    DownSameColourShortPackId,
    UpOrDownSameColourShortPackId,
    RuleCount
};

extern const TRule RuleTable[RuleCount];

namespace Rules {
inline constexpr const TRule *UpInSuit = &RuleTable[UpInSuitId];
inline constexpr const TRule *DownInSuit = &RuleTable[DownInSuitId];
inline constexpr const TRule *UpOrDownInSuit = &RuleTable[UpOrDownInSuitId];
inline constexpr const TRule *UpOtherSuit = &RuleTable[UpOtherSuitId];
inline constexpr const TRule *DownOtherSuit = &RuleTable[DownOtherSuitId];
inline constexpr const TRule *UpOrDownOtherSuit = &RuleTable[UpOrDownOtherSuitId];
inline constexpr const TRule *UpAnySuit = &RuleTable[UpAnySuitId];
inline constexpr const TRule *DownAnySuit = &RuleTable[DownAnySuitId];
inline constexpr const TRule *UpOrDownAnySuit = &RuleTable[UpOrDownAnySuitId];
inline constexpr const TRule *UpAltColour = &RuleTable[UpAltColourId];
inline constexpr const TRule *DownAltColour = &RuleTable[DownAltColourId];
inline constexpr const TRule *UpOrDownAltColour = &RuleTable[UpOrDownAltColourId];
inline constexpr const TRule *UpSameColour = &RuleTable[UpSameColourId];
inline constexpr const TRule *DownSameColour = &RuleTable[DownSameColourId];
inline constexpr const TRule *UpOrDownSameColour = &RuleTable[UpOrDownSameColourId];
inline constexpr const TRule *AnyCard = &RuleTable[AnyCardId];
inline constexpr const TRule *SameSuit = &RuleTable[SameSuitId];
inline constexpr const TRule *UpSuitSequence = &RuleTable[UpSuitSequenceId];
inline constexpr const TRule *DownSuitSequence = &RuleTable[DownSuitSequenceId];
inline constexpr const TRule *UpByTwoInSuit = &RuleTable[UpByTwoInSuitId];
inline constexpr const TRule *DownByTwoInSuit = &RuleTable[DownByTwoInSuitId];
inline constexpr const TRule *UpByTwoAnySuit = &RuleTable[UpByTwoAnySuitId];
inline constexpr const TRule *DownByTwoAnySuit = &RuleTable[DownByTwoAnySuitId];
inline constexpr const TRule *UpInSuitShortPack = &RuleTable[UpInSuitShortPackId];
inline constexpr const TRule *DownInSuitShortPack = &RuleTable[DownInSuitShortPackId];
inline constexpr const TRule *UpOrDownInSuitShortPack = &RuleTable[UpOrDownInSuitShortPackId];
inline constexpr const TRule *UpOtherSuitShortPack = &RuleTable[UpOtherSuitShortPackId];
inline constexpr const TRule *DownOtherSuitShortPack = &RuleTable[DownOtherSuitShortPackId];
inline constexpr const TRule *UpOrDownOtherSuitShortPack = &RuleTable[UpOrDownOtherSuitShortPackId];
inline constexpr const TRule *UpAnySuitShortPack = &RuleTable[UpAnySuitShortPackId];
inline constexpr const TRule *DownAnySuitShortPack = &RuleTable[DownAnySuitShortPackId];
inline constexpr const TRule *UpOrDownAnySuitShortPack = &RuleTable[UpOrDownAnySuitShortPackId];
inline constexpr const TRule *UpAltColourShortPack = &RuleTable[UpAltColourShortPackId];
inline constexpr const TRule *DownAltColourShortPack = &RuleTable[DownAltColourShortPackId];
inline constexpr const TRule *UpOrDownAltColourShortPack = &RuleTable[UpOrDownAltColourShortPackId];
inline constexpr const TRule *UpSameColourShortPack = &RuleTable[UpSameColourShortPackId];
inline constexpr const TRule *DownSameColourShortPack = &RuleTable[DownSameColourShortPackId];
inline constexpr const TRule *UpOrDownSameColourShortPack = &RuleTable[UpOrDownSameColourShortPackId];
} // namespace Rules

// Rule direction values.
enum RuleDirectionKind { NoDirection = 0, UpDirection = 1, DownDirection = 2 };

// The rank after r (an Ace follows a King) and the rank before r (a King precedes an Ace).
int NextRank(int rank);
int PrevRank(int rank);

// Applies a rule; false for no rule.
bool RuleHolds(const TRule *rule, const TCard *lower, const TCard *upper);

// The rule of a rule code (direction part 0, 32, 64 or 128 plus a method); nullptr for
// every code that names no rule.
const TRule *RuleFromCode(int code);

// The building direction of a rule: 1 up, 2 down, 0 neither (also for no rule).
int RuleDirection(const TRule *rule);

// The reverse of the pile's Rule; nullptr for no pile, no rule or a rule without reverse.
const TRule *ReverseRule(const TDeck *pile);

// Whether lower and upper, lying in lower's pile, meet at the wrap-around point of that
// pile's Rule at its base rank (CardVal), so that a sequence must not continue across them.
bool IsWrapAtBase(const TCard *lower, const TCard *upper);
// The same test against a given pile's Rule and base rank, wherever the cards lie now.
bool IsWrapAtBaseOf(const TDeck *pile, const TCard *lower, const TCard *upper);
