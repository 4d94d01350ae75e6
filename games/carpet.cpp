#include "games/carpet.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/klondike.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

// A carpet of twenty cards that nothing builds on, its gaps filled from the waste; one card
// turned per click and no redeal; foundations up in suit from the Ace.
constinit const GameDefinition CarpetGame = {
    .id = GameIds::Carpet,
    .name = "Carpet",
    .difficulty = Difficulty::Easy,
    .automaticPlay = false,
    .tableSize = QSize(586, 520),
    .rules = {
        .customisable = true,
        .stock = {.redeals = Redeals::None, .cardsPerClick = 1},
        // The carpet is laid out by the deal and builds nothing; these stay as the record holds them.
        .tableau = {
            .build = Rule::UpInSuit,
            .emptyTakes = EmptyTableau::Nothing,
            .groupMove = GroupMove::SingleCard,
        },
        .foundations = {.build = Rule::UpInSuit},
        .editable = {
            .redeals = true,
            .cardsPerClick = true,
            .foundationBuild = true,
        },
    },
    .deal = DealCarpet,
    .cycle = CarpetCycle,
};

namespace {

constexpr int FoundationCount = 4;
constexpr int CarpetCount = 20;
constexpr int PackSize = 52;
constexpr int StockDraws = 32;
// Piles tagged below this are the waste and its fan, the only sources for a gap.
constexpr int FirstCarpetTag = 10;

// A gap takes a card only from the waste or the fan.
void carpetAccepts(TDeck *target, TCard *&card, bool &action)
{
    const TDeck *source = card ? card->HostDeck() : nullptr;
    action = target->CardsCount() == 0 && source && source->Tag < FirstCarpetTag;
}

void buildCarpet(GameTable &table)
{
    for (int i = 1; i <= CarpetCount; ++i) {
        TDeck *pile = NewPile(table, (i - 1) % 5 * 75 + 200, (i - 1) / 5 * 99 + 112);
        table.SetTag(pile, i + FirstCarpetTag);
        pile->DeckTag = CarpetCount;
        pile->OnAddWithRule = [](TDeck *target, TCard *&card, bool &action, bool) {
            carpetAccepts(target, card, action);
        };
        pile->OnDoubleSelect = table.Handlers.SendToFoundation;
        pile->TipString = QStringLiteral("Play cards from the Tableau to the foundations    No building within the Tableau");
        pile->EmptyDeckTipString = QStringLiteral("Play %s on the empty Tableau");
        table.Tableau.Set(i, pile);
    }
}

bool foundationTakes(const TDeck *foundation, const TDeck *first, const TCard *card)
{
    if (!foundation->TopCard())
        return card->Rank() == foundation->CardVal();
    return !foundation->IsFull() && RuleHolds(first->Rule, foundation->TopCard(), card);
}

} // namespace

void DealCarpet(GameTable &table, const GameRules &rules)
{
    TBoardState *board = table.BoardState();
    InstallStockHandlers(table);

    BuildRedeals(table, rules.stock);
    BuildStockAndWaste(table, rules.stock, {.stock = {.left = 10, .top = 260}, .waste = {.left = 100, .top = 260}});
    const auto doubleClick = [&table](TDeck *pile) { CarpetDoubleClick(table, pile); };
    table.Waste->OnDoubleSelect = doubleClick;
    if (table.WasteFan)
        table.WasteFan->OnDoubleSelect = doubleClick;
    BuildFoundationRow(table, rules.foundations, {.row = {.left = 227, .top = 5, .step = 82, .count = FoundationCount}},
                       table.Foundations);
    buildCarpet(table);

    board->CenterVert = board->CenterHorz = true;
    // Centred on the middle of its piles: the stock at 10 to the last carpet column's right
    // edge at 571, the foundations' top at 5 to the last carpet row's bottom at 505.
    board->LayoutHalfSize = QPoint(291, 255);
    board->FitToWindow();

    TDeck *pack = table.Waste;
    FillPack(table, pack, PackSize);
    for (int i = 1; i <= CarpetCount; ++i)
        table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
    // 32 cards are left; every draw takes one.
    for (int draw = 0; draw < StockDraws; ++draw)
        table.Stock->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    pack->SetVShift(2);
    pack->SetGShift(2);
    InstallFanHandlers(table);
}

void CarpetDoubleClick(GameTable &table, TDeck *pile)
{
    TCard *card = pile ? pile->TopCard() : nullptr;
    const TDeck *first = table.Foundations[1];
    if (!card || !first)
        return;
    TDeck *target = nullptr;
    for (int j = 1; j <= FoundationCount && !target; ++j)
        if (TDeck *foundation = table.Foundations[j]; foundation && foundationTakes(foundation, first, card))
            target = foundation;
    const TDeck *firstCarpet = table.Tableau[1];
    const int carpetCount = firstCarpet ? firstCarpet->DeckTag : 0;
    for (int i = 1; i <= carpetCount && !target; ++i)
        if (TDeck *place = table.Tableau[i]; place && place->CardsCount() == 0)
            target = place;
    if (!target)
        return;
    card->SetSelected(false);
    table.BoardState()->ClearHighlightAndSelection();
    target->MoveCard(card);
}

void CarpetCycle(GameTable &table)
{
    TBoardState *board = table.BoardState();
    board->StopAutoTimer();
    TDeck *first = table.Foundations[1];
    if (!first)
        return;
    const int carpetCount = table.Tableau[1] ? table.Tableau[1]->DeckTag : 0;
    AutoMoveBaseCards(table.Foundations, FoundationCount, table.Tableau, true, 1, table.Waste, carpetCount);
    EndCycle(table, IsGameWon(table.Foundations, FoundationCount));
}
