#include "solve/transposition_table.h"

#include <algorithm>

namespace {

constexpr std::size_t FirstSize = 1 << 14;


// The slot count is a power of two, so that a mask picks the slot.
std::size_t firstSlotCount(std::size_t maxEntries)
{
    std::size_t size = 16;
    while (size < FirstSize && size < maxEntries * 2)
        size *= 2;
    return size;
}

} // namespace

TranspositionTable::TranspositionTable(std::size_t maxEntries) : slots(firstSlotCount(maxEntries)), maxEntries(maxEntries)
{
}

TranspositionTable::Insert TranspositionTable::Add(std::uint64_t hash)
{
    if (hash == 0)
        hash = 1; // 0 marks an empty slot
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        if (slots[i] == hash)
            return Insert::Seen;
        if (slots[i] == 0) {
            if (count >= maxEntries)
                return Insert::Full;
            slots[i] = hash;
            if (++count * 2 > slots.size())
                grow();
            return Insert::Added;
        }
    }
}

void TranspositionTable::grow()
{
    std::vector<std::uint64_t> old(slots.size() * 2, 0);
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (std::uint64_t hash : old)
        if (hash != 0) {
            std::size_t i = hash & mask;
            while (slots[i] != 0)
                i = (i + 1) & mask;
            slots[i] = hash;
        }
}

void TranspositionTable::Clear()
{
    if (count > 0)
        std::fill(slots.begin(), slots.end(), 0);
    count = 0;
}
