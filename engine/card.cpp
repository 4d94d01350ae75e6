#include "engine/card.h"

#include "engine/board.h"
#include "engine/card_pictures.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

TCard::TCard(TBoard *owner) : TControl(owner)
{
    applyPicture();
}

int TCard::FacePictureSlot(int cardFace)
{
    const int value = cardFace & 0xFFFF;
    if (value == 0)
        return CardPictures::Joker;
    return (value / 256) * 13 + value % 256 - 13;
}

int TCard::BackPictureSlot(int cardBack)
{
    if (cardBack == 100)
        return CardPictures::FirstBack; // the custom picture when loaded, see Picture()
    const int slot = cardBack + 52;
    return slot < CardPictures::FirstBack ? CardPictures::FirstBack
                                          : (slot > CardPictures::LastBack ? CardPictures::LastBack : slot);
}

int TCard::PictureSlot() const
{
    return face ? FacePictureSlot(cardFace) : BackPictureSlot(cardBack);
}

const QImage &TCard::Picture() const
{
    const CardPictures &pictures = cardPictures();
    if (!face && cardBack == 100 && !pictures.CustomBack().isNull())
        return pictures.CustomBack();
    return pictures.Picture(PictureSlot());
}

void TCard::applyPicture()
{
    // A card always takes the current card size, whether or not its picture is loaded yet.
    const CardPictures &pictures = cardPictures();
    SetBounds(Left(), Top(), pictures.CardWidth(), pictures.CardHeight());
    Repaint();
}

void TCard::SetCardFace(int value)
{
    cardFace = value;
    if (face)
        applyPicture();
}

void TCard::SetCardBack(int value)
{
    cardBack = value;
    if (!face)
        applyPicture();
}

void TCard::SetFace(bool value)
{
    const bool wasSelected = selected;
    const bool wasHighLighted = highLighted;
    TBoard *board = hostDeck ? hostBoard : nullptr;
    if (board)
        board->ResetHintList();
    const bool changes = value != face;
    if (changes && board && board->Recording)
        board->RecordFlip(this);

    selected = false;
    highLighted = false;
    bool animated = false;
    if (changes && board && board->TurnAnimationAllowed(this))
        animated = board->AnimateTurn(this, value);
    face = value;
    applyPicture();
    (void)animated; // the animation leaves the final picture on screen; the repaint is cheap
    selected = wasSelected;
    highLighted = wasHighLighted;

    if (board)
        if (CardLocation *row = board->Locations.At(CardID))
            row->Face = value ? 1 : 0;
}

void TCard::SetSelected(bool value)
{
    if (selected == value)
        return;
    selected = value;
    if (Visible())
        Repaint();
}

void TCard::SetHighLighted(bool value)
{
    if (!hostDeck || highLighted == value)
        return;
    highLighted = value;
    Repaint();
}

void TCard::SetHostBoard(TBoard *board)
{
    if (board)
        hostBoard = board;
}

TCard *TCard::CardAbove() const
{
    if (!hostDeck)
        return nullptr;
    for (TCard *card = hostDeck->TopCard(); card; card = card->Below)
        if (card->Below == this)
            return card;
    return nullptr;
}

bool TCard::IsFaceUpBeneath(const TCard *upper) const
{
    if (!upper || upper == this || !upper->hostDeck || upper->hostDeck != hostDeck || !upper->face)
        return false;
    for (const TCard *card = upper->Below; card && card->face; card = card->Below)
        if (card == this)
            return true;
    return false;
}

void TCard::SelectGroup(bool value)
{
    if (!hostDeck)
        return;
    for (TCard *card = hostDeck->TopCard(); card; card = card->Below) {
        card->SetSelectedSilently(value);
        card->Repaint();
        if (card == this)
            break;
    }
    hostDeck->Repaint();
}
