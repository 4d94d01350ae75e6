#pragma once

#include <QImage>
#include <array>
#include <bitset>
#include <functional>

// The picture table shared by every card: 90 card-size pictureSlots numbered from 1.
// 1..52 faces ((suit - 1) * 13 + rank), 53..65 back designs, 67..86 pile marks and
// masks, 87 the joker, 88..90 alpha marks; slot 66 is never used. The card-set loader
// fills it; the cards and the painter only read it. Pictures may carry a device pixel
// ratio above 1 (HiDPI); CardWidth and CardHeight are always in logical pixels.
//
// Marks are pictures with alpha: what the painter draws over the table as it is. The
// pairs of the mark table are kept (mask slot, picture slot), and the painter draws the
// picture of each pair.
class CardPictures {
public:
    static constexpr int SlotCount = 90;
    static constexpr int FirstBack = 53;
    static constexpr int LastBack = 65;
    static constexpr int Joker = 87;
    static constexpr int ReferenceWidth = 71;
    static constexpr int ReferenceHeight = 96;

    // Mark slots.
    static constexpr int RedCross = 67;          // mask 74
    static constexpr int GreenRing = 68;         // mask 73
    static constexpr int CardMask = 69;          // opaque inside the card shape
    static constexpr int InverseCardMask = 70;
    static constexpr int FoundationFrame = 71;   // mask 72
    static constexpr int Outline = 75;           // mask 76
    static constexpr int GreenArrow = 77;        // mask 78
    static constexpr int CompletedMark = 81;     // drawn over the top card of a full foundation
    static constexpr int RedealPicture = 88;     // alpha marks
    static constexpr int CrossPicture = 89;
    static constexpr int RingPicture = 90;
    static constexpr int FoundationRankCount = 14; // 0 the question mark, 1..13 ace to king

    int CardWidth() const { return cardWidth; }
    int CardHeight() const { return cardHeight; }
    void SetCardSize(int width, int height);

    // The picture of a slot; a null image for an empty slot or a number outside 1..90.
    const QImage &Picture(int slot) const;
    void SetPicture(int slot, const QImage &picture);
    void Clear();

    // Draws a slot's picture the first time it is asked for, for every slot not set
    // otherwise: a set drawn at any card size then costs only the cards in view.
    using PictureSource = std::function<QImage(int slot)>;
    void SetPictureSource(PictureSource source);
    // Likewise for the foundation-mark pictures, by rank index.
    void SetFoundationRankSource(PictureSource source);

    // The back made from the player's own picture (card back 100); null when none is loaded.
    const QImage &CustomBack() const { return customBack; }
    void SetCustomBack(const QImage &picture) { customBack = picture; }

    // The foundation-mark pictures: a rank picture by index ("tablquestion", "tabla" ..
    // "tablk") and the backdrops "aeroball" (behind a rank) and "emptyvalue" (behind the
    // question mark). Null when not loaded or the index lies outside 0..13.
    const QImage &FoundationRank(int index) const;
    const QImage &RankBackdrop() const { return rankBackdrop; }
    const QImage &QuestionBackdrop() const { return questionBackdrop; }
    void SetBackdrops(const QImage &rank, const QImage &question);

    // Alpha blending of marks and labels: off on displays of 8 bits per pixel or less,
    // where the plain marks serve.
    bool AlphaBlending() const { return alphaBlending; }
    void SetAlphaBlending(bool value) { alphaBlending = value; }

    // How far the transparent corner of the card shape reaches into the card, in logical
    // pixels (from the card mask; 4 when no mask is loaded).
    int CornerDepth() const;

private:
    PictureSource pictureSource;
    PictureSource foundationRankSource;
    mutable std::bitset<SlotCount + 1> filled;
    mutable std::bitset<FoundationRankCount> filledRanks;
    int cardWidth = ReferenceWidth;
    int cardHeight = ReferenceHeight;
    mutable std::array<QImage, SlotCount + 1> pictureSlots;
    QImage customBack;
    mutable std::array<QImage, FoundationRankCount> foundationRanks;
    QImage rankBackdrop;
    QImage questionBackdrop;
    bool alphaBlending = true;
};

// The picture table the cards are drawn and laid out with: the program's one table, or the
// one a PicturesInUse names while it lives.
CardPictures &cardPictures();

// Lends another picture table to cardPictures() for its lifetime, for drawing a table that
// is never shown with cards of another size (the game selection dialog's pictures) without
// touching the pictures of the table on screen. Nothing may yield to the event loop meanwhile.
class PicturesInUse {
public:
    explicit PicturesInUse(CardPictures &pictures);
    ~PicturesInUse();
    PicturesInUse(const PicturesInUse &) = delete;
    PicturesInUse &operator=(const PicturesInUse &) = delete;

private:
    CardPictures *previous;
};
