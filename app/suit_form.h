#pragma once

#include "games/game_table.h"

#include <QDialog>
#include <vector>

class QPushButton;

// The card-choice dialog: one button per candidate card with the card's picture, in the
// order given; "&Move" is enabled once a card is chosen, "&Cancel" chooses nothing. The
// cards themselves are offered (not only their suits), so two cards of one suit in a
// column can never be confused.
class TSuitForm : public QDialog {
    Q_OBJECT
public:
    TSuitForm(const QString &caption, const QString &label, const std::vector<TCard *> &candidates,
              QWidget *parent = nullptr);

    // The results of the two buttons.
    enum Result { MoveResult = 1, CancelResult = 2 };

    // The card chosen; nullptr before a choice.
    TCard *Chosen() const { return chosen; }
    // Chooses the i-th card offered (as a click on its button does).
    void Choose(int index);
    QPushButton *MoveButton() const { return moveButton; }

private:
    std::vector<TCard *> candidates;
    std::vector<QPushButton *> cardButtons;
    QPushButton *moveButton = nullptr;
    TCard *chosen = nullptr;
};

// Asks the player with the dialog, over the given window.
class CardChoiceDialog : public CardChooser {
public:
    explicit CardChoiceDialog(QWidget *parent) : parent(parent) {}
    TCard *ChooseCard(const QString &caption, const QString &label, const std::vector<TCard *> &candidates) override;

private:
    QWidget *parent;
};
