#include "games/freecell.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

#include <QStringList>

// Eight columns built down by alternate colour, where single cards move (a run travels
// card by card through the free cells and empty columns); any card fills an empty column;
// foundations up in suit from the Ace.
constinit const GameDefinition FreeCellGame = {
    .id = GameIds::FreeCell,
    .name = "FreeCell",
    .difficulty = Difficulty::Average,
    .automaticPlay = true,
    .tableSize = QSize(646, 346),
    .rules = {
        .customisable = true,
        .stock = {.redeals = Redeals::None, .cardsPerClick = 1},
        .tableau = {
            .build = Rule::DownAlternateColour,
            .emptyTakes = EmptyTableau::AnyCard,
            .groupMove = GroupMove::SingleCard,
        },
        .foundations = {.build = Rule::UpInSuit},
        .editable = TableauAndFoundationsEditable,
    },
    .deal = DealFreeCell,
    .cycle = Uni_Timer,
};

namespace {

constexpr int ColumnTag = 4;
constexpr int ColumnCount = 8;
constexpr int CellCount = 4;
constexpr int FoundationCount = 4;
constexpr int PackSize = 52;

// A cell takes a single card, and only while it is empty.
void cellAccepts(TDeck *cell, TCard *&card, bool &action, bool)
{
    action = card && cell->CardsCount() == 0 && card->HostDeck() && card->HostDeck()->TopCard() == card;
}

void moveByDoubleClick(TBoardState *board, TCard *card, TDeck *target)
{
    card->SetSelected(false);
    board->ClearHighlightAndSelection();
    target->MoveCard(card);
}

// The top card goes to the foundation it fits, else to the leftmost empty cell.
void freeCellDoubleClick(GameTable &table, TDeck *column)
{
    TCard *card = column ? column->TopCard() : nullptr;
    TDeck *first = table.Foundations[1];
    if (!card || !first)
        return;
    TBoardState *board = table.BoardState();
    for (int i = 1; i <= PileRow::Capacity && table.Foundations[i]; ++i) {
        TDeck *foundation = table.Foundations[i];
        if (foundation->TopCard() && RuleHolds(first->Rule, foundation->TopCard(), card)) {
            moveByDoubleClick(board, card, foundation);
            return;
        }
    }
    for (int i = 1; i <= table.Cells.Count(); ++i) {
        if (TDeck *cell = table.Cells[i]; cell && cell->CardsCount() == 0) {
            moveByDoubleClick(board, card, cell);
            return;
        }
    }
}

QString solverCard(const TCard *card)
{
    static const char ranks[] = "A23456789TJQK";
    static const char suits[] = "CDHS";
    const int rank = card->Rank();
    const int suit = card->Suit();
    return QString(QChar::fromLatin1(rank >= 1 && rank <= 13 ? ranks[rank - 1] : '?'))
        + QChar::fromLatin1(suit >= 1 && suit <= 4 ? suits[suit - 1] : '?');
}

} // namespace

void DealFreeCell(GameTable &table, const GameRules &rules)
{
    TBoardState *board = table.BoardState();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };

    // The pack and a stock exist only while the cards are dealt.
    TDeck *pack = NewPile(table, 100, 410);
    table.Waste = pack;
    TDeck *stock = NewPile(table, 10, 410);
    table.Stock = stock;

    BuildFoundationRow(table, rules.foundations, {.row = {.left = 331, .top = 5, .step = 75, .count = FoundationCount}},
                       table.Foundations);
    for (int i = 1; i <= FoundationCount; ++i)
        table.Foundations[i]->DeckTag = FoundationCount;

    for (int i = 1; i <= CellCount; ++i) {
        TDeck *cell = NewPile(table, 75 * i - 65, 5);
        cell->SetShowEmpty(FreeCellPile);
        cell->MaxCardCount = 1;
        cell->UsableAsSpare = true;
        cell->DeckTag = CellCount;
        cell->OnAddWithRule = cellAccepts;
        cell->OnDoubleSelect = table.Handlers.SendToFoundation;
        cell->TipString = QStringLiteral("Each Cell (Reserve) may contain only one card");
        cell->EmptyDeckTipString = QStringLiteral("Fill the Cell (Reserve) with any single card");
        table.Cells.Set(i, cell);
    }

    BuildTableauRow(table, rules.tableau,
                    {.row = {.left = 10, .top = 115, .step = 78, .count = ColumnCount}, .spread = {.vShift = 20}},
                    table.Tableau, table.Foundations);
    for (int i = 1; i <= ColumnCount; ++i) {
        TDeck *column = table.Tableau[i];
        table.SetTag(column, ColumnTag);
        column->OnDoubleSelect = [&table](TDeck *pile) { freeCellDoubleClick(table, pile); };
        column->DeckTag = ColumnCount + CellCount;
    }
    for (int i = 1; i <= CellCount; ++i)
        table.Tableau.Set(ColumnCount + i, table.Cells[i]);

    board->FitHorz = true;
    board->CenterHorz = true;
    board->FitToWindow();

    FillPack(table, pack, PackSize);
    for (int i = 1; i <= PackSize; ++i)
        table.Tableau[(i - 1) % ColumnCount + 1]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);

    table.Waste = nullptr;
    table.Stock = nullptr;
    board->FreeDeck(pack);
    board->FreeDeck(stock);
}

QString FreeCellSolverBoard(const GameTable &table)
{
    QString text;
    for (int i = 1; i <= ColumnCount; ++i) {
        QStringList cards;
        if (const TDeck *column = table.Tableau[i])
            for (const TCard *card = column->TopCard(); card; card = card->Below)
                cards.prepend(solverCard(card));
        text += cards.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    return text;
}
