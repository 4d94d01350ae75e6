#include "games/flower_garden.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/table_builders.h"

namespace {

// Six beds built down regardless of suit, where runs in sequence move as a unit; any card
// or run fills an empty bed; foundations up in suit from the Ace.
constexpr GameDefinition flowerGarden = {
    .id = GameIds::FlowerGarden,
    .name = "Flower Garden",
    .difficulty = Difficulty::Difficult,
    .automaticPlay = true,
    .tableSize = QSize(676, 481),
    .rules = {
        .customisable = true,
        .stock = {.redeals = Redeals::None, .cardsPerClick = 0},
        .tableau = {
            .build = Rule::DownAnySuit,
            .emptyTakes = EmptyTableau::AnyCard,
            .groupMove = GroupMove::AnySuit,
        },
        .foundations = {.build = Rule::UpInSuit},
        .editable = TableauAndFoundationsEditable,
    },
    .deal = DealFlowerGarden,
    .cycle = FlowerGardenCycle,
};

// Flower Garden where single cards move: a run travels card by card through the empty beds.
constexpr GameDefinition bouquet()
{
    GameDefinition game = flowerGarden;
    game.id = GameIds::Bouquet;
    game.name = "Bouquet";
    game.rules.tableau.groupMove = GroupMove::SingleCard;
    game.rules.editable.groupMove = false;
    return game;
}

} // namespace

constinit const GameDefinition FlowerGardenGame = flowerGarden;
constinit const GameDefinition BouquetGame = bouquet();

namespace {

constexpr int FoundationCount = 4;
constexpr int BedCount = 6;
constexpr int ReserveCount = 16;
constexpr int BedTag = 4;
constexpr int PackSize = 52;

void buildReserve(GameTable &table)
{
    for (int i = 1; i <= ReserveCount; ++i) {
        TDeck *pile = NewPile(table, 39 * i - 34, 370);
        pile->CanShowCard = true;
        pile->SetShowEmpty(NoMark);
        pile->DeckTag = ReserveCount;
        table.SetTag(pile, i + 10);
        pile->OnAddWithRule = &TBoardState::RefuseAdd;
        pile->OnDoubleSelect = table.Handlers.SendToFoundation;
        pile->OnAfterDragCancelled = [&table](TDeck *) { RestackReserve(table); };
        pile->TipString = QStringLiteral("Play cards from the Reserve to the foundations and to the tableau");
        table.Tableau.Set(i, pile);
    }
}

} // namespace

void DealFlowerGarden(GameTable &table, const GameRules &rules)
{
    TBoardState *board = table.BoardState();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };

    // The beds are placed below, two rows of three.
    BuildRows(table, rules, {.row = {.left = 170, .top = 5, .step = 80, .count = FoundationCount}}, table.Foundations,
              {.row = {.count = BedCount}, .spread = {.gShift = 11}}, table.Cells);
    for (int i = 1; i <= FoundationCount; ++i)
        table.SetTag(table.Foundations[i], i <= 2 ? 1 : 2);
    buildReserve(table);
    for (int i = 1; i <= BedCount; ++i) {
        TDeck *bed = table.Cells[i];
        bed->SetVLeft((i - 1) % 3 * 259 + 5);
        bed->SetVTop((i - 1) / 3 * 120 + 120);
        table.SetTag(bed, BedTag);
    }

    board->FitVert = board->FitHorz = board->CenterVert = board->CenterHorz = true;
    board->FitToWindow();

    // The first foundation serves as the pack.
    TDeck *pack = table.Foundations[1];
    FillPack(table, pack, PackSize);
    for (int i = 1; i <= ReserveCount; ++i)
        table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
    for (int i = 1; i <= BedCount * 6; ++i)
        table.Cells[(i - 1) % BedCount + 1]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);

    board->SetScore(-PackSize);
    board->OnAfterUndo = [&table](TDeck *) { RestackReserve(table); };
}

void RestackReserve(GameTable &table)
{
    for (int i = 1; i <= ReserveCount; ++i) {
        TDeck *pile = table.Tableau[i];
        if (!pile)
            continue;
        if (TCard *card = pile->TopCard()) {
            card->BringToFront();
            card->Repaint();
        }
        // The neighbour on the left lies under this pile's card.
        if (TDeck *left = table.Tableau[i - 1]; left && left->TopCard())
            left->TopCard()->Repaint();
    }
}

void FlowerGardenCycle(GameTable &table)
{
    FoundationCycle(table, {{table.Tableau, ReserveCount}, {table.Cells, BedCount}});
}
