#include "engine/board_scroll_box.h"

#include "engine/board.h"

#include <QScrollBar>
#include <algorithm>

TBoardScrollBox::TBoardScrollBox(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(false);
    // The keys go to the table inside, not to the box (whose arrows would scroll).
    setFocusPolicy(Qt::NoFocus);
}

void TBoardScrollBox::SetBoard(TBoard *table)
{
    board = table;
    setWidget(table);
    table->resize(viewport()->size());
}

QSize TBoardScrollBox::TableSizeFor(int right, int bottom) const
{
    const QSize view = viewport()->size();
    return QSize(std::max(view.width(), right), std::max(view.height(), bottom));
}

void TBoardScrollBox::SetTableExtent(int right, int bottom)
{
    extentRight = right;
    extentBottom = bottom;
    if (board)
        board->resize(TableSizeFor(right, bottom));
}

void TBoardScrollBox::ResetScrolling()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TBoardScrollBox::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (board)
        board->resize(TableSizeFor(extentRight, extentBottom));
}
