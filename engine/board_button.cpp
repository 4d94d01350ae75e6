#include "engine/board_button.h"

#include "engine/board.h"

#include <QKeyEvent>

TBoardButton::TBoardButton(TBoard *board) : QPushButton(board), Board(board)
{
    // Reached by Tab from the table; a mouse click leaves the keyboard with the table.
    setFocusPolicy(Qt::TabFocus);
}

void TBoardButton::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (isEnabled())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
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
