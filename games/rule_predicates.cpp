#include "games/rule_predicates.h"

#include "engine/card.h"
#include "engine/deck.h"

#include <array>
#include <utility>

namespace {

enum class SuitCondition { SameSuit, OtherSuit, AnySuit, AltColour, SameColour };
enum class RankStep { Up, Down, UpOrDown };

bool isBlack(int suit)
{
    return suit == 1 || suit == 4;
}

bool suitsFit(SuitCondition condition, int lowerSuit, int upperSuit)
{
    switch (condition) {
    case SuitCondition::SameSuit:
        return lowerSuit == upperSuit;
    case SuitCondition::OtherSuit:
        return lowerSuit != upperSuit;
    case SuitCondition::AnySuit:
        return true;
    case SuitCondition::AltColour:
        return isBlack(lowerSuit) != isBlack(upperSuit);
    case SuitCondition::SameColour:
        return isBlack(lowerSuit) == isBlack(upperSuit);
    }
    return false;
}

// One higher, with an Ace following a King.
bool isOneHigher(int lowerRank, int upperRank)
{
    return upperRank == lowerRank % 13 + 1;
}

bool ranksFit(RankStep step, bool shortPack, int lowerRank, int upperRank)
{
    const bool up = isOneHigher(lowerRank, upperRank) || (shortPack && lowerRank == 1 && upperRank == 7);
    const bool down = isOneHigher(upperRank, lowerRank) || (shortPack && lowerRank == 7 && upperRank == 1);
    switch (step) {
    case RankStep::Up:
        return up;
    case RankStep::Down:
        return down;
    case RankStep::UpOrDown:
        return up || down;
    }
    return false;
}

bool bothFaceUp(const TCard *lower, const TCard *upper)
{
    return lower && upper && lower->Face() && upper->Face();
}

// The sequence rules: a suit condition and a step of one rank.
template <SuitCondition Condition, RankStep Step, bool ShortPack>
bool sequenceRule(const TCard *lower, const TCard *upper)
{
    return bothFaceUp(lower, upper) && suitsFit(Condition, lower->Suit(), upper->Suit())
        && ranksFit(Step, ShortPack, lower->Rank(), upper->Rank());
}

bool anyCard(const TCard *lower, const TCard *upper)
{
    return bothFaceUp(lower, upper);
}

bool sameSuit(const TCard *lower, const TCard *upper)
{
    return bothFaceUp(lower, upper) && lower->Suit() == upper->Suit();
}

// Suit cycles of the suit-sequence rules, as the successor of each suit 1..4:
// up Spades, Diamonds, Clubs, Hearts; down Hearts, Clubs, Diamonds, Spades.
constexpr std::array<int, 5> upSuitSuccessor = {0, 3, 1, 4, 2};
constexpr std::array<int, 5> downSuitSuccessor = {0, 2, 4, 1, 3};

int successorSuit(const std::array<int, 5> &cycle, int suit)
{
    return suit >= 1 && suit <= 4 ? cycle[suit] : -1;
}

// The suit-sequence rules look at the suits and ranks only, whichever side is up.
bool upSuitSequence(const TCard *lower, const TCard *upper)
{
    return lower && upper && upper->Suit() == successorSuit(upSuitSuccessor, lower->Suit())
        && isOneHigher(lower->Rank(), upper->Rank());
}

bool downSuitSequence(const TCard *lower, const TCard *upper)
{
    return lower && upper && upper->Suit() == successorSuit(downSuitSuccessor, lower->Suit())
        && isOneHigher(upper->Rank(), lower->Rank());
}

template <bool InSuit, int Step>
bool byTwoRule(const TCard *lower, const TCard *upper)
{
    return bothFaceUp(lower, upper) && (!InSuit || lower->Suit() == upper->Suit())
        && upper->Rank() == lower->Rank() + Step;
}

using SC = SuitCondition;
using RS = RankStep;

constexpr const TRule *entry(RuleId id)
{
    return &RuleTable[id];
}

} // namespace

#define SEQUENCE_RULE(name, condition, step, shortPack, wording, direction, reverse)                         \
    TRule { #name, &sequenceRule<SC::condition, RS::step, shortPack>, wording, direction, reverse, false }

const TRule RuleTable[RuleCount] = {
    SEQUENCE_RULE(UpInSuit, SameSuit, Up, false, "up in suit", 1, entry(DownInSuitId)),
    SEQUENCE_RULE(DownInSuit, SameSuit, Down, false, "down in suit", 2, entry(UpInSuitId)),
    SEQUENCE_RULE(UpOrDownInSuit, SameSuit, UpOrDown, false, "up or down in suit", 0, entry(UpOrDownInSuitId)),
    // Classed as upward, like its twin DownOtherSuit is downward, so that automatic moves
    // also serve a foundation built up by any suit but the same.
    SEQUENCE_RULE(UpOtherSuit, OtherSuit, Up, false, "up by any suit but the same", 1, entry(DownOtherSuitId)),
    SEQUENCE_RULE(DownOtherSuit, OtherSuit, Down, false, "down by any suit but the same", 2, entry(UpOtherSuitId)),
    SEQUENCE_RULE(UpOrDownOtherSuit, OtherSuit, UpOrDown, false, "up or down by any suit but the same", 0,
                  entry(UpOrDownOtherSuitId)),
    SEQUENCE_RULE(UpAnySuit, AnySuit, Up, false, "up regardless of suit", 1, entry(DownAnySuitId)),
    SEQUENCE_RULE(DownAnySuit, AnySuit, Down, false, "down regardless of suit", 2, entry(UpAnySuitId)),
    SEQUENCE_RULE(UpOrDownAnySuit, AnySuit, UpOrDown, false, "up or down regardless of suit", 0,
                  entry(UpOrDownAnySuitId)),
    SEQUENCE_RULE(UpAltColour, AltColour, Up, false, "up by alternate color", 1, entry(DownAltColourId)),
    SEQUENCE_RULE(DownAltColour, AltColour, Down, false, "down by alternate color", 2, entry(UpAltColourId)),
    SEQUENCE_RULE(UpOrDownAltColour, AltColour, UpOrDown, false, "up or down by alternate color", 0,
                  entry(UpOrDownAltColourId)),
    SEQUENCE_RULE(UpSameColour, SameColour, Up, false, "up by the same color", 1, entry(DownSameColourId)),
    SEQUENCE_RULE(DownSameColour, SameColour, Down, false, "down by the same color", 2, entry(UpSameColourId)),
    SEQUENCE_RULE(UpOrDownSameColour, SameColour, UpOrDown, false, "up or down by the same color", 0,
                  entry(UpOrDownSameColourId)),
    TRule{"AnyCard", &anyCard, "regardless of rank and suit", 0, entry(AnyCardId), true},
    TRule{"SameSuit", &sameSuit, "", 0, nullptr, false},
    TRule{"UpSuitSequence", &upSuitSequence,
          "up in the following sequence of suits - Spades, Diamonds, Clubs, Hearts, etc.", 1,
          entry(DownSuitSequenceId), false},
    TRule{"DownSuitSequence", &downSuitSequence,
          "down in the following sequence of suits - Hearts, Clubs, Diamonds, Spades, etc.", 2,
          entry(UpSuitSequenceId), false},
    TRule{"UpByTwoInSuit", &byTwoRule<true, 2>, "up by two in suit", 1, entry(DownByTwoInSuitId), false},
    TRule{"DownByTwoInSuit", &byTwoRule<true, -2>, "down by two in suit", 2, entry(UpByTwoInSuitId), false},
    TRule{"UpByTwoAnySuit", &byTwoRule<false, 2>, "up by two regardless of suit", 1, entry(DownByTwoAnySuitId),
          false},
    TRule{"DownByTwoAnySuit", &byTwoRule<false, -2>, "down by two regardless of suit", 2,
          entry(UpByTwoAnySuitId), false},
    SEQUENCE_RULE(UpInSuitShortPack, SameSuit, Up, true, "up in suit", 1, nullptr),
    SEQUENCE_RULE(DownInSuitShortPack, SameSuit, Down, true, "down in suit", 2, nullptr),
    SEQUENCE_RULE(UpOrDownInSuitShortPack, SameSuit, UpOrDown, true, "up or down in suit", 0, nullptr),
    SEQUENCE_RULE(UpOtherSuitShortPack, OtherSuit, Up, true, "up by any suit but the same", 1, nullptr),
    SEQUENCE_RULE(DownOtherSuitShortPack, OtherSuit, Down, true, "down by any suit but the same", 2, nullptr),
    SEQUENCE_RULE(UpOrDownOtherSuitShortPack, OtherSuit, UpOrDown, true, "up or down by any suit but the same", 0,
                  nullptr),
    SEQUENCE_RULE(UpAnySuitShortPack, AnySuit, Up, true, "up regardless of suit", 1, nullptr),
    SEQUENCE_RULE(DownAnySuitShortPack, AnySuit, Down, true, "down regardless of suit", 2, nullptr),
    SEQUENCE_RULE(UpOrDownAnySuitShortPack, AnySuit, UpOrDown, true, "up or down regardless of suit", 0, nullptr),
    SEQUENCE_RULE(UpAltColourShortPack, AltColour, Up, true, "up by alternate color", 1, nullptr),
    SEQUENCE_RULE(DownAltColourShortPack, AltColour, Down, true, "down by alternate color", 2, nullptr),
    SEQUENCE_RULE(UpOrDownAltColourShortPack, AltColour, UpOrDown, true, "up or down by alternate color", 0,
                  nullptr),
    SEQUENCE_RULE(UpSameColourShortPack, SameColour, Up, true, "up by the same color", 1, nullptr),
    SEQUENCE_RULE(DownSameColourShortPack, SameColour, Down, true, "down by the same color", 2, nullptr),
    SEQUENCE_RULE(UpOrDownSameColourShortPack, SameColour, UpOrDown, true, "up or down by the same color", 0,
                  nullptr),
};

#undef SEQUENCE_RULE

int NextRank(int rank)
{
    return rank == 13 ? 1 : rank + 1;
}

int PrevRank(int rank)
{
    return rank == 1 ? 13 : rank - 1;
}

bool RuleHolds(const TRule *rule, const TCard *lower, const TCard *upper)
{
    return rule && rule->Test && rule->Test(lower, upper);
}

const TRule *RuleFromCode(int code)
{
    static constexpr std::pair<int, RuleId> codes[] = {
        {0, UpInSuitId},          {128, UpInSuitId},          {32, DownInSuitId},
        {64, UpOrDownInSuitId},   {4, UpOtherSuitId},         {132, UpOtherSuitId},
        {36, DownOtherSuitId},    {68, UpOrDownOtherSuitId},  {3, UpAnySuitId},
        {131, UpAnySuitId},       {35, DownAnySuitId},        {67, UpOrDownAnySuitId},
        {2, UpAltColourId},       {130, UpAltColourId},       {34, DownAltColourId},
        {66, UpOrDownAltColourId}, {1, UpSameColourId},       {129, UpSameColourId},
        {33, DownSameColourId},   {65, UpOrDownSameColourId}, {9, AnyCardId},
        {41, AnyCardId},          {73, AnyCardId},
    };
    for (const auto &[value, id] : codes)
        if (value == code)
            return &RuleTable[id];
    return nullptr;
}

int RuleDirection(const TRule *rule)
{
    for (const TRule &known : RuleTable)
        if (&known == rule)
            return known.Direction;
    return NoDirection;
}

const TRule *ReverseRule(const TDeck *pile)
{
    if (!pile || !pile->Rule)
        return nullptr;
    for (const TRule &known : RuleTable)
        if (&known == pile->Rule)
            return known.Reverse;
    return nullptr;
}

namespace {

bool isOneOf(const TRule *rule, std::initializer_list<const TRule *> rules)
{
    for (const TRule *candidate : rules)
        if (candidate == rule)
            return true;
    return false;
}

} // namespace

bool IsWrapAtBaseOf(const TDeck *pile, const TCard *lower, const TCard *upper)
{
    if (!pile || !lower || !upper || !pile->Rule)
        return false;
    using namespace Rules;
    const TRule *rule = pile->Rule;
    const int base = pile->CardVal();
    const int lowerRank = lower->Rank();
    const int upperRank = upper->Rank();
    if (isOneOf(rule, {UpInSuit, UpInSuitShortPack, UpSameColour, UpSameColourShortPack, UpAltColour,
                       UpAltColourShortPack, UpAnySuit, UpAnySuitShortPack}))
        return lowerRank == base && upperRank == NextRank(base);
    if (isOneOf(rule, {DownInSuit, DownInSuitShortPack, DownSameColour, DownSameColourShortPack, DownAltColour,
                       DownAltColourShortPack, DownAnySuit, DownAnySuitShortPack}))
        return lowerRank == base && upperRank == PrevRank(base);
    if (isOneOf(rule, {UpOrDownInSuit, UpOrDownInSuitShortPack, UpOrDownSameColour, UpOrDownSameColourShortPack,
                       UpOrDownAltColour, UpOrDownAltColourShortPack, UpOrDownAnySuit, UpOrDownAnySuitShortPack}))
        return (lowerRank == base && upperRank == PrevRank(base))
            || (lowerRank == PrevRank(base) && upperRank == base);
    return false;
}

bool IsWrapAtBase(const TCard *lower, const TCard *upper)
{
    if (!lower || !upper || !lower->HostDeck() || !upper->HostDeck())
        return false;
    return IsWrapAtBaseOf(lower->HostDeck(), lower, upper);
}
