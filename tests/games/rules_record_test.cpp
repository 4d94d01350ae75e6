#include "games/rules_record.h"
#include "support/rules_fields.h"

#include <gtest/gtest.h>

namespace {

using Fields = RulesFields;

TEST(RulesRecord, RecordsReadAsRulesByName)
{
    const struct {
        const char *name;
        Fields fields;
        GameRules rules;
    } cases[] = {
        {"down by alternate colour, a King when empty, three cards per click",
         {257, 2, 1, 3, 1, 34, 1, 2, 1, 2, 1, 0},
         {.customisable = true,
          .stock = {.redeals = 2, .cardsPerClick = 3},
          .tableau = {.build = Rule::DownAlternateColour,
                      .emptyTakes = EmptyTableau::KingOnly,
                      .groupMove = GroupMove::AlternateColour},
          .foundations = {.build = Rule::UpInSuit},
          .editable = {.redeals = true,
                       .cardsPerClick = true,
                       .tableauBuild = true,
                       .emptyTakes = true,
                       .groupMove = true,
                       .foundationBuild = true}}},
        {"up or down in suit, single cards, a fixed foundation direction",
         {1, -1, 0, 0, 1, 64, 1, 0, 1, 8, 1, 128},
         {.customisable = true,
          .stock = {.redeals = Redeals::None},
          .tableau = {.build = Rule::UpOrDownInSuit,
                      .emptyTakes = EmptyTableau::Nothing,
                      .groupMove = GroupMove::SingleCard},
          .foundations = {.build = Rule::FixedUpInSuit},
          .editable = {.tableauBuild = true, .emptyTakes = true, .groupMove = true, .foundationBuild = true}}},
        {"a custom variant's record: no flags, unlimited redeals, any face-up group",
         {0, -2, 0, 1, 0, 35, 0, 1, 0, 9, 0, 131},
         {.stock = {.redeals = Redeals::Unlimited, .cardsPerClick = 1},
          .tableau = {.build = Rule::DownAnySuit,
                      .emptyTakes = EmptyTableau::AnyCard,
                      .groupMove = GroupMove::AnyFaceUpGroup},
          .foundations = {.build = Rule::FixedUpAnySuit}}},
        {"all zero", {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const GameRulesRecord record = RecordOf(c.fields);
        EXPECT_EQ(RulesFromRecord(record), c.rules);
        EXPECT_EQ(RecordFromRules(c.rules), record);
    }
}

TEST(RulesRecord, CodesThatNameNoRuleSurviveTheRoundTrip)
{
    // Files may hold anything; what is not a known code is kept as it is.
    const Fields fields = {1, 9, 0, 7, 1, 5, 1, 3, 1, 6, 1, -40};
    const GameRulesRecord record = RecordOf(fields);
    const GameRules rules = RulesFromRecord(record);
    EXPECT_EQ(CodeOf(rules.tableau.build), 5);
    EXPECT_EQ(CodeOf(rules.foundations.build), -40);
    EXPECT_EQ(FieldsOf(RecordFromRules(rules)), fields);
}

TEST(RulesRecord, AnyNonZeroEditableFieldCounts)
{
    const struct {
        Fields fields;
        EditableRules editable;
        bool customisable;
    } cases[] = {
        {{0x0300, 0, 5, 0, -1, 0, 2, 0, 0, 0, 0, 0},
         {.redeals = true, .cardsPerClick = true, .tableauBuild = true, .emptyTakes = true},
         false},
        {{0xFF0002, 0, 0, 0, 0, 0, 0, 0, 7, 0, 1, 0}, {.groupMove = true, .foundationBuild = true}, true},
    };
    for (const auto &c : cases) {
        const GameRules rules = RulesFromRecord(RecordOf(c.fields));
        EXPECT_EQ(rules.editable, c.editable);
        EXPECT_EQ(rules.customisable, c.customisable);
        // Written back, every flag is 1 and the bytes the record does not use are 0.
        const GameRulesRecord written = RecordFromRules(rules);
        EXPECT_EQ(RulesFromRecord(written), rules);
        for (std::int32_t flag : {written.StockDealEditable, written.TableauEditable, written.EmptyEditable,
                                  written.GroupEditable, written.FoundationEditable})
            EXPECT_TRUE(flag == 0 || flag == 1);
        EXPECT_EQ(written.Flags & ~0x0101, 0);
    }
}

TEST(RulesRecord, DirectionPartOfARuleCode)
{
    const struct {
        Rule rule;
        std::int32_t direction;
    } cases[] = {
        {Rule::UpAnySuit, 0},          {Rule::DownAlternateColour, 32}, {Rule::UpOrDownOtherSuit, 64},
        {Rule::FixedUpSameColour, 128}, {Rule(9), 0},                   {Rule(41), 32},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DirectionPartOf(c.rule), c.direction) << CodeOf(c.rule);
}

} // namespace
