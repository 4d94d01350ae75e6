#pragma once

#include <cstdint>
#include <vector>

// The set of position hashes a search has seen: open addressing over 64-bit keys, growing
// by doubling up to a fixed number of entries (8 bytes each), then refusing new ones.
class TranspositionTable {
public:
    explicit TranspositionTable(std::size_t maxEntries);

    enum class Insert { Added, Seen, Full };
    Insert Add(std::uint64_t hash);
    std::size_t Size() const { return count; }
    // Forgets every hash, keeping the slots for the next search.
    void Clear();

private:
    void grow();

    std::vector<std::uint64_t> slots;
    std::size_t count = 0;
    std::size_t maxEntries;
};

// A strong 64-bit mix (splitmix64's finaliser), for building position hashes.
inline std::uint64_t MixHash(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// The hash of a pile's cards in order (bytes, bottom first), salted by what the pile is.
inline std::uint64_t PileHash(const std::uint8_t *cards, int count, std::uint64_t salt)
{
    std::uint64_t h = MixHash(salt + std::uint64_t(count));
    for (int i = 0; i < count; ++i)
        h = MixHash(h ^ cards[i]);
    return h;
}
