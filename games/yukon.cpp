#include "games/yukon.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/game_table.h"
#include "games/move_acceptance.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

#include <QTimer>

namespace {

constexpr int ColumnTag = 4;
constexpr int FoundationTag = 1;
constexpr int ColumnCount = 7;
constexpr int FoundationCount = 4;
constexpr int PackSize = 52;

void turnUpSource(TDeck *source, TDeck *, TCard *)
{
    if (source && source->TopCard() && !source->TopCard()->Face())
        source->TopCard()->SetFace(true);
}

} // namespace

void DealYukon(GameTable &table)
{
    TBoard *board = table.Board();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };
    BuildRows(table, 5, 5, 0, 17, ColumnCount, table.Tableau, 78, true, 120, 5, 1, FoundationCount, table.Foundations,
              78, true);
    for (int i = 1; i <= FoundationCount; ++i) {
        TDeck *foundation = table.Foundations[i];
        table.SetTag(foundation, FoundationTag);
        foundation->OnAfterMove = turnUpSource;
    }
    for (int i = 1; i <= ColumnCount; ++i) {
        TDeck *column = table.Tableau[i];
        table.SetTag(column, ColumnTag);
        column->SetVBShift(11);
        column->OnAfterMove = turnUpSource;
        const bool anyGroup = column->GroupRule == Rules::AnyCard;
        HangTableauAcceptance(table, column, anyGroup ? Acceptance::YukonTableau : Acceptance::TableauByParking);
    }
    board->FitHorz = true;
    board->CenterHorz = true;
    board->FitToWindow();

    TDeck *pack = table.Foundations[1];
    FillPack(table, pack, PackSize);
    for (int i = 1; i <= ColumnCount; ++i)
        for (int j = 1; j <= i; ++j)
            table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), j == i);
    for (int i = 2; i <= ColumnCount; ++i)
        for (int k = 0; k < 4; ++k)
            table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
    board->SetScore(-PackSize);
    board->SetAutoTimerHandler([&table] { YukonCycle(table); });
}

void YukonCycle(GameTable &table)
{
    TBoard *board = table.Board();
    board->AutoTimer()->stop();
    PileRow &foundations = table.Foundations;
    TDeck *first = foundations[1];
    if (!first)
        return;
    AutoMoveBaseCards(foundations, FoundationCount, table.Tableau, true, 1, nullptr, ColumnCount);
    if (table.Play.AutomaticMoves)
        AutoMoveToFoundations(foundations, FoundationCount, table.Tableau, false, first->Wait, 1, first->Rule, nullptr,
                              ColumnCount);
    EndCycle(table, IsGameWon(foundations, FoundationCount));
}
