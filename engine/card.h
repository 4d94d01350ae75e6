#pragma once

#include "engine/control.h"

#include <QPoint>

class TDeck;
class QImage;

// One playing card on the table. It usually lies in exactly one pile, linked downward
// through Below; the table owns it for the life of the window.
class TCard : public TControl {
public:
    explicit TCard(TBoard *owner);

    bool Face() const { return face; }
    void SetFace(bool value);

    int CardFace() const { return cardFace; }
    void SetCardFace(int value);
    int Suit() const { return (cardFace & 0xFFFF) / 256; }
    int Rank() const { return (cardFace & 0xFFFF) % 256; }

    int CardBack() const { return cardBack; }
    void SetCardBack(int value);

    bool Selected() const { return selected; }
    void SetSelected(bool value);
    // Stores the value without repainting; the pile repaints a whole group once.
    void SetSelectedSilently(bool value) { selected = value; }

    bool HighLighted() const { return highLighted; }
    void SetHighLighted(bool value);

    TDeck *HostDeck() const { return hostDeck; }
    TBoard *HostBoard() const { return hostBoard; }
    void SetHostBoard(TBoard *board);

    // The card that lies directly on this one in its pile, nullptr for the top card.
    TCard *CardAbove() const;
    // Whether this card lies deeper than `upper` in upper's pile, it and every card between
    // them face up: the foot of a face-up run that `upper` belongs to.
    bool IsFaceUpBeneath(const TCard *upper) const;
    // Selects (or clears) this card and every card lying on it.
    void SelectGroup(bool value);

    // The right-click move to the best pile that takes the card, and the Ctrl+click move
    // of the first possible move of its pile; true when a move (or a click) was made.
    bool ClickMove();
    bool HintMove();

    // The picture slot of the side that is up (see CardPictures).
    int PictureSlot() const;
    static int FacePictureSlot(int cardFace);
    static int BackPictureSlot(int cardBack);
    const QImage &Picture() const;

    int CardID = -1;
    TCard *Below = nullptr;
    QPoint MouseDownPoint;     // card coordinates of the last press
    QPoint DragImagePos;       // table coordinates of the drag image
    QPoint GrabOffset;         // minus the grab point inside the card

private:
    friend class TDeck;
    void applyPicture();

    bool face = false;
    int cardFace = 257;
    int cardBack = 1;
    bool selected = false;
    bool highLighted = false;
    TDeck *hostDeck = nullptr;
    TBoard *hostBoard = nullptr;
};
