#include "engine/board_button.h"

#include "engine/board.h"

TBoardButton::TBoardButton(TBoard *board) : QPushButton(board), Board(board)
{
}

void TBoardButton::SetVLeft(int value)
{
    vLeft = value;
    if (Board)
        move(Board->LayoutToPixelsX(value), y());
}

void TBoardButton::SetVTop(int value)
{
    vTop = value;
    if (Board)
        move(x(), Board->LayoutToPixelsY(value));
}

void TBoardButton::Reposition()
{
    SetVLeft(vLeft);
    SetVTop(vTop);
}
