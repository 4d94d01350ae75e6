#include "games/seeded_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SeededRandom, FullRangeFromSeedZeroGivesTheGoldenValues)
{
    SeededRandom random;
    random.SetSeed(0);
    const std::uint64_t full = std::uint64_t(1) << 32;
    EXPECT_EQ(random.Random(full), 1u);
    EXPECT_EQ(random.Random(full), 134775814u);
    EXPECT_EQ(random.Random(full), 3698175007u);
    EXPECT_EQ(random.Seed(), 3698175007u);
}

TEST(SeededRandom, SameSeedDrawsTheSameIndexes)
{
    SeededRandom first, second;
    first.SetSeed(123456789);
    second.SetSeed(123456789);
    for (int n = 52; n >= 1; --n) {
        const int index = first.RandomIndex(n);
        EXPECT_EQ(index, second.RandomIndex(n));
        EXPECT_GE(index, 1);
        EXPECT_LE(index, n);
    }
}

TEST(SeededRandom, RandomTakesTheHighBitsOfSeedTimesN)
{
    SeededRandom random;
    random.SetSeed(0xFFFFFFFFu); // next seed: 0xFFFFFFFF * 134775813 + 1 = 0xF7F77BFC (mod 2^32)
    EXPECT_EQ(random.Random(52), std::uint32_t((std::uint64_t(0xF7F77BFCu) * 52) >> 32));
    EXPECT_EQ(random.Seed(), 0xF7F77BFCu);
}

TEST(SeededRandom, ZeroAndNegativeRangesStillAdvanceTheSeed)
{
    SeededRandom random;
    random.SetSeed(0);
    EXPECT_EQ(random.Random(0), 0u);
    EXPECT_EQ(random.Seed(), 1u);
    EXPECT_EQ(random.RandomIndex(0), 1);
    EXPECT_EQ(random.Seed(), 134775814u);
    EXPECT_EQ(random.RandomIndex(-3), 1);
    EXPECT_EQ(random.Seed(), 3698175007u);
}

TEST(SeededRandom, RandomizeTakesTheSeedFromItsSource)
{
    SeededRandom random([] { return std::uint32_t(4242); });
    random.Randomize();
    EXPECT_EQ(random.Seed(), 4242u);
}

} // namespace
