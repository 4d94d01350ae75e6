#pragma once

#include <QMainWindow>

class TBoard;
class TBoardScrollBox;
class TDeck;

// A first window onto the table: a shuffled pack laid out in a stock, a waste and seven
// columns, where a click on the stock turns a card and Ctrl+Z / Ctrl+Y undo and redo.
// The full main window replaces it.
class StartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StartWindow(QWidget *parent = nullptr);
    TBoard *Board() const { return board; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void deal();
    TBoardScrollBox *scrollBox = nullptr;
    TBoard *board = nullptr;
    TDeck *stock = nullptr;
    TDeck *waste = nullptr;
};
