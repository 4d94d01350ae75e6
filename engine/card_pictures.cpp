#include "engine/card_pictures.h"

void CardPictures::SetCardSize(int width, int height)
{
    cardWidth = width > 0 ? width : ReferenceWidth;
    cardHeight = height > 0 ? height : ReferenceHeight;
}

const QImage &CardPictures::Picture(int slot) const
{
    if (slot < 1 || slot > SlotCount)
        return pictureSlots[0];
    return pictureSlots[slot];
}

void CardPictures::SetPicture(int slot, const QImage &picture)
{
    if (slot >= 1 && slot <= SlotCount)
        pictureSlots[slot] = picture;
}

void CardPictures::Clear()
{
    for (QImage &slot : pictureSlots)
        slot = QImage();
    customBack = QImage();
}

CardPictures &cardPictures()
{
    static CardPictures table;
    return table;
}
