#include "games/rules_record.h"

GameRules RulesFromRecord(const GameRulesRecord &record)
{
    return {
        .customisable = record.IsCustomisable(),
        .stock = {.redeals = record.Redeals, .cardsPerClick = record.StockDeal},
        .tableau = {.build = Rule(record.TableauRule),
                    .emptyTakes = EmptyTableau(record.EmptyTableau),
                    .groupMove = GroupMove(record.GroupMethod)},
        .foundations = {.build = Rule(record.FoundationRule)},
        .editable = {.redeals = record.RedealsEditable(),
                     .cardsPerClick = record.StockDealEditable != 0,
                     .tableauBuild = record.TableauEditable != 0,
                     .emptyTakes = record.EmptyEditable != 0,
                     .groupMove = record.GroupEditable != 0,
                     .foundationBuild = record.FoundationEditable != 0},
    };
}

GameRulesRecord RecordFromRules(const GameRules &rules)
{
    const auto flag = [](bool on) { return std::int32_t(on ? 1 : 0); };
    const EditableRules &editable = rules.editable;
    GameRulesRecord record;
    record.Flags = flag(rules.customisable) | flag(editable.redeals) << 8;
    record.Redeals = rules.stock.redeals;
    record.StockDealEditable = flag(editable.cardsPerClick);
    record.StockDeal = rules.stock.cardsPerClick;
    record.TableauEditable = flag(editable.tableauBuild);
    record.TableauRule = CodeOf(rules.tableau.build);
    record.EmptyEditable = flag(editable.emptyTakes);
    record.EmptyTableau = std::int32_t(rules.tableau.emptyTakes);
    record.GroupEditable = flag(editable.groupMove);
    record.GroupMethod = std::int32_t(rules.tableau.groupMove);
    record.FoundationEditable = flag(editable.foundationBuild);
    record.FoundationRule = CodeOf(rules.foundations.build);
    return record;
}
