#pragma once

#include <cstdint>
#include <functional>

// The generator that draws every card of a deal. A game number is its seed, so the
// arithmetic is fixed for good: seed := seed * 134775813 + 1 (mod 2^32), and Random(N)
// takes the high 32 bits of seed * N.
class SeededRandom {
public:
    // Where Randomize takes a fresh seed from; by default a high-resolution clock.
    using SeedSource = std::function<std::uint32_t()>;

    SeededRandom();
    explicit SeededRandom(SeedSource source);

    std::uint32_t Seed() const { return seed; }
    void SetSeed(std::uint32_t value) { seed = value; }

    // Takes a fresh seed from the seed source.
    void Randomize();
    // 0 <= result < n (n up to 2^32, larger values count as 2^32); Random(0) advances the
    // seed and returns 0.
    std::uint32_t Random(std::uint64_t n);
    // A number 1..n; 1 when n is 0 or less (the seed still advances).
    int RandomIndex(int n);

    // The low 32 bits of the steady clock's tick count.
    static std::uint32_t ClockSeed();

private:
    std::uint32_t seed = 0;
    SeedSource seedSource;
};
