#include "games/catalogue.h"
#include "games/move_acceptance.h"
#include "games/rules_record.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

namespace {

class TableBuilders : public ::testing::Test, public TableFixture {
protected:
    // The rows of a typical deal: four foundations from (10, 5) and seven columns from (10, 125).
    void buildRows(const GameRules &rules, int baseRank = 1, int vShift = 17)
    {
        BuildRows(table, rules, {.row = {.left = 10, .top = 5, .step = 90, .count = 4}, .baseRank = baseRank},
                  table.Foundations,
                  {.row = {.left = 10, .top = 125, .step = 90, .count = 7}, .spread = {.vShift = vShift},
                   .baseRank = baseRank},
                  table.Tableau);
    }
    static GameRules rulesOf(int gameId) { return RulesForGame(gameId, nullptr); }
    // Rules as a custom variant's record gives them.
    static GameRules rulesWith(int tableauRule, int emptyTableau, int groupMethod, int foundationRule)
    {
        GameRulesRecord rules;
        rules.Flags = 1;
        rules.TableauRule = tableauRule;
        rules.EmptyTableau = emptyTableau;
        rules.GroupMethod = groupMethod;
        rules.FoundationRule = foundationRule;
        return RulesFromRecord(rules);
    }
    static constexpr StockLayout stockLayout = {.stock = {.left = 10, .top = 5}, .waste = {.left = 100, .top = 5}};
};

TEST_F(TableBuilders, FoundationRowTakesItsRuleAndOnlyTheBaseRankWhenEmpty)
{
    buildRows(rulesOf(GameIds::Klondike));
    ASSERT_EQ(table.Foundations.Count(), 4);
    for (int i = 1; i <= 4; ++i) {
        const TDeck *pile = table.Foundations[i];
        ASSERT_NE(pile, nullptr);
        EXPECT_EQ(pile->Rule, Rules::UpInSuit);
        EXPECT_EQ(pile->DeckTag, 4);
        EXPECT_EQ(pile->CardVal(), 1);
        EXPECT_EQ(pile->FillEmpty, 1);
        EXPECT_EQ(pile->MaxCardCount, 13);
        EXPECT_EQ(pile->ShowEmpty(), FoundationPile);
        EXPECT_FALSE(pile->FlatPile());
        EXPECT_FALSE(pile->AcceptCardGroup);
        EXPECT_TRUE(pile->SelectIsRefused());
        EXPECT_EQ(table.Tag(pile), 1);
        EXPECT_EQ(pile->VLeft(), 10 + 90 * (i - 1));
        EXPECT_EQ(pile->VTop(), 5);
        EXPECT_EQ(pile->TipText(), "Play an Ace on an empty Foundation");
    }
    EXPECT_EQ(table.Foundations[5], nullptr);

    TDeck *foundation = table.Foundations[1];
    TCard *ace = Take("AH");
    TCard *two = Take("2H");
    Pile("")->AddCard(two);
    bool action = true;
    FoundationAccepts(table, foundation, two, action, false);
    EXPECT_FALSE(action);
    Pile("")->AddCard(ace);
    FoundationAccepts(table, foundation, ace, action, false);
    EXPECT_TRUE(action);
    foundation->AddCard(Take("AS"));
    EXPECT_EQ(foundation->TipText(), "Build the Foundation up in suit");
}

TEST_F(TableBuilders, TableauRowFollowsTheRulesOfEachDealtGame)
{
    struct Case {
        int gameId;
        const TRule *rule;
        const TRule *groupRule;
        int fillEmpty;
        bool acceptGroups, spare;
        const char *tip;
        const char *emptyTip;
        bool foundationsWait;
    };
    using namespace Rules;
    const Case cases[] = {
        {GameIds::Klondike, DownAltColour, DownAltColour, 13, true, false,
         "Build the Tableau down by alternate color     Group in sequence down by alternate color may be moved as a unit",
         "Fill the empty Tableau pile by a King or group of cards headed by a King", true},
        {GameIds::FreeCell, DownAltColour, nullptr, -1, true, true, "Build the Tableau down by alternate color",
         "Play any card on the empty Tableau", true},
        {GameIds::Bisley, UpOrDownInSuit, nullptr, 0, true, false, "Build the Tableau up or down in suit",
         "No building", false},
        {GameIds::FlowerGarden, DownAnySuit, DownAnySuit, -1, true, false,
         "Build the Tableau down regardless of suit     Group in sequence down regardless of suit may be moved as a unit",
         "Play any card or group of cards on the empty Tableau", true},
        {GameIds::Bouquet, DownAnySuit, nullptr, -1, true, true, "Build the Tableau down regardless of suit",
         "Play any card on the empty Tableau", true},
        {GameIds::Yukon, DownAltColour, AnyCard, 13, true, false,
         "Build the Tableau down by alternate color     Group of cards regardless of rank and suit may be moved as a unit",
         "Fill the empty Tableau pile by a King or group of cards headed by a King", true},
    };
    for (const Case &c : cases) {
        board.FreeDecks();
        table.ForgetPiles();
        buildRows(rulesOf(c.gameId));
        ASSERT_EQ(table.Tableau.Count(), 7) << c.gameId;
        for (int i = 1; i <= 7; ++i) {
            const TDeck *pile = table.Tableau[i];
            ASSERT_NE(pile, nullptr);
            EXPECT_EQ(pile->Rule, c.rule) << c.gameId;
            EXPECT_EQ(pile->GroupRule, c.groupRule) << c.gameId;
            EXPECT_EQ(pile->FillEmpty, c.fillEmpty) << c.gameId;
            EXPECT_EQ(pile->AcceptCardGroup, c.acceptGroups) << c.gameId;
            EXPECT_EQ(pile->UsableAsSpare, c.spare) << c.gameId;
            EXPECT_EQ(pile->CardVal(), 1);
            EXPECT_EQ(pile->DeckTag, 7);
            EXPECT_EQ(table.Tag(pile), 2);
            EXPECT_TRUE(pile->CanShowCard);
            EXPECT_TRUE(pile->OnDragSelect && pile->OnDragRule);
            EXPECT_TRUE(static_cast<bool>(pile->OnAddWithRule));
            EXPECT_EQ(pile->VLeft(), 10 + 90 * (i - 1));
            EXPECT_EQ(pile->VTop(), 125);
            EXPECT_EQ(pile->TipText(), c.emptyTip) << c.gameId;
        }
        table.Tableau[1]->AddCard(table.Card(int(&c - cases)));
        EXPECT_EQ(table.Tableau[1]->TipText(), c.tip) << c.gameId;
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(table.Foundations[i]->Wait, c.foundationsWait) << c.gameId;
    }
}

TEST_F(TableBuilders, EmptyTableauRankFollowsTheBuildingDirection)
{
    struct Case {
        int tableauRule, baseRank, fillEmpty;
    };
    // Up (0) fills with the rank after the base; down, up-or-down and the second upward
    // form (128) with the rank before it.
    const Case cases[] = {
        {3, 1, 2}, {3, 13, 1}, {35, 1, 13}, {35, 5, 4}, {67, 1, 13}, {67, 7, 6}, {131, 1, 13}, {131, 2, 1},
    };
    for (const Case &c : cases) {
        board.FreeDecks();
        table.ForgetPiles();
        buildRows(rulesWith(c.tableauRule, 2, 8, 0), c.baseRank);
        EXPECT_EQ(table.Tableau[1]->FillEmpty, c.fillEmpty) << c.tableauRule << " base " << c.baseRank;
    }
}

TEST_F(TableBuilders, FoundationCodeWithoutARuleTakesOnlyTheBaseRank)
{
    buildRows(rulesWith(34, 1, 8, 5));
    TDeck *foundation = table.Foundations[1];
    EXPECT_EQ(foundation->Rule, nullptr);
    TCard *ace = Take("AC");
    Pile()->AddCard(ace);
    bool action = false;
    FoundationAccepts(table, foundation, ace, action, false);
    EXPECT_TRUE(action);
    foundation->AddCard(Take("AD"));
    TCard *two = Take("2D");
    Pile()->AddCard(two);
    FoundationAccepts(table, foundation, two, action, false);
    EXPECT_FALSE(action);
}

TEST_F(TableBuilders, StackedTableauGetsNoDragHandlersAndNoSpares)
{
    buildRows(rulesOf(GameIds::FreeCell), 1, 2);
    const TDeck *pile = table.Tableau[1];
    EXPECT_FALSE(pile->OnDragSelect);
    EXPECT_FALSE(pile->OnDragRule);
    EXPECT_FALSE(pile->UsableAsSpare);
    EXPECT_FALSE(pile->AcceptCardGroup);
    EXPECT_FALSE(pile->CanShowCard);
}

TEST_F(TableBuilders, RowsRunVerticallyWhenAsked)
{
    BuildFoundationRow(table, rulesOf(GameIds::Bisley).foundations,
                       {.row = {.left = 500, .top = 5, .step = 110, .count = 4, .vertical = true}}, table.Foundations);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(table.Foundations[i]->VLeft(), 500);
        EXPECT_EQ(table.Foundations[i]->VTop(), 5 + 110 * (i - 1));
    }
}

TEST_F(TableBuilders, RowOfNoPilesCreatesNothing)
{
    TDeck *kept = Pile();
    kept->DeckTag = 1;
    table.Cells.Set(1, kept);
    const std::size_t piles = board.Decks().size();
    BuildFoundationRow(table, {}, {.row = {.step = 80, .count = 0}}, table.Cells);
    BuildTableauRow(table, {}, {.row = {.step = 80, .count = -3}, .spread = {.vShift = 20}}, table.Cells,
                    table.Foundations);
    EXPECT_EQ(board.Decks().size(), piles);
    EXPECT_EQ(table.Cells[1], kept);
}

TEST_F(TableBuilders, CarefulMovesOnlyWhereFoundationAndTableauMirrorEachOther)
{
    // Foundation code, tableau code, whether the foundations wait (careful automatic moves).
    struct Case {
        int foundation, tableau;
        bool wait;
    };
    const Case cases[] = {
        {0, 32, false}, {0, 64, false}, {32, 0, false}, {32, 64, false},  // in suit
        {2, 34, false}, {2, 66, false}, {34, 2, false}, {34, 66, false},  // alternate colour
        {3, 35, false}, {3, 67, false}, {35, 3, false}, {35, 67, false},  // any suit
        {0, 34, true},  {0, 0, true},   {2, 2, true},   {1, 33, true},    // other pairs stay careful
        {4, 36, true},  {128, 32, false}, {0, 9, true},  {5, 32, true},
    };
    for (const Case &c : cases) {
        board.FreeDecks();
        table.ForgetPiles();
        buildRows(rulesWith(c.tableau, 1, 8, c.foundation));
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(table.Foundations[i]->Wait, c.wait) << c.foundation << " / " << c.tableau;
    }
}

TEST_F(TableBuilders, RedealSettingSetsPassesAndCounter)
{
    struct Case {
        int setting, passes, counter;
    };
    const Case cases[] = {{1, 2, 1}, {2, 3, 1}, {8, 9, 1}, {-2, -2, -2}, {-1, -1, -1}, {0, 7, 5}, {9, 7, 5}, {-3, 7, 5}};
    for (const Case &c : cases) {
        board.Rotation_Number = 7;
        board.SetRotation_Counter(5);
        BuildRedeals(table, {.redeals = c.setting});
        EXPECT_EQ(board.Rotation_Number, c.passes) << c.setting;
        EXPECT_EQ(board.Rotation_Counter(), c.counter) << c.setting;
    }
    BuildRedeals(table, rulesOf(GameIds::Klondike).stock);
    EXPECT_EQ(board.Rotation_Number, 3);
}

TEST_F(TableBuilders, ThreeCardStockGetsAWasteFanAndTheThreeCardHandlers)
{
    int dealtThree = 0, redealtThree = 0, wasteClicks = 0;
    table.Handlers.StockDealThree = [&](TDeck *, TCard *&, bool &, bool, bool &, bool &) { ++dealtThree; };
    table.Handlers.StockRedealThree = [&](TDeck *) { ++redealtThree; };
    table.Handlers.WasteClick = [&](TDeck *, TCard *&, bool &, bool, bool &, bool &) { ++wasteClicks; };
    board.Rotation_Number = 3;
    BuildStockAndWaste(table, rulesOf(GameIds::Klondike).stock, stockLayout);

    EXPECT_EQ(table.CardsPerDeal, 3);
    ASSERT_TRUE(table.Stock && table.Waste && table.WasteFan);
    EXPECT_EQ(table.Stock->VLeft(), 10);
    EXPECT_EQ(table.Waste->VLeft(), 100);
    EXPECT_EQ(table.Stock->ShowEmpty(), StockRedeal);
    EXPECT_EQ(table.Waste->ShowEmpty(), OutlineMark);
    EXPECT_EQ(table.WasteFan->ShowEmpty(), NoMark);
    EXPECT_EQ(table.WasteFan->DeckToAlign(), table.Waste);
    EXPECT_EQ(table.WasteFan->GShift(), 15);
    EXPECT_TRUE(table.WasteFan->CanShowCard);
    EXPECT_EQ(table.Tag(table.Stock), 2);
    EXPECT_EQ(table.Tag(table.Waste), 1);
    EXPECT_EQ(table.Stock->TipString, "Click on the Stock to deal three cards at a time to the waste pile");
    EXPECT_EQ(table.Waste->TipString, "Play cards from the Waste to the foundations and to the tableau");
    EXPECT_EQ(table.Stock->TipText(), "Click on the empty Stock to redeal");

    TCard *card = nullptr;
    bool action = false, clickable = false, onClick = false;
    table.Stock->OnSelect(table.Stock, card, action, true, clickable, onClick);
    table.Stock->OnEmptySelect(table.Stock);
    table.Waste->OnSelect(table.Waste, card, action, true, clickable, onClick);
    EXPECT_EQ(dealtThree, 1);
    EXPECT_EQ(redealtThree, 1);
    EXPECT_EQ(wasteClicks, 1);

    // Nothing may be put on the stock, the waste or the fan.
    TCard *king = Take("KS");
    Pile()->AddCard(king);
    for (TDeck *pile : {table.Stock, table.Waste, table.WasteFan}) {
        action = true;
        pile->OnAddWithRule(pile, king, action, true);
        EXPECT_FALSE(action);
    }
}

TEST_F(TableBuilders, OneCardStockHasNoFanAndSaysNoRedealWithoutPasses)
{
    int dealtOne = 0;
    table.Handlers.StockDealOne = [&](TDeck *, TCard *&, bool &, bool, bool &, bool &) { ++dealtOne; };
    // Nestor's record is all zero: one card per click.
    for (int gameId : {GameIds::FreeCell, GameIds::Nestor}) {
        board.FreeDecks();
        table.ForgetPiles();
        board.Rotation_Number = -1;
        BuildStockAndWaste(table, rulesOf(gameId).stock, stockLayout);
        EXPECT_EQ(table.CardsPerDeal, 1);
        EXPECT_EQ(table.WasteFan, nullptr);
        EXPECT_FALSE(table.Waste->OnSelect);
        EXPECT_EQ(table.Stock->ShowEmpty(), StockNoRedeal);
        EXPECT_EQ(table.Stock->TipString, "Click on the Stock to turn over a card to the waste pile");
        EXPECT_EQ(table.Stock->TipText(), "No redeal");
    }
    TCard *card = nullptr;
    bool action = false, clickable = false, onClick = false;
    table.Stock->OnSelect(table.Stock, card, action, true, clickable, onClick);
    EXPECT_EQ(dealtOne, 1);
}

TEST_F(TableBuilders, FillPackStacksTheFirstCardsInArrayOrderAndScoresMinusTheirNumber)
{
    TDeck *pack = Pile();
    FillPack(table, pack, 104);
    EXPECT_EQ(pack->CardsCount(), 104);
    EXPECT_EQ(board.Score(), -104);
    EXPECT_EQ(pack->GetCard(104), table.Card(0));
    EXPECT_EQ(pack->TopCard(), table.Card(103));
    EXPECT_EQ(pack->TopCard()->CardFace(), 4 * 256 + 13);
    EXPECT_EQ(pack->GetCard(104)->CardFace(), 257);
    EXPECT_EQ(pack->GetCard(91)->CardFace(), 2 * 256 + 1);
    EXPECT_TRUE(pack->TopCard()->Visible());

    // Refilling takes the cards out of the old pile first; absurd counts are clamped.
    TDeck *other = Pile();
    FillPack(table, other, 500);
    EXPECT_EQ(other->CardsCount(), GameTable::CardCount);
    EXPECT_EQ(pack->CardsCount(), 0);
    EXPECT_EQ(board.Score(), -208);
}

} // namespace
