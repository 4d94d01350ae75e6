#pragma once

#include <QSize>
#include <array>

// Card sizes and the arithmetic around them: the size indices 0 small, 1 normal, 2 large,
// the whole-number scale factors of the loaded card, and automatic sizing.
namespace CardSizing {

constexpr int Small = 0;
constexpr int Normal = 1;
constexpr int Large = 2;

// The scale factor of a card length against the standard card's (71 wide, 96 high):
// round(length * 1.05 / reference) when the card is shorter, else round(length / reference),
// halves to even, and never below 1.
int ScaleFactor(int length, int reference);
inline int HorizontalScale(QSize card) { return ScaleFactor(card.width(), 71); }
inline int VerticalScale(QSize card) { return ScaleFactor(card.height(), 96); }

// The table needed for cards of the given size, from the game's table at the standard card. heightToWidth is the loaded set's card
// height over width; a set much taller than the standard card needs more height.
QSize NeededTableSize(QSize nominal, QSize card, double heightToWidth = 96.0 / 71.0);

// Cards that follow the window: the largest card of the standard proportions (71:96) for
// which the game's table fits the area, never smaller than the small card nor wider than
// MaxScaledCardWidth.
constexpr int MaxScaledCardWidth = 256;
QSize ScaledCard(QSize nominal, QSize area, double heightToWidth = 96.0 / 71.0);

struct Choice {
    int set;
    int size;
};

// Automatic sizing: steps the saved size down until the table fits the screen, then keeps
// the set when it offers that size and otherwise takes the default set (whose small and
// large sizes exist only with "sdeck.dll").
Choice ChooseCardSize(int savedSize, int set, QSize nominal, QSize screen, double heightToWidth,
                      const std::array<bool, 3> &setOffers, const std::array<bool, 3> &defaultOffers);

} // namespace CardSizing
