#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_definitions.h"
#include "games/new_game.h"
#include "games/rules_record.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>
#include <set>

namespace {

class GameDefinitions : public ::testing::Test, public TableFixture {
protected:
    GameDefinitions()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
};

TEST_F(GameDefinitions, EachIdAndNameIsDefinedOnce)
{
    std::set<int> ids;
    std::set<QString> names;
    for (const GameDefinition *game : DealtGames()) {
        SCOPED_TRACE(game->name);
        EXPECT_TRUE(IsBuiltInGameId(game->id));
        EXPECT_TRUE(ids.insert(game->id).second);
        EXPECT_TRUE(names.insert(GameName(game->id)).second);
        EXPECT_EQ(FindGameDefinition(game->id), game);
        EXPECT_EQ(GameName(game->id), QString::fromLatin1(game->name));
        EXPECT_FALSE(GameName(game->id).isEmpty());
        EXPECT_LE(GameName(game->id).size(), GameNameCapacity);
    }
    // No name of the catalogue's own table repeats a dealt game's.
    for (int id = 0; id < BuiltInGameCount; ++id)
        if (!FindGameDefinition(id)) {
            EXPECT_FALSE(names.count(GameName(id))) << id;
        }
}

// The packs and suits a definition states are what its deal puts on the table.
TEST_F(GameDefinitions, DealsLayTheDefinedPacksAndSuits)
{
    for (const GameDefinition *game : DealtGames()) {
        SCOPED_TRACE(game->name);
        ClearTable(table);
        DealForPrinting(table, game->id, 17);
        EXPECT_EQ(table.CurrentGameId, game->id);
        int cards = 0;
        std::set<int> suits;
        for (int index = 0; index < GameTable::CardCount; ++index) {
            const TCard *card = table.Card(index);
            if (!card->HostDeck())
                continue;
            ++cards;
            suits.insert(card->Suit());
        }
        EXPECT_EQ(cards, 52 * game->packs);
        EXPECT_EQ(int(suits.size()), game->suits);
        EXPECT_TRUE(board.HasAutoTimerHandler());
    }
}

// Ids without a definition have no deal: they are dealt as the fall-back game.
TEST_F(GameDefinitions, IdsWithoutADefinitionHaveNoDeal)
{
    int undealt = 0;
    for (int id = -1; id <= BuiltInGameCount; ++id) {
        if (FindGameDefinition(id))
            continue;
        ++undealt;
        EXPECT_FALSE(DealRoutineFor(id)) << id;
        EXPECT_EQ(SuitsOfGame(id), 4) << id;
    }
    EXPECT_EQ(undealt, BuiltInGameCount + 2 - int(DealtGames().size()));
    EXPECT_TRUE(FindGameDefinition(FallBackGameId));
}

// A custom variant starts from its base game's record, so every default must survive it.
TEST_F(GameDefinitions, DefaultRulesSurviveTheRecord)
{
    for (const GameDefinition *game : DealtGames())
        EXPECT_EQ(RulesFromRecord(RecordFromRules(game->rules)), game->rules) << game->name;
}

} // namespace
