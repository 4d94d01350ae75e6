#pragma once

#include <array>

class TDeck;
class TCard;

// The moves found by the move search: room for 500 (pile, card) entries, one of them
// kept as scratch, the number found and the entry shown last (0 = none yet).
struct CandidateList {
    struct Entry {
        TDeck *Deck = nullptr;
        TCard *Card = nullptr;
    };
    static constexpr int Capacity = 500;
    static constexpr int Usable = Capacity - 1;

    std::array<Entry, Capacity> Entries{};
    int Count = 0;
    int Current = 0;

    // Forgets every entry and the current one, so the next search starts afresh.
    void Reset()
    {
        Count = 0;
        Current = 0;
    }
    bool Add(TDeck *deck, TCard *card)
    {
        if (Count >= Usable)
            return false;
        Entries[++Count] = {deck, card};
        return true;
    }
};
