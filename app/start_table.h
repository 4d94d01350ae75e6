#pragma once

#include <QMainWindow>
#include <memory>

class TBoard;
class TBoardScrollBox;
class TDeck;
class CardSets;

// A first window onto the table: a shuffled pack laid out in a stock, a waste, four
// foundations, seven columns, two free cells, a raised reserve and empty piles showing
// the other marks; hovering highlights the cards a drag would take. A click on the stock turns a card; cards can be dragged,
// clicked and right-clicked between the piles (no game rules yet); Ctrl+Z / Ctrl+Y undo
// and redo.
// The full main window replaces it.
class StartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StartWindow(QWidget *parent = nullptr);
    ~StartWindow() override;
    TBoard *Board() const { return board; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void deal();
    TBoardScrollBox *scrollBox = nullptr;
    TBoard *board = nullptr;
    TDeck *stock = nullptr;
    TDeck *waste = nullptr;
    std::unique_ptr<CardSets> cardSets;
};
