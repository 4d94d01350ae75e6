#include "games/game_table.h"

#include "engine/board.h"
#include "engine/card.h"

GameTable::GameTable(TBoard *board)
    : board(board), state(board)
{
    for (int index = 0; index < CardCount; ++index) {
        TCard *card = board->NewCard();
        const int suit = index % 52 / 13 + 1;
        const int rank = index % 13 + 1;
        card->CardID = index + 1;
        card->SetCardFace(suit * 256 + rank);
        card->SetVisible(false);
        cards[index] = card;
    }
}

void GameTable::ForgetPiles()
{
    Waste = nullptr;
    Stock = nullptr;
    WasteFan = nullptr;
    Foundations.Clear();
    Tableau.Clear();
    Cells.Clear();
}

std::optional<bool> GameTable::WholeRunChosen() const
{
    switch (ColumnChooser ? ColumnChooser->ChooseEmptyColumnMove() : EmptyColumnChooser::Cancel) {
    case EmptyColumnChooser::MoveColumn:
        return true;
    case EmptyColumnChooser::MoveSingleCard:
        return false;
    default:
        return std::nullopt;
    }
}
