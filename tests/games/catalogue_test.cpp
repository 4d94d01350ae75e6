#include "games/catalogue.h"
#include "support/rules_fields.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Custom variants answered from a map; missing indexes count as unreadable records.
class FakeCustomGames : public CustomGameSource {
public:
    std::optional<CustomGameInfo> CustomGame(int index) const override
    {
        const auto found = games.find(index);
        if (found == games.end())
            return std::nullopt;
        return found->second;
    }
    std::map<int, CustomGameInfo> games;
};

TEST(Catalogue, NamesEveryBuiltInGameById)
{
    const std::map<int, QString> samples = {
        {0, "Windmill"},        {10, "Bisley"},          {14, "Flower Garden"},   {17, "Carpet"},
        {32, "FreeCell"},       {71, "Nestor"},          {108, "Klondike"},       {181, "Spider"},
        {186, "Monte Carlo"},   {221, "Yukon"},          {301, "Spider Two Suit"}, {302, "Spider One Suit"},
        {309, "Bouquet"},       {353, "'S'"},            {406, "Double Topsy-Turvy Queens"},
        {409, "Fourfold Klondike"},
    };
    for (const auto &[id, name] : samples)
        EXPECT_EQ(GameName(id), name) << id;
    for (int id = 0; id < BuiltInGameCount; ++id) {
        EXPECT_FALSE(GameName(id).isEmpty()) << id;
        EXPECT_LE(GameName(id).size(), GameNameCapacity) << id;
    }
    EXPECT_TRUE(GameName(-1).isEmpty());
    EXPECT_TRUE(GameName(410).isEmpty());
    EXPECT_TRUE(GameName(1000).isEmpty());
}

TEST(Catalogue, CustomIdsTakeNameAndBaseFromTheirRecord)
{
    FakeCustomGames customs;
    GameRulesRecord easier = DefaultRulesRecord(GameIds::Klondike);
    easier.StockDeal = 1;
    customs.games[2] = {"My Klondike", GameIds::Klondike, easier};
    EXPECT_EQ(GameName(CustomGameId(2), &customs), "My Klondike");
    EXPECT_EQ(BaseGameId(CustomGameId(2), &customs), GameIds::Klondike);
    EXPECT_EQ(GameName(GameIds::Yukon, &customs), "Yukon");
    EXPECT_EQ(BaseGameId(GameIds::Yukon, &customs), GameIds::Yukon);
    // An unreadable custom record is dealt as base id 1.
    EXPECT_EQ(BaseGameId(CustomGameId(3), &customs), 1);
    EXPECT_EQ(BaseGameId(CustomGameId(0), nullptr), 1);
    EXPECT_TRUE(GameName(CustomGameId(3), &customs).isEmpty());
    // A custom id is built by its own record, an unreadable one by the all-zero record.
    EXPECT_EQ(RulesForGame(CustomGameId(2), &customs).stock.cardsPerClick, 1);
    EXPECT_EQ(RulesForGame(GameIds::Klondike, &customs).stock.cardsPerClick, 3);
    EXPECT_EQ(RulesForGame(CustomGameId(3), &customs), GameRules{});
    EXPECT_TRUE(HasAutomaticPlay(CustomGameId(2), &customs));
    EXPECT_FALSE(HasAutomaticPlay(CustomGameId(3), &customs)); // base 1, One Pack
}

TEST(Catalogue, RulesRecordsOfTheDealtGames)
{
    const std::map<int, std::array<std::int32_t, 12>> records = {
        {10, {1, -1, 0, 0, 1, 64, 1, 0, 1, 8, 1, 128}},  {14, {1, -1, 0, 0, 1, 35, 1, 1, 1, 3, 1, 0}},
        {17, {257, -1, 1, 1, 0, 0, 0, 0, 0, 8, 1, 0}},   {32, {1, -1, 0, 1, 1, 34, 1, 1, 1, 8, 1, 0}},
        {71, {}},                                         {108, {257, 2, 1, 3, 1, 34, 1, 2, 1, 2, 1, 0}},
        {181, {}},                                        {186, {}},
        {221, {1, -1, 0, 1, 1, 34, 1, 2, 1, 9, 1, 0}},   {309, {1, -1, 0, 0, 1, 35, 1, 1, 0, 8, 1, 0}},
        {301, {}},                                        {302, {}},
    };
    for (const auto &[id, fields] : records) {
        EXPECT_EQ(FieldsOf(DefaultRulesRecord(id)), fields) << id;
        EXPECT_EQ(MayBeCustomised(id), fields[0] != 0) << id;
        // What the deal is built with is what the record says.
        EXPECT_EQ(FieldsOf(RecordFromRules(RulesForGame(id, nullptr))), fields) << id;
    }
    EXPECT_TRUE(DefaultRulesRecord(GameIds::Klondike).RedealsEditable());
    EXPECT_FALSE(DefaultRulesRecord(GameIds::FreeCell).RedealsEditable());
    for (int id : {-5, 0, 409, 410, 1000}) {
        EXPECT_EQ(DefaultRulesRecord(id), GameRulesRecord{}) << id;
        EXPECT_FALSE(MayBeCustomised(id)) << id;
    }
}

TEST(Catalogue, AutomaticPlayAndLargeScreenLists)
{
    // The Spider suit variants are dealt as Spider and play automatically like it.
    for (int id : {10, 14, 32, 108, 181, 221, 309, 301, 302})
        EXPECT_TRUE(HasAutomaticPlay(id, nullptr)) << id;
    for (int id : {17, 71, 186})
        EXPECT_FALSE(HasAutomaticPlay(id, nullptr)) << id;

    for (int base : {265, 266, 272, 273, 278, 279, 292, 295, 306, 342, 378})
        EXPECT_TRUE(NeedsLargeScreen(0, base)) << base;
    for (int current : {310, 317, 318, 324, 327, 338})
        EXPECT_TRUE(NeedsLargeScreen(current, 10)) << current;
    // The two lists are read by different ids.
    EXPECT_FALSE(NeedsLargeScreen(265, 10));
    EXPECT_FALSE(NeedsLargeScreen(10, 310));
    for (int id : {10, 14, 17, 32, 71, 108, 181, 186, 221, 309})
        EXPECT_FALSE(NeedsLargeScreen(id, id)) << id;
}

TEST(Catalogue, DealsTheTenGamesOfThisEditionUnderTwelveIds)
{
    int dealt = 0;
    for (int id = 0; id < BuiltInGameCount; ++id)
        dealt += HasDeal(id);
    EXPECT_EQ(dealt, 12);
    for (int id : {GameIds::Bouquet, GameIds::SpiderTwoSuit, GameIds::SpiderOneSuit})
        EXPECT_TRUE(HasDeal(id)) << id;
    for (int id : {GameIds::Windmill, -1, 410, 1000})
        EXPECT_FALSE(HasDeal(id)) << id;
}

} // namespace
