#include "games/flower_garden.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/game_table.h"
#include "games/table_builders.h"

#include <QTimer>

namespace {

constexpr int FoundationCount = 4;
constexpr int BedCount = 6;
constexpr int ReserveCount = 16;
constexpr int BedTag = 4;
constexpr int PackSize = 52;

void buildReserve(GameTable &table)
{
    TBoard *board = table.Board();
    for (int i = 1; i <= ReserveCount; ++i) {
        TDeck *pile = board->NewDeck();
        pile->SetHostBoard(board);
        pile->SetVLeft(39 * i - 34);
        pile->SetVTop(370);
        pile->CanShowCard = true;
        pile->SetShowEmpty(NoMark);
        pile->DeckTag = ReserveCount;
        table.SetTag(pile, i + 10);
        pile->OnAddWithRule = &TBoard::RefuseAdd;
        pile->OnDoubleSelect = table.Handlers.SendToFoundation;
        pile->OnAfterDragCancelled = [&table](TDeck *) { RestackReserve(table); };
        pile->TipString = QStringLiteral("Play cards from the Reserve to the foundations and to the tableau");
        table.Tableau.Set(i, pile);
    }
}

} // namespace

void DealFlowerGarden(GameTable &table)
{
    TBoard *board = table.Board();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };

    BuildRows(table, 170, 5, 11, 0, BedCount, table.Cells, 0, true, 0, 0, 1, FoundationCount, table.Foundations, 80,
              true);
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
    board->SetAutoTimerHandler([&table] { FlowerGardenCycle(table); });
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
    TBoard *board = table.Board();
    board->AutoTimer()->stop();
    PileRow &foundations = table.Foundations;
    TDeck *first = foundations[1];
    if (!first)
        return;
    AutoMoveBaseCards(foundations, FoundationCount, table.Tableau, true, 1, nullptr, ReserveCount);
    AutoMoveBaseCards(foundations, FoundationCount, table.Cells, true, 1, nullptr, BedCount);
    if (table.Play.AutomaticMoves) {
        AutoMoveToFoundations(foundations, FoundationCount, table.Tableau, false, first->Wait, 1, first->Rule, nullptr,
                              ReserveCount);
        AutoMoveToFoundations(foundations, FoundationCount, table.Cells, false, first->Wait, 1, first->Rule, nullptr,
                              BedCount);
    }
    EndCycle(table, IsGameWon(foundations, FoundationCount));
}
