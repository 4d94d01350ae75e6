#pragma once

#include <array>
#include <cstdint>

// Where a card lies: the pile's DeckID (-1 in no pile), its depth (1 = top card) and
// whether it is face up. A cleared row is (-1, 0, 0).
struct CardLocation {
    std::int32_t DeckID = -1;
    std::int32_t Depth = 0;
    std::int32_t Face = 0;
    bool operator==(const CardLocation &) const = default;
};

// One row per CardID 1..208. Rows are reached only through At(), which refuses any
// CardID outside the table.
class CardLocationTable {
public:
    static constexpr int CardCount = 208;

    CardLocation *At(int cardID)
    {
        return cardID >= 1 && cardID <= CardCount ? &rows[cardID - 1] : nullptr;
    }
    const CardLocation *At(int cardID) const
    {
        return cardID >= 1 && cardID <= CardCount ? &rows[cardID - 1] : nullptr;
    }
    void Clear() { rows.fill(CardLocation{}); }
    bool operator==(const CardLocationTable &) const = default;

    // Every row of pile deckID whose depth is above `deeperThan` is moved by `delta`.
    void ShiftDepths(int deckID, int delta, int deeperThan = 0)
    {
        for (CardLocation &row : rows)
            if (row.DeckID == deckID && row.Depth > deeperThan)
                row.Depth += delta;
    }

private:
    std::array<CardLocation, CardCount> rows{};
};
