#include "games/nestor.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/table_builders.h"

// Pairs of one rank on top of the columns and the reserve are discarded; the deal lays
// down its own rules, and none of them can be customised.
constinit const GameDefinition NestorGame = {
    .id = GameIds::Nestor,
    .name = "Nestor",
    .difficulty = Difficulty::Easy,
    .automaticPlay = false,
    .tableSize = QSize(691, 461),
    .rules = {},
    .deal = DealNestor,
    .cycle = NestorCycle,
};

namespace {

constexpr int ColumnCount = 8;
constexpr int ColumnDepth = 6;
constexpr int ReserveCount = 4;
constexpr int PileCount = ColumnCount + ReserveCount;
constexpr int PileTag = 4;
constexpr int PackSize = 52;

// A column or reserve pile takes a card of its top card's rank from another pile.
void pairAccepts(TDeck *target, TCard *&card, bool &action)
{
    const TCard *top = target->TopCard();
    action = card && top && top->Rank() == card->Rank() && card->HostDeck() != target;
}

// The moved card and the card of its rank beneath it go to the discard pile.
void discardPair(GameTable &table, TDeck *source, TDeck *dest, TCard *card)
{
    TDeck *discard = table.Foundations[1];
    if (!discard || source == table.Stock || dest == discard || !card || card->HostDeck() != dest)
        return;
    if (TCard *lower = card->Below; lower && lower->Rank() == card->Rank())
        discard->MoveCard(lower);
}

void setUpPile(GameTable &table, TDeck *pile)
{
    pile->CanShowCard = false;
    table.SetTag(pile, PileTag);
    pile->SetShowEmpty(NoMark);
    pile->OnAddWithRule = [](TDeck *target, TCard *&card, bool &action, bool) { pairAccepts(target, card, action); };
    pile->OnDoubleSelect = [&table](TDeck *sender) { NestorDoubleClick(table, sender); };
    pile->TipString = QStringLiteral("Discard pairs of cards of the same rank");
    pile->EmptyDeckTipString = QStringLiteral("No building");
}

bool rankBelow(const TCard *top, int rank)
{
    for (const TCard *card = top ? top->Below : nullptr; card; card = card->Below)
        if (card->Rank() == rank)
            return true;
    return false;
}

// Some card of the pack has a rank that no card beneath the top card holds.
bool packCanEndRedraw(const TDeck *pack, const TCard *top)
{
    for (const TCard *card = pack->TopCard(); card; card = card->Below)
        if (!rankBelow(top, card->Rank()))
            return true;
    return false;
}

// Deals a column's cards; a card whose rank the column already holds goes back and another
// is drawn, as long as the pack still holds a card that could take its place.
void dealColumn(GameTable &table, TDeck *pack, TDeck *column)
{
    for (int j = 1; j <= ColumnDepth; ++j) {
        column->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
        // Without the pack check the loop would never end once only repeated ranks are left.
        for (TCard *top = column->TopCard(); top && rankBelow(top, top->Rank()) && packCanEndRedraw(pack, top);
             top = column->TopCard()) {
            column->RemoveCard(top);
            pack->AddCard(top);
            column->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
        }
    }
}

} // namespace

void DealNestor(GameTable &table, const GameRules &)
{
    TBoardState *board = table.BoardState();
    TDeck *pack = NewPile(table, 100, 5);
    table.Waste = pack;
    TDeck *stock = NewPile(table, 10, 5);
    table.Stock = stock;

    BuildDiscardPile(table, {.left = 10, .top = 350});

    for (int i = 1; i <= ColumnCount; ++i) {
        TDeck *column = NewPile(table, 85 * i - 75, 10);
        column->SetVShift(20);
        column->DeckTag = PileCount;
        setUpPile(table, column);
        table.Tableau.Set(i, column);
    }
    for (int i = 1; i <= ReserveCount; ++i) {
        TDeck *reserve = NewPile(table, 85 * i + 95, 230);
        setUpPile(table, reserve);
        table.Cells.Set(i, reserve);
        table.Tableau.Set(ColumnCount + i, reserve);
    }
    board->FitVert = board->FitHorz = board->CenterVert = board->CenterHorz = true;
    board->FitToWindow();

    FillPack(table, pack, PackSize);
    for (int i = 1; i <= ColumnCount; ++i)
        dealColumn(table, pack, table.Tableau[i]);
    for (int i = 1; i <= ReserveCount; ++i)
        table.Cells[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);

    table.Waste = nullptr;
    table.Stock = nullptr;
    board->FreeDeck(pack);
    board->FreeDeck(stock);
    for (int i = 1; i <= PileCount; ++i)
        table.Tableau[i]->OnAfterMove = [&table](TDeck *source, TDeck *dest, TCard *card) {
            discardPair(table, source, dest, card);
        };
}

void NestorDoubleClick(GameTable &table, TDeck *pile)
{
    TCard *card = pile ? pile->TopCard() : nullptr;
    if (!card)
        return;
    const int count = table.Tableau[1] ? table.Tableau[1]->DeckTag : 0;
    for (int i = 1; i <= count; ++i) {
        TDeck *target = table.Tableau[i];
        if (!target || target == pile || !target->OnAddWithRule)
            continue;
        TCard *asked = card;
        bool action = false;
        target->OnAddWithRule(target, asked, action, false);
        if (action && asked) {
            card->SetSelected(false);
            table.BoardState()->ClearHighlightAndSelection();
            target->MoveCard(asked);
            return;
        }
    }
}

void NestorCycle(GameTable &table)
{
    TBoardState *board = table.BoardState();
    board->StopAutoTimer();
    TDeck *discard = table.Foundations[1];
    if (!discard)
        return;
    EndCycle(table, discard->CardsCount() == PackSize);
}
