#include "app/custom_help.h"
#include "app/custom_rules_form.h"
#include "app/custom_variants.h"
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "games/rule_predicates.h"
#include "store/game_groups.h"
#include "store/log_file.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// A choice other than the one shown, for every enabled choice.
RuleChoices changedChoices(RuleChoices shown)
{
    const auto other = [](int index, int count) { return index < 0 ? -1 : (index + 1) % count; };
    shown.redeals = other(shown.redeals, 10);
    shown.stockDeal = other(shown.stockDeal, 2);
    shown.tableauDirection = other(shown.tableauDirection, 3);
    shown.tableauMethod = other(shown.tableauMethod, 5);
    shown.groupMove = other(shown.groupMove, 7);
    shown.emptyTableau = other(shown.emptyTableau, 3);
    shown.foundationDirection = other(shown.foundationDirection, 3);
    shown.foundationMethod = other(shown.foundationMethod, 5);
    return shown;
}

bool red(const TCard *card)
{
    return card->Suit() == 2 || card->Suit() == 3;
}

// The building rule of a code, written out here from the meaning of its parts.
bool builds(int code, const TCard *lower, const TCard *upper)
{
    const int method = code % 32;
    const int direction = code % 128 / 32;
    const bool sameSuit = lower->Suit() == upper->Suit();
    const bool suitOk = method == 0 ? sameSuit
        : method == 1               ? red(lower) == red(upper)
        : method == 2               ? red(lower) != red(upper)
        : method == 3               ? true
                                    : !sameSuit;
    const bool up = upper->Rank() == lower->Rank() + 1;
    const bool down = upper->Rank() == lower->Rank() - 1;
    return suitOk && (direction == 0 ? up : direction == 1 ? down : up || down);
}

struct Dealt {
    TBoard board;
    GameTable table{&board};
    Dealt(int gameId, const CustomVariants &variants, quint32 number)
    {
        table.Customs = &variants;
        DealForPrinting(table, gameId, number);
        board.ClearJournal();
    }
    ~Dealt() { table.ForgetPiles(); }
};

// A base game and, where not -1, a tableau method (building down) and a redeal index chosen
// instead of the next ones.
struct VariantCase {
    int baseId;
    int tableauMethod = -1;
    int redeals = -1;
};

class VariantPlay : public ::testing::TestWithParam<VariantCase> {
protected:
    VariantPlay()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
};

} // namespace

// Every choice the editor offers for the game is changed; the variant deals through the
// game's own builders with the changed rules, and top cards move between tableau piles
// exactly when the changed building rule allows it.
TEST_P(VariantPlay, EveryChangedChoiceDecidesTheDealAndThePlay)
{
    const auto [baseId, method, redeals] = GetParam();
    CustomVariants variants;
    const RuleChoicesEnabled enabled = EnabledChoices(DefaultRulesRecord(baseId));
    CustomGameRecord record = WorkingRecordFor(baseId, variants);
    const CustomGameRecord original = record;
    RuleChoices choices = changedChoices(ChoicesOf(record, enabled));
    if (method >= 0) {
        choices.tableauDirection = 1; // "Down"
        choices.tableauMethod = method;
    }
    if (redeals >= 0)
        choices.redeals = redeals;
    ApplyChoices(choices, enabled, record);
    record.Name = QStringLiteral("Variant");
    ASSERT_TRUE(variants.List.add(record));
    const int variantId = CustomGameId(0);
    const GameRules rules = RulesFromRecord(VariantRules(record));
    EXPECT_EQ(enabled.tableau, record.TableauRule != original.TableauRule || method >= 0);
    EXPECT_EQ(enabled.foundation, record.FoundationRule != original.FoundationRule);
    EXPECT_EQ(enabled.redeals, record.Redeals != original.Redeals);

    Dealt dealt(variantId, variants, 5);
    GameTable &table = dealt.table;
    EXPECT_EQ(table.BaseGameId, baseId);
    EXPECT_EQ(table.CurrentGameId, variantId);
    if (enabled.redeals) {
        EXPECT_EQ(dealt.board.Rotation_Number, record.Redeals > 0 ? record.Redeals + 1 : record.Redeals);
    }
    if (enabled.stockDeal) {
        EXPECT_EQ(table.CardsPerDeal, record.StockDeal);
    }
    if (enabled.redeals && enabled.stockDeal) {
        // The stock turns its cards one or three at a time for as many passes as the redeals allow.
        const int stockCards = table.Stock->CardsCount();
        MovePlayer player(table);
        int clicks = 0;
        while (clicks < 500 && player.Run(QStringLiteral("click Stock")))
            ++clicks;
        const int perPass = (stockCards + record.StockDeal - 1) / record.StockDeal;
        const int passes = record.Redeals == -2 ? 0 : record.Redeals > 0 ? record.Redeals + 1 : 1;
        EXPECT_EQ(clicks, passes == 0 ? 500 : passes * perPass + passes - 1);
    }
    for (int i = 1; i <= table.Foundations.Count(); ++i)
        EXPECT_EQ(table.Foundations[i]->Rule, RuleFromCode(CodeOf(rules.foundations.build)));
    if (!enabled.tableau)
        return;
    int accepted = 0, refused = 0;
    for (quint32 number = 1; number <= 12; ++number) {
        Dealt game(variantId, variants, number);
        MovePlayer player(game.table);
        // The piles built by the tableau rule (Flower Garden's beds lie in the cell row).
        const TRule *built = RuleFromCode(record.TableauRule);
        const PileRow &tableau = game.table.Tableau[1] && game.table.Tableau[1]->Rule == built ? game.table.Tableau
                                                                                              : game.table.Cells;
        ASSERT_TRUE(tableau[1] && tableau[1]->Rule == built);
        for (int from = 1; from <= tableau.Count(); ++from) {
            for (int to = 1; to <= tableau.Count(); ++to) {
                TCard *moving = tableau[from]->TopCard();
                TCard *lower = tableau[to]->TopCard();
                if (from == to || !moving || !lower || !moving->Face() || !lower->Face())
                    continue;
                // King and Ace meet where a rule wraps around; that is the builders' own matter.
                if (std::abs(moving->Rank() - lower->Rank()) == 12)
                    continue;
                const bool expected = builds(record.TableauRule, lower, moving);
                const QString line = SlotName(game.table, tableau[from]) + ' ' + SlotName(game.table, tableau[to]);
                const bool done = player.Run(line);
                TCard *landed = tableau[to]->TopCard();
                while (done && landed && landed->Below != lower)
                    landed = landed->Below;
                // A group rule may carry a longer run whose lowest card fits; only the top card counts here.
                if (!done || landed == moving) {
                    ASSERT_EQ(done, expected) << line.toStdString() << " number " << number;
                }
                if (done) {
                    accepted += landed == moving;
                    ASSERT_TRUE(player.Run(QStringLiteral("undo")));
                } else {
                    ++refused;
                }
            }
        }
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
}

// FreeCell "In same suit" refuses a red 7 on a black 8 and takes the 7 of the 8's suit;
// Klondike turns one card at a time with "Unlimited" redeals.
INSTANTIATE_TEST_SUITE_P(CustomisableGames, VariantPlay,
                         ::testing::Values(VariantCase{10}, VariantCase{14}, VariantCase{17}, VariantCase{32},
                                           VariantCase{32, 0}, VariantCase{108}, VariantCase{108, -1, 9},
                                           VariantCase{221}, VariantCase{309}));

TEST(Variants, NamedChoicesGiveTheirCodes)
{
    CustomVariants variants;
    struct Case {
        int baseId;
        RuleChoices choices;
        qint32 redeals, stock, tableau, group, empty, foundation;
    } cases[] = {
        // Klondike: "Unlimited", "Deal 1 card", "Down" + "In alternate color", any group, any card, "Up" + suit.
        {108, {9, 0, 1, 2, 1, 1, 0, 0}, -2, 1, 34, 9, 1, 0},
        {108, {0, 1, 2, 4, 2, 2, 1, 3}, -1, 3, 68, 0, 2, 35},
        // FreeCell: "In same suit" down; its redeals and stock are not offered.
        {32, {5, 1, 1, 0, 6, 0, 2, 1}, -1, 1, 32, 4, 0, 65},
        // Bisley fixes the foundations' direction: 128 + method.
        {10, {-1, -1, 0, 3, 0, 2, -1, 2}, -1, 0, 3, 8, 2, 130},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.baseId);
        const RuleChoicesEnabled enabled = EnabledChoices(DefaultRulesRecord(test.baseId));
        CustomGameRecord record = WorkingRecordFor(test.baseId, variants);
        ApplyChoices(test.choices, enabled, record);
        EXPECT_EQ(record.Redeals, test.redeals);
        EXPECT_EQ(record.StockDeal, test.stock);
        EXPECT_EQ(record.TableauRule, test.tableau);
        EXPECT_EQ(record.GroupMove, test.group);
        EXPECT_EQ(record.EmptyTableau, test.empty);
        EXPECT_EQ(record.FoundationRule, test.foundation);
        EXPECT_TRUE(UsableCustomRecord(record));
    }
}

TEST(Variants, ABaseGameThatAllowsNoChangePlaysAsItself)
{
    CustomVariants variants;
    CustomGameRecord record = WorkingRecordFor(181, variants);
    record.Name = QStringLiteral("My Spider");
    record.TableauRule = 3; // a hostile file's value; the base game takes no change
    variants.List.add(record);
    for (quint32 number : {1u, 77u}) {
        Dealt base(181, variants, number);
        Dealt variant(CustomGameId(0), variants, number);
        EXPECT_EQ(DealPrintout(variant.table, 181, number), DealPrintout(base.table, 181, number));
    }
}

TEST(Variants, DeletingRenumbersLaterVariantsInTheLogAndGroups)
{
    QTemporaryDir folder;
    GameLog log(folder.filePath(QStringLiteral("qellog.dat")));
    for (int gameId : {1000, 1001, 1002, 108, 1002})
    {
        LogRecord record;
        record.GameId = gameId;
        log.append(record);
    }
    CustomVariants variants;
    GameGroups groups;
    for (const char *name : {"One", "Two", "Three"}) {
        CustomGameRecord record;
        record.Name = QString::fromLatin1(name);
        variants.List.add(record);
        variants.List.addStatisticsForVariant(record.Name, {QStringLiteral("Ann")}, 1);
    }
    const int mine = groups.CreateGroup(QStringLiteral("Mine"));
    groups.AddToGroup(1002, mine);
    groups.AddToGroup(1000, mine);
    for (int gameId : {1002, 1001, 32, 1000})
        groups.AddToRecentlyPlayed(gameId);

    ASSERT_TRUE(variants.Delete(1001, log, groups));
    EXPECT_FALSE(variants.Delete(1002, log, groups));
    EXPECT_EQ(GameName(1001, &variants), QStringLiteral("Three"));
    QList<int> logged;
    log.forEachRecord([&](qint64, const LogRecord &record) {
        logged << record.GameId;
        return true;
    });
    EXPECT_EQ(logged, (QList<int>{1000, 1001, 108, 1001}));
    EXPECT_EQ(groups.RecentlyPlayed(), (QList<int>{1000, 32, 1001}));
    EXPECT_TRUE(groups.IsMember(1001, mine));
    EXPECT_TRUE(groups.IsMember(1000, mine));
    EXPECT_EQ(variants.List.statistics().size(), 2u);
}

TEST(Variants, RulesWindowMarksWhatDiffers)
{
    CustomVariants variants;
    CustomGameRecord klondike = WorkingRecordFor(108, variants);
    klondike.Redeals = -2;
    const std::vector<CustomHelpRow> rows = CustomHelpRows(klondike);
    ASSERT_EQ(rows.size(), 8u);
    for (std::size_t index = 0; index < rows.size(); ++index)
        EXPECT_EQ(rows[index].Bold, index == 0) << index;
    EXPECT_EQ(rows[0].Variant, QStringLiteral("Unlimited"));
    EXPECT_EQ(rows[0].Original, QStringLiteral("2"));
    EXPECT_EQ(rows[2].Variant, QStringLiteral("Down"));
    EXPECT_EQ(rows[3].Variant, QStringLiteral("In alternate color"));

    // Bisley offers no redeals, no stock and no foundation direction.
    const std::vector<CustomHelpRow> bisley = CustomHelpRows(WorkingRecordFor(10, variants));
    for (std::size_t index : {0u, 1u, 6u}) {
        EXPECT_EQ(bisley[index].Variant, QString::fromLatin1(CustomHelpText::Undefined));
        EXPECT_EQ(bisley[index].Original, QString::fromLatin1(CustomHelpText::Undefined));
    }
    EXPECT_EQ(bisley[7].Variant, QStringLiteral("In same suit"));
}
