#include "solve/solver.h"

#include "games/catalogue.h"
#include "games/game_definitions.h"
#include "games/game_table.h"
#include "solve/game_readers.h"

const char *VerdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Winnable:
        return "winnable";
    case Verdict::NotWinnable:
        return "not-winnable";
    case Verdict::Unknown:
        break;
    }
    return "unknown";
}

std::unique_ptr<SolverPosition> ReadPosition(const GameTable &table)
{
    // A custom variant may change any rule the move generators take for granted.
    const GameDefinition *game = FindGameDefinition(table.BaseGameId);
    if (!game || table.Rules() != game->rules)
        return nullptr;
    switch (table.BaseGameId) {
    case GameIds::FreeCell:
        return ReadFreeCellPosition(table);
    case GameIds::FlowerGarden:
        return ReadFlowerGardenPosition(table, true);
    case GameIds::Bouquet:
        return ReadFlowerGardenPosition(table, false);
    case GameIds::Klondike:
        return ReadKlondikePosition(table);
    case GameIds::Yukon:
        return ReadYukonPosition(table);
    case GameIds::Carpet:
        return ReadCarpetPosition(table);
    case GameIds::Bisley:
        return ReadBisleyPosition(table);
    case GameIds::Nestor:
        return ReadNestorPosition(table);
    case GameIds::MonteCarlo:
        return ReadMonteCarloPosition(table);
    case GameIds::Spider:
    case GameIds::SpiderTwoSuit:
    case GameIds::SpiderOneSuit:
        return ReadSpiderPosition(table);
    default:
        return nullptr;
    }
}
