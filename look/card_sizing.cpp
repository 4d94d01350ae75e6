#include "look/card_sizing.h"

#include "look/art/card_art.h"

#include <cmath>

namespace CardSizing {

namespace {

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode is to nearest even
}

} // namespace

int ScaleFactor(int length, int reference)
{
    if (length <= 0 || reference <= 0)
        return 1;
    const double ratio = length < reference ? length * 1.05 / reference : double(length) / reference;
    return qMax(1, roundHalfEven(ratio));
}

QSize NeededTableSize(QSize nominal, QSize card, double heightToWidth)
{
    double height = card.height();
    const double relative = heightToWidth / (96.0 / 71.0);
    if (relative >= 1.1)
        height *= relative;
    double width = nominal.width() * double(card.width()) / 71.0;
    if (card.width() < 71)
        width *= 1.05;
    double tall = nominal.height() * height / 96.0;
    if (height < 96)
        tall *= 1.05;
    return QSize(roundHalfEven(width), roundHalfEven(tall));
}

QSize ScaledCard(QSize nominal, QSize area, double heightToWidth)
{
    const QSize smallest = CardArt::NominalCardSize(Small);
    QSize best = smallest;
    // The 1.05 allowance for cards below the standard width makes the need jump at 71 pixels,
    // so every width is tried rather than searched.
    for (int width = smallest.width() + 1; width <= MaxScaledCardWidth; ++width) {
        const QSize card(width, roundHalfEven(width * 96.0 / 71.0));
        const QSize needed = NeededTableSize(nominal, card, heightToWidth);
        if (needed.width() <= area.width() && needed.height() <= area.height())
            best = card;
    }
    return best;
}

Choice ChooseCardSize(int savedSize, int set, QSize nominal, QSize screen, double heightToWidth,
                      const std::array<bool, 3> &setOffers, const std::array<bool, 3> &defaultOffers)
{
    int size = qBound(Small, savedSize, Large);
    if (size == Large) {
        const QSize table = NeededTableSize(nominal, CardArt::NominalCardSize(Large), heightToWidth);
        if (table.width() > screen.width() || table.height() > screen.height() - 29)
            size = Normal;
    }
    if (size >= Normal) {
        const QSize table = NeededTableSize(nominal, CardArt::NominalCardSize(Normal), heightToWidth);
        if (table.width() > screen.width() || table.height() > screen.height() - 5)
            size = Small;
    }
    if (set > 0 && setOffers[static_cast<size_t>(size)])
        return {set, size};
    if (size == Normal || defaultOffers[static_cast<size_t>(size)])
        return {0, size};
    return {0, Normal};
}

} // namespace CardSizing
