#include "look/art/card_art.h"

namespace CardArt {

QSize NominalCardSize(int sizeIndex)
{
    switch (sizeIndex) {
    case 0: return QSize(55, 74);
    case 2: return QSize(89, 120);
    default: return QSize(71, 96);
    }
}

QImage ProgramPicture(const QString &id, QSize card, qreal devicePixelRatio)
{
    bool numeric = false;
    const int number = id.toInt(&numeric);
    if (numeric && id == QString::number(number)) {
        if (number >= 1 && number <= 52)
            return Face(Design::Standard, (number - 1) / 13 + 1, (number - 1) % 13 + 1, card, devicePixelRatio);
        if (number >= 67 && number <= 80)
            return Mark(number, card, devicePixelRatio);
        if (number == 87)
            return Joker(Design::Standard, card, devicePixelRatio);
        return QImage();
    }
    if (id.startsWith(QLatin1String("BST"))) {
        bool valid = false;
        const int slot = id.mid(3).toInt(&valid);
        if (!valid || id.mid(3) != QString::number(slot))
            return QImage();
        if (slot >= 53 && slot <= 65)
            return Back(Design::Standard, slot - 52, card, devicePixelRatio);
        if (slot >= 88 && slot <= 90)
            return Mark(slot, card, devicePixelRatio);
        return QImage();
    }
    return FoundationPicture(id, card, devicePixelRatio);
}

} // namespace CardArt
