#pragma once

#include "games/rules_record.h"

#include <array>

// The record's twelve fields in file order, as the rules tables list them.
using RulesFields = std::array<std::int32_t, GameRulesRecord::FieldCount>;

inline RulesFields FieldsOf(const GameRulesRecord &r)
{
    return {r.Flags,         r.Redeals,      r.StockDealEditable, r.StockDeal,   r.TableauEditable,    r.TableauRule,
            r.EmptyEditable, r.EmptyTableau, r.GroupEditable,     r.GroupMethod, r.FoundationEditable, r.FoundationRule};
}

inline GameRulesRecord RecordOf(const RulesFields &f)
{
    return {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11]};
}
