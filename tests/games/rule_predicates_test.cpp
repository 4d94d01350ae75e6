#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/rule_predicates.h"

#include <gtest/gtest.h>

#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// The rules stated a second time, in words and letters rather than arithmetic: ranks are
// the letters of "A23456789TJQK", suits the letters of "CDHS".
const std::string rankLetters = "A23456789TJQK";
const std::string suitLetters = "CDHS";

enum class Suits { Same, Other, Any, AltColour, SameColour, UpCycle, DownCycle };
enum class Ranks { Up, Down, UpOrDown, Any, UpTwo, DownTwo };

struct RuleStatement {
    const TRule *rule;
    std::string name;
    Suits suits;
    Ranks ranks;
    bool shortPack;
    bool needsFaceUp;
    std::string wording;
    int direction;
    const TRule *reverse;
};

bool isRed(char suit)
{
    return suit == 'D' || suit == 'H';
}

// "upper follows lower" in a written cycle such as "A23456789TJQKA".
bool follows(const std::string &cycle, char lower, char upper)
{
    for (std::size_t i = 0; i + 1 < cycle.size(); ++i)
        if (cycle[i] == lower && cycle[i + 1] == upper)
            return true;
    return false;
}

bool suitsAgree(Suits suits, char lower, char upper)
{
    switch (suits) {
    case Suits::Same:
        return lower == upper;
    case Suits::Other:
        return lower != upper;
    case Suits::Any:
        return true;
    case Suits::AltColour:
        return isRed(lower) != isRed(upper);
    case Suits::SameColour:
        return isRed(lower) == isRed(upper);
    case Suits::UpCycle:
        return follows("SDCHS", lower, upper);
    case Suits::DownCycle:
        return follows("HCDSH", lower, upper);
    }
    return false;
}

bool ranksAgree(Ranks ranks, bool shortPack, char lower, char upper)
{
    const std::string cycle = "A23456789TJQKA";
    bool up = follows(cycle, lower, upper) || (shortPack && lower == 'A' && upper == '7');
    bool down = follows(cycle, upper, lower) || (shortPack && lower == '7' && upper == 'A');
    const auto lowerIndex = rankLetters.find(lower);
    const auto upperIndex = rankLetters.find(upper);
    switch (ranks) {
    case Ranks::Up:
        return up;
    case Ranks::Down:
        return down;
    case Ranks::UpOrDown:
        return up || down;
    case Ranks::Any:
        return true;
    case Ranks::UpTwo:
        return upperIndex == lowerIndex + 2;
    case Ranks::DownTwo:
        return lowerIndex == upperIndex + 2;
    }
    return false;
}

std::vector<RuleStatement> statements()
{
    using namespace Rules;
    std::vector<RuleStatement> list = {
        {UpInSuit, "UpInSuit", Suits::Same, Ranks::Up, false, true, "up in suit", 1, DownInSuit},
        {DownInSuit, "DownInSuit", Suits::Same, Ranks::Down, false, true, "down in suit", 2, UpInSuit},
        {UpOrDownInSuit, "UpOrDownInSuit", Suits::Same, Ranks::UpOrDown, false, true, "up or down in suit", 0,
         UpOrDownInSuit},
        {UpOtherSuit, "UpOtherSuit", Suits::Other, Ranks::Up, false, true, "up by any suit but the same", 1,
         DownOtherSuit},
        {DownOtherSuit, "DownOtherSuit", Suits::Other, Ranks::Down, false, true, "down by any suit but the same", 2,
         UpOtherSuit},
        {UpOrDownOtherSuit, "UpOrDownOtherSuit", Suits::Other, Ranks::UpOrDown, false, true,
         "up or down by any suit but the same", 0, UpOrDownOtherSuit},
        {UpAnySuit, "UpAnySuit", Suits::Any, Ranks::Up, false, true, "up regardless of suit", 1, DownAnySuit},
        {DownAnySuit, "DownAnySuit", Suits::Any, Ranks::Down, false, true, "down regardless of suit", 2, UpAnySuit},
        {UpOrDownAnySuit, "UpOrDownAnySuit", Suits::Any, Ranks::UpOrDown, false, true,
         "up or down regardless of suit", 0, UpOrDownAnySuit},
        {UpAltColour, "UpAltColour", Suits::AltColour, Ranks::Up, false, true, "up by alternate color", 1,
         DownAltColour},
        {DownAltColour, "DownAltColour", Suits::AltColour, Ranks::Down, false, true, "down by alternate color", 2,
         UpAltColour},
        {UpOrDownAltColour, "UpOrDownAltColour", Suits::AltColour, Ranks::UpOrDown, false, true,
         "up or down by alternate color", 0, UpOrDownAltColour},
        {UpSameColour, "UpSameColour", Suits::SameColour, Ranks::Up, false, true, "up by the same color", 1,
         DownSameColour},
        {DownSameColour, "DownSameColour", Suits::SameColour, Ranks::Down, false, true, "down by the same color", 2,
         UpSameColour},
        {UpOrDownSameColour, "UpOrDownSameColour", Suits::SameColour, Ranks::UpOrDown, false, true,
         "up or down by the same color", 0, UpOrDownSameColour},
        {AnyCard, "AnyCard", Suits::Any, Ranks::Any, false, true, "regardless of rank and suit", 0, AnyCard},
        {SameSuit, "SameSuit", Suits::Same, Ranks::Any, false, true, "", 0, nullptr},
        {UpSuitSequence, "UpSuitSequence", Suits::UpCycle, Ranks::Up, false, false,
         "up in the following sequence of suits - Spades, Diamonds, Clubs, Hearts, etc.", 1, DownSuitSequence},
        {DownSuitSequence, "DownSuitSequence", Suits::DownCycle, Ranks::Down, false, false,
         "down in the following sequence of suits - Hearts, Clubs, Diamonds, Spades, etc.", 2, UpSuitSequence},
        {UpByTwoInSuit, "UpByTwoInSuit", Suits::Same, Ranks::UpTwo, false, true, "up by two in suit", 1,
         DownByTwoInSuit},
        {DownByTwoInSuit, "DownByTwoInSuit", Suits::Same, Ranks::DownTwo, false, true, "down by two in suit", 2,
         UpByTwoInSuit},
        {UpByTwoAnySuit, "UpByTwoAnySuit", Suits::Any, Ranks::UpTwo, false, true, "up by two regardless of suit", 1,
         DownByTwoAnySuit},
        {DownByTwoAnySuit, "DownByTwoAnySuit", Suits::Any, Ranks::DownTwo, false, true,
         "down by two regardless of suit", 2, UpByTwoAnySuit},
    };
    // The short-pack twins: the first fifteen again with the Ace-Seven link, no reverse.
    const std::vector<const TRule *> twins = {
        UpInSuitShortPack,       DownInSuitShortPack,       UpOrDownInSuitShortPack,
        UpOtherSuitShortPack,    DownOtherSuitShortPack,    UpOrDownOtherSuitShortPack,
        UpAnySuitShortPack,      DownAnySuitShortPack,      UpOrDownAnySuitShortPack,
        UpAltColourShortPack,    DownAltColourShortPack,    UpOrDownAltColourShortPack,
        UpSameColourShortPack,   DownSameColourShortPack,   UpOrDownSameColourShortPack,
    };
    for (std::size_t i = 0; i < twins.size(); ++i) {
        RuleStatement twin = list[i];
        twin.rule = twins[i];
        twin.name += "ShortPack";
        twin.shortPack = true;
        twin.reverse = nullptr;
        list.push_back(twin);
    }
    return list;
}

class RulePredicates : public ::testing::Test {
protected:
    void SetUp() override
    {
        board = std::make_unique<TBoard>();
        for (int face = 0; face < 2; ++face)
            for (int suit = 1; suit <= 4; ++suit)
                for (int rank = 1; rank <= 13; ++rank) {
                    TCard *card = board->NewCard();
                    card->SetCardFace(suit * 256 + rank);
                    card->SetFace(face == 1);
                    cards[face].push_back(card);
                }
    }

    static char rankLetter(const TCard *card) { return rankLetters[card->Rank() - 1]; }
    static char suitLetter(const TCard *card) { return suitLetters[card->Suit() - 1]; }

    std::unique_ptr<TBoard> board;
    std::vector<TCard *> cards[2]; // [0] face down, [1] face up
};

TEST_F(RulePredicates, EveryRuleAgreesWithItsStatementOverEveryPairAndFace)
{
    const auto list = statements();
    ASSERT_EQ(list.size(), std::size_t(RuleCount));
    for (const RuleStatement &statement : list) {
        int accepted = 0;
        for (int lowerFace = 0; lowerFace < 2; ++lowerFace)
            for (int upperFace = 0; upperFace < 2; ++upperFace)
                for (const TCard *lower : cards[lowerFace])
                    for (const TCard *upper : cards[upperFace]) {
                        const bool faceAllows = !statement.needsFaceUp || (lowerFace == 1 && upperFace == 1);
                        const bool expected = faceAllows
                            && suitsAgree(statement.suits, suitLetter(lower), suitLetter(upper))
                            && ranksAgree(statement.ranks, statement.shortPack, rankLetter(lower),
                                          rankLetter(upper));
                        accepted += expected;
                        ASSERT_EQ(statement.rule->Test(lower, upper), expected)
                            << statement.name << " lower " << rankLetter(lower) << suitLetter(lower)
                            << (lowerFace ? " up" : " down") << " upper " << rankLetter(upper) << suitLetter(upper)
                            << (upperFace ? " up" : " down");
                    }
        EXPECT_GT(accepted, 0) << statement.name;
        EXPECT_FALSE(statement.rule->Test(nullptr, cards[1][0])) << statement.name;
        EXPECT_FALSE(RuleHolds(statement.rule, nullptr, cards[1][0])) << statement.name;
    }
}

TEST_F(RulePredicates, TablesGiveNameWordingDirectionAndReverse)
{
    for (const RuleStatement &statement : statements()) {
        EXPECT_EQ(std::string(statement.rule->Name), statement.name);
        EXPECT_EQ(std::string(RuleWording(statement.rule)), statement.wording) << statement.name;
        EXPECT_EQ(RuleDirection(statement.rule), statement.direction) << statement.name;
        EXPECT_EQ(statement.rule->IsAnyCard, statement.rule == Rules::AnyCard) << statement.name;

        TDeck *pile = board->NewDeck();
        pile->Rule = statement.rule;
        const TRule *reverse = ReverseRule(pile);
        EXPECT_EQ(reverse, statement.reverse) << statement.name;
        if (reverse) {
            pile->Rule = reverse;
            EXPECT_EQ(ReverseRule(pile), statement.rule) << statement.name << " reversed twice";
        }
    }
    EXPECT_EQ(RuleDirection(nullptr), 0);
    EXPECT_EQ(std::string(RuleWording(nullptr)), "");
    EXPECT_EQ(ReverseRule(nullptr), nullptr);
    EXPECT_EQ(ReverseRule(board->NewDeck()), nullptr);
}

TEST(RuleCodes, EveryCodeFrom0To255MapsToItsRuleOrToNone)
{
    const std::map<int, std::string> expected = {
        {0, "UpInSuit"},          {128, "UpInSuit"},          {32, "DownInSuit"},        {64, "UpOrDownInSuit"},
        {4, "UpOtherSuit"},       {132, "UpOtherSuit"},       {36, "DownOtherSuit"},     {68, "UpOrDownOtherSuit"},
        {3, "UpAnySuit"},         {131, "UpAnySuit"},         {35, "DownAnySuit"},       {67, "UpOrDownAnySuit"},
        {2, "UpAltColour"},       {130, "UpAltColour"},       {34, "DownAltColour"},     {66, "UpOrDownAltColour"},
        {1, "UpSameColour"},      {129, "UpSameColour"},      {33, "DownSameColour"},    {65, "UpOrDownSameColour"},
        {9, "AnyCard"},           {41, "AnyCard"},            {73, "AnyCard"},
    };
    for (int code = -1; code <= 256; ++code) {
        const TRule *rule = RuleFromCode(code);
        const auto found = expected.find(code);
        if (found == expected.end())
            EXPECT_EQ(rule, nullptr) << "code " << code;
        else {
            ASSERT_NE(rule, nullptr) << "code " << code;
            EXPECT_EQ(std::string(rule->Name), found->second) << "code " << code;
        }
    }
}

TEST(RuleRanks, NextAndPreviousRankWrapBetweenKingAndAce)
{
    EXPECT_EQ(NextRank(13), 1);
    EXPECT_EQ(NextRank(1), 2);
    EXPECT_EQ(NextRank(12), 13);
    EXPECT_EQ(PrevRank(1), 13);
    EXPECT_EQ(PrevRank(2), 1);
    EXPECT_EQ(PrevRank(13), 12);
}

class WrapAtBase : public ::testing::Test {
protected:
    TCard *card(int suit, int rank)
    {
        TCard *result = board.NewCard();
        result->SetCardFace(suit * 256 + rank);
        result->SetFace(true);
        return result;
    }
    // A pile with the rule and base rank holding lower and upper, upper on top.
    bool wrapInPile(const TRule *rule, int base, int lowerRank, int upperRank)
    {
        TDeck *pile = board.NewDeck();
        pile->SetHostBoard(&board);
        pile->Rule = rule;
        pile->SetCardVal(base);
        TCard *lower = card(1, lowerRank);
        TCard *upper = card(1, upperRank);
        pile->AddCard(lower);
        pile->AddCard(upper);
        return IsWrapAtBase(lower, upper);
    }
    TBoard board;
};

TEST_F(WrapAtBase, MarksTheRankPairAtTheBaseInTheRulesDirection)
{
    struct Case {
        const TRule *rule;
        int base, lower, upper;
        bool wrap;
    };
    using namespace Rules;
    const Case cases[] = {
        {DownAltColour, 1, 1, 13, true},   {DownAltColour, 1, 13, 1, false},  {DownAltColour, 1, 2, 1, false},
        {DownInSuitShortPack, 7, 7, 6, true}, {DownAnySuit, 13, 13, 12, true}, {DownSameColour, 1, 1, 13, true},
        {UpInSuit, 1, 1, 2, true},         {UpInSuit, 1, 13, 1, false},       {UpInSuit, 13, 13, 1, true},
        {UpAnySuitShortPack, 1, 1, 2, true}, {UpAltColour, 5, 5, 6, true},    {UpSameColour, 5, 5, 7, false},
        {UpOrDownInSuit, 1, 1, 13, true},  {UpOrDownInSuit, 1, 13, 1, true},  {UpOrDownInSuit, 1, 1, 2, false},
        {UpOrDownAltColourShortPack, 7, 6, 7, true},
        // Rules outside the three families never mark a wrap.
        {UpOtherSuit, 1, 1, 2, false},     {DownOtherSuit, 1, 1, 13, false},  {AnyCard, 1, 1, 13, false},
        {UpByTwoInSuit, 1, 1, 3, false},   {nullptr, 1, 1, 13, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(wrapInPile(c.rule, c.base, c.lower, c.upper), c.wrap)
            << (c.rule ? c.rule->Name : "none") << " base " << c.base << " " << c.lower << " under " << c.upper;
}

TEST_F(WrapAtBase, CardsOutsideAPileNeverWrap)
{
    EXPECT_FALSE(IsWrapAtBase(card(1, 1), card(1, 13)));
    EXPECT_FALSE(IsWrapAtBase(nullptr, card(1, 13)));
    EXPECT_FALSE(IsWrapAtBase(card(1, 1), nullptr));
}

} // namespace
