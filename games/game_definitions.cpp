#include "games/game_definitions.h"

#include "engine/board_state.h"
#include "games/bisley.h"
#include "games/carpet.h"
#include "games/flower_garden.h"
#include "games/freecell.h"
#include "games/game_table.h"
#include "games/klondike.h"
#include "games/monte_carlo.h"
#include "games/nestor.h"
#include "games/spider.h"
#include "games/yukon.h"

#include <array>

namespace {

// A new game is written in a file of its own, opening with its definition, and listed here.
constexpr std::array<const GameDefinition *, 12> definitions = {
    &BisleyGame,   &FlowerGardenGame, &CarpetGame, &FreeCellGame,      &NestorGame,        &KlondikeGame,
    &SpiderGame,   &MonteCarloGame,   &YukonGame,  &SpiderTwoSuitGame, &SpiderOneSuitGame, &BouquetGame,
};

constexpr QSize middlingTableSize(660, 420);

} // namespace

std::span<const GameDefinition *const> DealtGames()
{
    return definitions;
}

const GameDefinition *FindGameDefinition(int gameId)
{
    for (const GameDefinition *game : definitions)
        if (game->id == gameId)
            return game;
    return nullptr;
}

QSize NominalTableSize(int baseGameId)
{
    const GameDefinition *game = FindGameDefinition(baseGameId);
    return game ? game->tableSize : middlingTableSize;
}

void DealDefinedGame(const GameDefinition &game, GameTable &table, const GameRules &rules)
{
    game.deal(table, rules);
    const auto cycle = game.cycle;
    table.BoardState()->SetAutoTimerHandler(cycle ? std::function<void()>([cycle, &table] { cycle(table); }) : nullptr);
}
