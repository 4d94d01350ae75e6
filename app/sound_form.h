#pragma once

#include <QDialog>
#include <array>

class QCheckBox;

// The five sound switches in the order the sound dialog lists them.
struct SoundSwitches {
    bool CardMove = true;
    bool DeckOver = true;
    bool GameWon = true;
    bool Shuffle = true;
    bool CardDrag = true;
    int CountOn() const { return int(CardMove) + int(DeckOver) + int(GameWon) + int(Shuffle) + int(CardDrag); }
    bool operator==(const SoundSwitches &) const = default;
};

// `TSoundForm`: each of the five sounds on or off. OK takes the boxes, Cancel drops them.
class TSoundForm : public QDialog {
    Q_OBJECT
public:
    explicit TSoundForm(const SoundSwitches &switches, QWidget *parent = nullptr);
    SoundSwitches Switches() const;
    // "Card &Move", "&Turn a Deck", "&Game is won", "&Shuffle", "Start Card &Dragging".
    std::array<QCheckBox *, 5> Boxes{};
};
