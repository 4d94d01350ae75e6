#pragma once

#include <QScrollArea>

class TBoard;

// The scroll box that hosts the table. The table paints everything itself, so the box
// never erases; it keeps the table at least as large as its viewport and as large as
// the piles' extent, which gives the scroll ranges.
class TBoardScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TBoardScrollBox(QWidget *parent = nullptr);

    TBoard *Board() const { return board; }
    void SetBoard(TBoard *table);
    // Sets the scroll range to the given extent of the piles.
    void SetTableExtent(int right, int bottom);
    QSize TableSizeFor(int right, int bottom) const;
    void ResetScrolling();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    TBoard *board = nullptr;
    int extentRight = 0;
    int extentBottom = 0;
};
