#include "games/monte_carlo.h"

#include "engine/board_state.h"
#include "engine/board_button.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/table_builders.h"

#include <cstdlib>

// Pairs of one rank that touch in the grid are discarded; the deal lays down its own
// rules, and none of them can be customised.
constinit const GameDefinition MonteCarloGame = {
    .id = GameIds::MonteCarlo,
    .name = "Monte Carlo",
    .difficulty = Difficulty::Easy,
    .automaticPlay = false,
    .tableSize = QSize(586, 516),
    .rules = {},
    .deal = DealMonteCarlo,
    .cycle = MonteCarloCycle,
};

namespace {

constexpr int GridSize = 25;
constexpr int PackSize = 52;
constexpr int StockDraws = 27;
constexpr int StockTag = 2;
constexpr int ButtonTag = 100;
constexpr int FirstGridTag = 101;

bool isGridPlace(const TDeck *pile)
{
    return pile && pile->Tag >= FirstGridTag;
}

bool gridHasGap(const GameTable &table)
{
    for (int i = 1; i <= GridSize; ++i)
        if (const TDeck *place = table.Tableau[i]; place && place->CardsCount() == 0)
            return true;
    return false;
}

TBoardButton *rearrangeButton(const GameTable &table)
{
    for (TBoardButton *button : table.BoardState()->Buttons())
        if (button->Tag == ButtonTag)
            return button;
    return nullptr;
}

// The stock gives no card; it counts as clickable while the grid has a gap, so that the
// blocked test does not call the player stuck while the grid can be refilled.
void stockSelect(GameTable &table, TDeck *, TCard *&, bool &action, bool, bool &clickable, bool &actionOnClick)
{
    action = false;
    actionOnClick = false;
    clickable = gridHasGap(table);
}

void pairAccepts(TDeck *target, TCard *&card, bool &action, bool)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    const TCard *top = target ? target->TopCard() : nullptr;
    action = top && source && card->Face() && isGridPlace(source) && top->Rank() == card->Rank()
        && MonteCarloNeighbours(target, source);
}

// A card laid on one of its rank takes that card with it to the discard pile.
void discardPair(GameTable &table, TDeck *source, TDeck *dest, TCard *card)
{
    TDeck *discard = table.Foundations[1];
    if (source == table.Stock || dest == discard || !discard || !card || !card->Below
        || card->Below->Rank() != card->Rank())
        return;
    discard->MoveCard(card->Below);
    // The gap may open the button at once, not only at the cycle's next tick.
    UpdateMonteCarloButton(table);
}

void placeDoubleClick(GameTable &table, TDeck *place)
{
    TCard *card = place ? place->TopCard() : nullptr;
    if (!card)
        return;
    for (const auto &owned : table.BoardState()->Decks()) {
        TDeck *other = owned.get();
        if (other == place || !isGridPlace(other) || !other->TopCard())
            continue;
        TCard *asked = card;
        bool action = false;
        pairAccepts(other, asked, action, false);
        if (action) {
            other->MoveCard(card);
            return;
        }
    }
}

} // namespace

bool MonteCarloNeighbours(const TDeck *first, const TDeck *second)
{
    if (!isGridPlace(first) || !isGridPlace(second))
        return false;
    const int difference = std::abs(first->Tag - second->Tag);
    return difference == 1 || difference == 9 || difference == 10 || difference == 11;
}

void UpdateMonteCarloButton(GameTable &table)
{
    TBoardButton *button = rearrangeButton(table);
    if (!button)
        return;
    bool enabled = false;
    for (int i = 1; i <= GridSize && !enabled; ++i) {
        if (!table.Tableau[i] || table.Tableau[i]->CardsCount() > 0)
            continue;
        if (table.Stock && table.Stock->CardsCount() > 0)
            enabled = true;
        for (int later = i + 1; later <= GridSize && !enabled; ++later)
            enabled = table.Tableau[later] && table.Tableau[later]->CardsCount() > 0;
    }
    button->setEnabled(enabled);
}

void MonteCarloRearrange(GameTable &table)
{
    TBoardState *board = table.BoardState();
    board->SetGameStarted(1);
    bool grouped = false;
    const auto openGroup = [&] {
        if (!grouped) {
            board->BeginMoveGroup();
            grouped = true;
        }
    };
    for (int i = 1; i < GridSize; ++i) {
        TDeck *place = table.Tableau[i];
        if (!place || place->CardsCount() > 0)
            continue;
        for (int next = i + 1; next <= GridSize; ++next) {
            TDeck *donor = table.Tableau[next];
            if (donor && donor->TopCard()) {
                openGroup();
                place->MoveCard(donor->TopCard());
                break;
            }
        }
    }
    int firstGap = GridSize + 1;
    for (int i = 1; i <= GridSize; ++i)
        if (table.Tableau[i] && table.Tableau[i]->CardsCount() == 0) {
            firstGap = i;
            break;
        }
    for (int i = firstGap; i <= GridSize && table.Stock && table.Stock->TopCard(); ++i) {
        openGroup();
        TCard *card = table.Stock->TopCard();
        card->SetFace(true);
        table.Tableau[i]->MoveCard(card);
        table.Tableau[i]->Repaint();
    }
    // The group opened by the first move closes with the refill.
    if (grouped)
        board->EndMoveGroup();
    UpdateMonteCarloButton(table);
    SetYouAreStuck(table, IsGameBlocked(table));
}

void DealMonteCarlo(GameTable &table, const GameRules &)
{
    TBoardState *board = table.BoardState();
    TDeck *pack = NewPile(table, 100, 5);
    table.Waste = pack;

    TDeck *stock = NewPile(table, 10, 5);
    stock->SetVShift(2);
    stock->SetGShift(2);
    table.SetTag(stock, StockTag);
    stock->SetShowEmpty(StockNoRedeal);
    stock->OnAddWithRule = &TBoardState::RefuseAdd;
    stock->OnSelect = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                               bool &actionOnClick) {
        stockSelect(table, sender, card, action, clicked, clickable, actionOnClick);
    };
    stock->TipString = QStringLiteral("Click on the button to rearrange cards");
    table.Stock = stock;

    BuildDiscardPile(table, {.left = 500, .top = 205});

    for (int m = 0; m < GridSize; ++m) {
        TDeck *place = NewPile(table, m % 5 * 75 + 110, m / 5 * 100 + 5);
        table.SetTag(place, m / 5 * 10 + m % 5 + FirstGridTag);
        place->CanShowCard = false;
        place->SetShowEmpty(PlainPile);
        place->DeckTag = GridSize;
        place->OnAddWithRule = pairAccepts;
        place->OnDoubleSelect = [&table](TDeck *pile) { placeDoubleClick(table, pile); };
        place->TipString =
            QStringLiteral("Discard pairs of cards of the same rank adjacent in a row, a diagonal, or a column");
        place->EmptyDeckTipString = QStringLiteral("No building");
        table.Tableau.Set(m + 1, place);
    }
    board->CenterHorz = true;
    board->CenterVert = true;
    board->LayoutHalfSize = QPoint(297, 255);
    board->FitToWindow();

    FillPack(table, pack, PackSize);
    for (int i = 1; i <= GridSize; ++i)
        table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
    for (int i = 0; i < StockDraws; ++i)
        stock->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    table.Waste = nullptr;
    board->FreeDeck(pack);

    for (int i = 1; i <= GridSize; ++i)
        table.Tableau[i]->OnAfterMove = [&table](TDeck *source, TDeck *dest, TCard *card) {
            discardPair(table, source, dest, card);
        };
    board->RepaintTable();

    TBoardButton *button = board->NewButton();
    button->setText(QStringLiteral("Re&Arrange"));
    button->Tag = ButtonTag;
    button->resize(75, 25);
    button->SetVLeft(10);
    button->SetVTop(120);
    button->setEnabled(true);
    QObject::connect(button, &QPushButton::clicked, button, [&table] { MonteCarloRearrange(table); });

    UpdateMonteCarloButton(table);
    board->OnAfterUndo = [&table](TDeck *) { UpdateMonteCarloButton(table); };
    board->OnAfterRedo = [&table](TDeck *) { UpdateMonteCarloButton(table); };
}

void MonteCarloCycle(GameTable &table)
{
    TBoardState *board = table.BoardState();
    board->StopAutoTimer();
    TDeck *discard = table.Foundations[1];
    const bool won = discard && discard->CardsCount() == PackSize;
    if (!won)
        UpdateMonteCarloButton(table);
    EndCycle(table, won);
}
