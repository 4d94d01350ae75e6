#include "engine/card_pictures.h"

#include <cmath>

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

const QImage &CardPictures::FoundationRank(int index) const
{
    static const QImage none;
    if (index < 0 || index >= FoundationRankCount)
        return none;
    return foundationRanks[static_cast<size_t>(index)];
}

void CardPictures::SetFoundationRank(int index, const QImage &picture)
{
    if (index >= 0 && index < FoundationRankCount)
        foundationRanks[static_cast<size_t>(index)] = picture;
}

void CardPictures::SetBackdrops(const QImage &rank, const QImage &question)
{
    rankBackdrop = rank;
    questionBackdrop = question;
}

void CardPictures::Clear()
{
    for (QImage &slot : pictureSlots)
        slot = QImage();
    for (QImage &rank : foundationRanks)
        rank = QImage();
    customBack = QImage();
    rankBackdrop = QImage();
    questionBackdrop = QImage();
}

int CardPictures::CornerDepth() const
{
    const QImage &mask = pictureSlots[CardMask];
    if (mask.isNull() || !mask.hasAlphaChannel() || mask.width() < 1)
        return 4;
    // Down the left edge until the shape is opaque.
    int row = 0;
    while (row < mask.height() / 2 && qAlpha(mask.pixel(0, row)) < 255)
        ++row;
    return qMax(1, int(std::ceil(row / mask.devicePixelRatio())));
}

CardPictures &cardPictures()
{
    static CardPictures table;
    return table;
}
