#pragma once

#include <QImage>
#include <array>

// The picture table shared by every card: 90 card-size pictureSlots numbered from 1.
// 1..52 faces ((suit - 1) * 13 + rank), 53..65 back designs, 67..86 pile marks and
// masks, 87 the joker, 88..90 alpha marks; slot 66 is never used. The card-set loader
// fills it; the cards and the painter only read it. Pictures may carry a device pixel
// ratio above 1 (HiDPI); CardWidth and CardHeight are always in logical pixels.
class CardPictures {
public:
    static constexpr int SlotCount = 90;
    static constexpr int FirstBack = 53;
    static constexpr int LastBack = 65;
    static constexpr int Joker = 87;
    static constexpr int ReferenceWidth = 71;
    static constexpr int ReferenceHeight = 96;

    int CardWidth() const { return cardWidth; }
    int CardHeight() const { return cardHeight; }
    void SetCardSize(int width, int height);

    // The picture of a slot; a null image for an empty slot or a number outside 1..90.
    const QImage &Picture(int slot) const;
    void SetPicture(int slot, const QImage &picture);
    void Clear();

    // The back made from the player's own picture (card back 100); null when none is loaded.
    const QImage &CustomBack() const { return customBack; }
    void SetCustomBack(const QImage &picture) { customBack = picture; }

private:
    int cardWidth = ReferenceWidth;
    int cardHeight = ReferenceHeight;
    std::array<QImage, SlotCount + 1> pictureSlots;
    QImage customBack;
};

// The one picture table of the process.
CardPictures &cardPictures();
