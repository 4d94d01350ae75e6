#include "look/card_sizing.h"

#include <gtest/gtest.h>

TEST(CardSizing, ScaleFactorsAreWholeNumbersNeverBelowOne)
{
    const struct {
        int length, reference, expected;
    } cases[] = {
        {55, 71, 1}, {71, 71, 1}, {89, 71, 1}, {106, 71, 1}, {107, 71, 2}, {142, 71, 2},
        {74, 96, 1}, {96, 96, 1}, {120, 96, 1}, {144, 96, 2}, // 1.5 rounds to the even 2
        {240, 96, 2},                                          // 2.5 rounds to the even 2
        {20, 96, 1}, {0, 96, 1},                               // below 1 counts as 1
    };
    for (const auto &item : cases)
        EXPECT_EQ(CardSizing::ScaleFactor(item.length, item.reference), item.expected) << item.length;
}

TEST(CardSizing, NeededTableGrowsWithTheCard)
{
    const QSize spider(793, 261); // Spider's table at the standard card
    EXPECT_EQ(spider, QSize(793, 261));
    EXPECT_EQ(CardSizing::NeededTableSize(spider, QSize(71, 96)), QSize(793, 261));
    EXPECT_EQ(CardSizing::NeededTableSize(spider, QSize(89, 120)), QSize(994, 326));
    // Smaller cards get 5 per cent to spare.
    EXPECT_EQ(CardSizing::NeededTableSize(spider, QSize(55, 74)), QSize(645, 211));
    // A set much taller than the standard card needs more height.
    EXPECT_EQ(CardSizing::NeededTableSize(spider, QSize(71, 96), 1.6), QSize(793, 309));
}

TEST(CardSizing, AutomaticSizingStepsDownUntilTheTableFits)
{
    using CardSizing::Large;
    using CardSizing::Normal;
    using CardSizing::Small;
    const std::array<bool, 3> all{true, true, true};
    const std::array<bool, 3> normalOnly{false, true, false};
    const QSize spider(793, 261); // Spider's table at the standard card
    const struct {
        const char *name;
        int saved;
        int set;
        QSize screen;
        std::array<bool, 3> setOffers, defaultOffers;
        int expectedSet, expectedSize;
    } cases[] = {
        {"large fits", Large, 1, QSize(1920, 1080), all, all, 1, Large},
        {"large too wide", Large, 1, QSize(990, 1080), all, all, 1, Normal},
        {"large too high", Large, 1, QSize(1920, 326 + 28), all, all, 1, Normal},
        {"normal too wide", Normal, 1, QSize(792, 1080), all, all, 1, Small},
        {"large falls to small", Large, 1, QSize(700, 1080), all, all, 1, Small},
        {"never grows", Small, 1, QSize(1920, 1080), all, all, 1, Small},
        {"set lacks the size", Large, 2, QSize(1920, 1080), normalOnly, all, 0, Large},
        {"no sdeck.dll", Large, 2, QSize(1920, 1080), normalOnly, normalOnly, 0, Normal},
        {"default small without sdeck.dll", Small, 0, QSize(1920, 1080), normalOnly, normalOnly, 0, Normal},
    };
    for (const auto &item : cases) {
        const CardSizing::Choice choice = CardSizing::ChooseCardSize(item.saved, item.set, spider, item.screen,
                                                                     96.0 / 71.0, item.setOffers, item.defaultOffers);
        EXPECT_EQ(choice.set, item.expectedSet) << item.name;
        EXPECT_EQ(choice.size, item.expectedSize) << item.name;
    }
}
