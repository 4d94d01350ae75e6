#include "app/game_picture.h"

// Each dealt game enters its deal here as it lands in games/ (e.g.
// `deals.Set(GameIds::Klondike, DealKlondike);`). Until then a game shows its shuffled
// packs in the selection dialog.
void registerDealtGames(GameDeals &deals)
{
    (void)deals;
}
