#pragma once

#include <QPushButton>

class TBoard;

// A push button on the table, placed in layout units like a pile.
class TBoardButton : public QPushButton {
    Q_OBJECT
public:
    explicit TBoardButton(TBoard *board);

    int VLeft() const { return vLeft; }
    int VTop() const { return vTop; }
    void SetVLeft(int value);
    void SetVTop(int value);
    // Re-applies VLeft and VTop (after the table's scale or the card size changed).
    void Reposition();

    TBoard *Board = nullptr;
    int Tag = 0; // 100: re-placed on every re-layout

protected:
    // Enter presses the button as Space does (a table is no dialog with a default button).
    void keyPressEvent(QKeyEvent *event) override;

private:
    int vLeft = 0;
    int vTop = 0;
};
