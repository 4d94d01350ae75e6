#pragma once

#include "games/game_table.h"

#include <QDialog>

// "Move to empty column...": asks whether a click onto an empty column moves the whole
// sequence or only the card clicked. Its result is the chooser's choice (1 column,
// 6 single card, 2 cancel).
class TEmptyColDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEmptyColDlg(QWidget *parent = nullptr);
};

// Asks the player with the dialog, over the given window.
class EmptyColumnDialogChooser : public EmptyColumnChooser {
public:
    explicit EmptyColumnDialogChooser(QWidget *parent) : parent(parent) {}
    int ChooseEmptyColumnMove() override;

private:
    QWidget *parent;
};
