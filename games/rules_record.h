#pragma once

#include "games/game_rules.h"

#include <array>
#include <cstdint>

// A game's rules as files and custom variants hold them: twelve signed 32-bit fields,
// 48 bytes in files.
struct GameRulesRecord {
    std::int32_t Flags = 0;               // byte 0: customisable; byte 1: redeals editable
    std::int32_t Redeals = 0;             // 1..8 passes - 1; -2 no limit; -1 no redeal
    std::int32_t StockDealEditable = 0;
    std::int32_t StockDeal = 0;           // cards turned per click, 1 or 3
    std::int32_t TableauEditable = 0;
    std::int32_t TableauRule = 0;         // rule code
    std::int32_t EmptyEditable = 0;
    std::int32_t EmptyTableau = 0;        // 0 nothing, 1 any card or group, 2 the rank next to the base
    std::int32_t GroupEditable = 0;
    std::int32_t GroupMethod = 0;         // method part; 8 single cards only, 9 any face-up group
    std::int32_t FoundationEditable = 0;
    std::int32_t FoundationRule = 0;      // rule code; direction part 128 fixes the direction

    static constexpr int FieldCount = 12;
    bool IsCustomisable() const { return (Flags & 0xFF) != 0; }
    bool RedealsEditable() const { return ((Flags >> 8) & 0xFF) != 0; }
    bool operator==(const GameRulesRecord &) const = default;
};

// The one conversion between the record and the rules by name. Every code passes through
// unchanged, also codes that name no rule; an editable field counts when it is not zero.
GameRules RulesFromRecord(const GameRulesRecord &record);
GameRulesRecord RecordFromRules(const GameRules &rules);
