#include "games/seeded_random.h"

#include <chrono>
#include <utility>

SeededRandom::SeededRandom()
    : seedSource(&SeededRandom::ClockSeed)
{
}

SeededRandom::SeededRandom(SeedSource source)
    : seedSource(source ? std::move(source) : SeedSource(&SeededRandom::ClockSeed))
{
}

void SeededRandom::Randomize()
{
    seed = seedSource();
}

std::uint32_t SeededRandom::Random(std::uint64_t n)
{
    constexpr std::uint64_t range = std::uint64_t(1) << 32;
    seed = seed * 134775813u + 1u;
    if (n > range)
        n = range;
    return static_cast<std::uint32_t>((std::uint64_t(seed) * n) >> 32);
}

int SeededRandom::RandomIndex(int n)
{
    return static_cast<int>(Random(n > 0 ? std::uint64_t(n) : 0)) + 1;
}

std::uint32_t SeededRandom::ClockSeed()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks);
}
