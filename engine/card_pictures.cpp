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
    if (!filled[size_t(slot)] && pictureSource) {
        filled[size_t(slot)] = true;
        pictureSlots[slot] = pictureSource(slot);
    }
    return pictureSlots[slot];
}

void CardPictures::SetPicture(int slot, const QImage &picture)
{
    if (slot < 1 || slot > SlotCount)
        return;
    pictureSlots[slot] = picture;
    filled[size_t(slot)] = true;
}

void CardPictures::SetPictureSource(PictureSource source)
{
    pictureSource = std::move(source);
}

const QImage &CardPictures::FoundationRank(int index) const
{
    static const QImage none;
    if (index < 0 || index >= FoundationRankCount)
        return none;
    if (!filledRanks[size_t(index)] && foundationRankSource) {
        filledRanks[size_t(index)] = true;
        foundationRanks[static_cast<size_t>(index)] = foundationRankSource(index);
    }
    return foundationRanks[static_cast<size_t>(index)];
}

void CardPictures::SetFoundationRankSource(PictureSource source)
{
    foundationRankSource = std::move(source);
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
    filled.reset();
    filledRanks.reset();
    pictureSource = nullptr;
    foundationRankSource = nullptr;
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

namespace {
CardPictures *lentPictures = nullptr;
}

CardPictures &cardPictures()
{
    static CardPictures table;
    return lentPictures ? *lentPictures : table;
}

PicturesInUse::PicturesInUse(CardPictures &pictures) : previous(lentPictures)
{
    lentPictures = &pictures;
}

PicturesInUse::~PicturesInUse()
{
    lentPictures = previous;
}
