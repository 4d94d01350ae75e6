// The status tip and the "Cards in deck" count shown while the mouse is over a pile.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"

namespace {

// Names of what may fill a pile, by FillEmpty or CardVal (-1 .. 14). A name that heads a
// group of cards leaves "any single card" out.
QString fillName(int value, bool headsGroup)
{
    switch (value) {
    case -1: return QStringLiteral("any card");
    case 1: return QStringLiteral("an Ace");
    case 11: return QStringLiteral("a Jack");
    case 12: return QStringLiteral("a Queen");
    case 13: return QStringLiteral("a King");
    case 14: return headsGroup ? QString() : QStringLiteral("any single card");
    default: return value >= 2 && value <= 10 ? QString::number(value) : QString();
    }
}

// Fills the first two "%s" of a format with the two texts.
QString formatTip(const QString &format, const QString &first, const QString &second)
{
    QString result;
    result.reserve(format.size() + first.size() + second.size());
    int used = 0;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('%') && i + 1 < format.size() && format[i + 1] == QLatin1Char('s') && used < 2) {
            result += used == 0 ? first : second;
            ++used;
            ++i;
        } else if (format[i] == QLatin1Char('%') && i + 1 < format.size() && format[i + 1] == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

} // namespace

QString TDeck::TipText() const
{
    QString tip;
    if (cardsCount > 0) {
        if (showEmpty == FoundationPile && cardsCount == MaxCardCount)
            tip = QStringLiteral("No building");
        else
            tip = formatTip(TipString, RuleText(), GroupRuleText());
    } else {
        // An empty foundation names the rank it starts with, any other pile what may fill it.
        const int named = showEmpty == FoundationPile ? cardVal : FillEmpty;
        tip = formatTip(EmptyDeckTipString, fillName(named, false), fillName(named, EmptyTipNamesGroupHead));
    }
    if (cardsCount == 0 && showEmpty == StockNoRedeal && EmptyTipOffersRedeal)
        tip = QStringLiteral("No redeal");
    return tip.left(255);
}

void TDeck::ShowTip()
{
    if (!hostBoard)
        return;
    int count = cardsCount;
    // A pile lying exactly on another one (a waste on its fan, say) counts the cards of both.
    for (const auto &other : hostBoard->Decks()) {
        if (other.get() == this || other->HostBoard() != hostBoard)
            continue;
        const bool otherOnThis = other->TopCard() && other->TopCard()->BoundsRect().topLeft() == BoundsRect().topLeft();
        const bool thisOnOther = topCard && topCard->BoundsRect().topLeft() == other->BoundsRect().topLeft();
        if (otherOnThis || thisOnOther) {
            count += other->CardsCount();
            break;
        }
    }
    const QString countText = QStringLiteral("   Cards in deck: ") + QString::number(count).rightJustified(3, QLatin1Char(' '));
    if (countText != hostBoard->LastCountText) {
        hostBoard->LastCountText = countText;
        if (hostBoard->OnCardCountText)
            hostBoard->OnCardCountText(countText);
    }
    if (hostBoard->TipsInStatus)
        hostBoard->SetStatusTip(TipText());
}
