#include "engine/journal_entry.h"

#include <cstring>

std::array<std::uint8_t, JournalEntry::Size> JournalEntry::Encode() const
{
    std::array<std::uint8_t, Size> bytes{};
    bytes[0] = Animated;
    const auto left = static_cast<std::uint32_t>(SourceLeft);
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<std::uint8_t>(left >> (8 * i));
    bytes[12] = Kind;
    bytes[13] = Source;
    bytes[14] = Destination;
    bytes[15] = RedealStep;
    bytes[16] = Flip;
    bytes[17] = Card;
    return bytes;
}

JournalEntry JournalEntry::Decode(const std::uint8_t *bytes)
{
    JournalEntry entry;
    entry.Animated = bytes[0];
    std::uint32_t left = 0;
    for (int i = 0; i < 4; ++i)
        left |= static_cast<std::uint32_t>(bytes[4 + i]) << (8 * i);
    entry.SourceLeft = static_cast<std::int32_t>(left);
    entry.Kind = bytes[12];
    entry.Source = bytes[13];
    entry.Destination = bytes[14];
    entry.RedealStep = bytes[15];
    entry.Flip = bytes[16];
    entry.Card = bytes[17];
    return entry;
}
