#include "games/new_game.h"

#include "engine/card.h"
#include "games/bisley.h"
#include "games/carpet.h"
#include "games/catalogue.h"
#include "games/flower_garden.h"
#include "games/freecell.h"
#include "games/game_table.h"
#include "games/klondike.h"
#include "games/monte_carlo.h"
#include "games/nestor.h"
#include "games/spider.h"
#include "games/yukon.h"

DealRoutine DealRoutineFor(int baseGameId)
{
    switch (DealtGameId(baseGameId)) {
    case GameIds::Bisley:
        return &DealBisley;
    case GameIds::FlowerGarden:
    case GameIds::Bouquet:
        return &DealFlowerGarden;
    case GameIds::Carpet:
        return &DealCarpet;
    case GameIds::Nestor:
        return &DealNestor;
    case GameIds::Klondike:
        return &DealKlondike;
    case GameIds::FreeCell:
        return &DealFreeCell;
    case GameIds::Yukon:
        return &DealYukon;
    case GameIds::Spider:
        return &DealSpider;
    case GameIds::MonteCarlo:
        return &DealMonteCarlo;
    default:
        return nullptr;
    }
}

void SetCardSuits(GameTable &table, int suits)
{
    for (int index = 0; index < GameTable::CardCount; ++index) {
        const int ownSuit = index % 52 / 13 + 1;
        const int rank = index % 13 + 1;
        int suit = ownSuit;
        if (suits == 2)
            suit = ownSuit == 1 || ownSuit == 4 ? 4 : 3;
        else if (suits == 1)
            suit = 4;
        table.Card(index)->SetCardFace(suit * 256 + rank);
    }
}

int SuitsOfGame(int baseGameId)
{
    return baseGameId == GameIds::SpiderTwoSuit ? 2 : baseGameId == GameIds::SpiderOneSuit ? 1 : 4;
}
