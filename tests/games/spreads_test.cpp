#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "look/art/card_art.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>

namespace {

class Spreads : public ::testing::Test, public TableFixture {};

} // namespace

// The card faces are drawn so that their corner index reads in the strip an overlapping card
// leaves; a game that fans its face-up cards closer than that would hide rank or suit.
TEST_F(Spreads, NoGameFansFaceUpCardsCloserThanTheCornerIndexIsDrawnFor)
{
    FakeCustomGames customs;
    table.Customs = &customs;
    std::vector<int> games;
    for (int id = 0; id < BuiltInGameCount; ++id)
        if (HasDeal(id))
            games.push_back(id);
    for (int cardsPerClick : {1, 3}) {
        GameRulesRecord rules = DefaultRulesRecord(GameIds::Klondike);
        rules.StockDeal = cardsPerClick;
        games.push_back(customs.Add(rules, GameIds::Klondike));
    }

    int spreadPiles = 0;
    for (int id : games) {
        SCOPED_TRACE(GameName(id, &customs).toStdString());
        ClearTable(table);
        DealForPrinting(table, id, 7);
        for (const auto &pile : board.Decks()) {
            SCOPED_TRACE(SlotName(table, pile.get()).toStdString());
            if (pile->VShift() > 2) {
                EXPECT_GE(pile->VShift(), CardArt::NarrowestVerticalSpread);
                ++spreadPiles;
            }
            if (pile->GShift() > 2) {
                EXPECT_GE(pile->GShift(), CardArt::NarrowestHorizontalSpread);
                ++spreadPiles;
            }
        }
    }
    EXPECT_GT(spreadPiles, 0);
}
