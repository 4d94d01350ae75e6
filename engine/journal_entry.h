#pragma once

#include <array>
#include <cstdint>

// One entry of the move journal. Its 28-byte form is stored byte for byte in saved
// games, so Encode and Decode keep every field at its fixed offset.
struct JournalEntry {
    enum Kind : std::uint8_t { CardEntry = 0, GroupStart = 1, GroupEnd = 2, PileTransfer = 3 };
    static constexpr int Size = 28;

    std::uint8_t Animated = 0;    // offset 0: the move was animated when recorded
    std::int32_t SourceLeft = 0;  // offset 4: the source pile's left pixel (informational)
    std::uint8_t Kind = CardEntry; // offset 12
    std::uint8_t Source = 0;      // offset 13: DeckID
    std::uint8_t Destination = 0; // offset 14: DeckID
    std::uint8_t RedealStep = 0;  // offset 15: one step of the redeal counter, no card
    std::uint8_t Flip = 0;        // offset 16: face change (card entry) / turn every card (transfer)
    std::uint8_t Card = 0;        // offset 17: CardID

    std::array<std::uint8_t, Size> Encode() const;
    static JournalEntry Decode(const std::uint8_t *bytes);
    bool operator==(const JournalEntry &) const = default;
};
