// The table's geometry: layout units to pixels, the extents of the piles, fitting the
// layout to the window and re-placing every pile.
#include "engine/board.h"

#include "engine/board_button.h"
#include "engine/board_scroll_box.h"
#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/engine_state.h"
#include "engine/deck.h"

#include <QApplication>
#include <algorithm>

namespace {

double smallCardFactor(int cardSize, int referenceSize)
{
    return cardSize < referenceSize ? 1.05 : 1.0;
}

// The pixel width and height a pile covers with its cards (or its empty place).
QSize pileExtent(const TDeck &deck)
{
    const CardPictures &pictures = cardPictures();
    if (deck.CardsCount() > 0) {
        const TCard *top = deck.TopCard();
        const TCard *bottom = deck.GetCard(deck.CardsCount());
        return QSize(top->Left() + pictures.CardWidth() - bottom->Left(), top->Top() + pictures.CardHeight() - bottom->Top());
    }
    const int raised = deck.FlatPile() ? 0 : 1;
    return QSize(pictures.CardWidth() + 4 * raised, pictures.CardHeight() + 5 * raised);
}

} // namespace

int TBoard::UnitsToPixels(int units, int cardSize, int referenceSize, double scale, int offset)
{
    return RoundHalfEven(units * smallCardFactor(cardSize, referenceSize) * cardSize / referenceSize * scale + offset);
}

int TBoard::LayoutToPixelsX(int units) const
{
    return UnitsToPixels(units, cardPictures().CardWidth(), CardPictures::ReferenceWidth, HorizontalScale,
                         HorizontalOffset);
}

int TBoard::LayoutToPixelsY(int units) const
{
    return UnitsToPixels(units, cardPictures().CardHeight(), CardPictures::ReferenceHeight, VerticalScale,
                         VerticalOffset);
}

// Positions are kept in table coordinates, which scrolling does not change, so the
// scroll position needs no correction here.
int TBoard::TableRight() const
{
    int right = 0;
    for (const auto &deck : decks)
        if (deck->CountsForExtent && deck->HostBoard() == this)
            right = std::max(right, deck->Left() + pileExtent(*deck).width() + ExtentMargin);
    return right;
}

int TBoard::TableBottom() const
{
    int bottom = 0;
    for (const auto &deck : decks)
        if (deck->CountsForExtent && deck->HostBoard() == this)
            bottom = std::max(bottom, deck->Top() + pileExtent(*deck).height());
    return bottom + ExtentMargin;
}

int TBoard::LayoutRight() const
{
    int right = 0;
    for (const auto &deck : decks) {
        if (!deck->CountsForExtent || deck->HostBoard() != this)
            continue;
        int width;
        if (deck->CardsCount() > 0)
            width = deck->TopCard()->Left() + CardPictures::ReferenceWidth - deck->GetCard(deck->CardsCount())->Left();
        else
            width = deck->GShift() < 5 ? CardPictures::ReferenceWidth : deck->GShift() * 8 + CardPictures::ReferenceWidth;
        right = std::max(right, width + deck->VLeft());
    }
    return right;
}

int TBoard::LayoutBottom() const
{
    int bottom = 0;
    for (const auto &deck : decks) {
        if (!deck->CountsForExtent || deck->HostBoard() != this)
            continue;
        int height;
        if (deck->CardsCount() > 0)
            height = deck->TopCard()->Top() + CardPictures::ReferenceHeight - deck->GetCard(deck->CardsCount())->Top() + 10;
        else
            height = deck->VShift() < 5 ? CardPictures::ReferenceHeight : deck->VShift() * 4 + CardPictures::ReferenceHeight;
        bottom = std::max(bottom, height + deck->VTop());
    }
    return bottom + ExtentMargin;
}

QSize TBoard::ClientSize() const
{
    if (auto *box = qobject_cast<TBoardScrollBox *>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
        return box->viewport()->size();
    return size();
}

void TBoard::UpdateScrollRange(int oldRight, int oldBottom)
{
    auto *box = qobject_cast<TBoardScrollBox *>(parentWidget() ? parentWidget()->parentWidget() : nullptr);
    if (!box || !ShowScrollBars)
        return;
    const int right = TableRight();
    const int bottom = TableBottom();
    if (right == oldRight && bottom == oldBottom && size() == box->TableSizeFor(right, bottom))
        return;
    box->SetTableExtent(right, bottom);
}

bool TBoard::FitToWindow()
{
    if (!SpreadCards)
        return false;
    const CardPictures &pictures = cardPictures();
    const int cardWidth = pictures.CardWidth();
    const int cardHeight = pictures.CardHeight();
    const double kV = smallCardFactor(cardHeight, CardPictures::ReferenceHeight);
    const double kH = smallCardFactor(cardWidth, CardPictures::ReferenceWidth);
    const int neededHeight = RoundHalfEven((LayoutBottom() + 30) * kV * cardHeight / CardPictures::ReferenceHeight);
    const int neededWidth = RoundHalfEven((LayoutRight() + 30) * kH * cardWidth / CardPictures::ReferenceWidth);
    const QSize client = ClientSize();
    // A layout no bigger than a card cannot be stretched; it keeps the scale of 1.
    const double sV = neededHeight > cardHeight
        ? std::max(1.0, double(client.height() - cardHeight) / (neededHeight - cardHeight)) : 1.0;
    const double sH = neededWidth > cardWidth
        ? std::max(1.0, double(client.width() - cardWidth) / (neededWidth - cardWidth)) : 1.0;

    int method = FittingMethod;
    if (method == 0 && !FitVert && !FitHorz && (CenterHorz || CenterVert))
        method = 1;
    else if (method == 1 && !CenterVert && !CenterHorz && (FitVert || FitHorz))
        method = 0;

    if (method == 1) {
        if (!CenterVert && !CenterHorz)
            return false;
        if (CenterVert)
            VerticalOffset = LayoutHalfSize.y() != 0
                ? std::max(0, RoundHalfEven(client.height() / 2.0
                                            - LayoutHalfSize.y() * kV * cardHeight / CardPictures::ReferenceHeight))
                : std::max(0, RoundHalfEven((client.height() - TableBottom()) / 2.0));
        if (CenterHorz)
            HorizontalOffset = LayoutHalfSize.x() != 0
                ? std::max(0, RoundHalfEven(client.width() / 2.0
                                            - LayoutHalfSize.x() * kH * cardWidth / CardPictures::ReferenceWidth))
                : std::max(0, RoundHalfEven((client.width() - TableRight()) / 2.0));
    } else {
        if (!FitVert && !FitHorz)
            return false;
        if (FitVert
            && ((VerticalScale == 1.0 && neededHeight < client.height())
                || (VerticalScale > 1.0 && neededHeight != client.height())))
            VerticalScale = sV;
        if (FitHorz
            && ((HorizontalScale == 1.0 && neededWidth < client.width())
                || (HorizontalScale > 1.0 && neededWidth != client.width())))
            HorizontalScale = sH;
    }
    Relayout();
    return true;
}

void TBoard::Relayout()
{
    if (!RelayoutEnabled)
        return;
    const int oldRight = TableRight();
    const int oldBottom = TableBottom();
    if (auto *box = qobject_cast<TBoardScrollBox *>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
        box->ResetScrolling();

    for (TBoardButton *button : buttons)
        if (button->Tag == 100)
            button->Reposition();

    const CardPictures &pictures = cardPictures();
    for (const auto &owned : decks) {
        TDeck *deck = owned.get();
        deck->SetVLeft(deck->VLeft());
        deck->SetVTop(deck->VTop());
        if (deck->CardsCount() == 0 || deck->IsSpread())
            deck->SetBounds(deck->Left(), deck->Top(), pictures.CardWidth(), pictures.CardHeight());
        deck->SetVShift(deck->VShift());
        deck->SetGShift(deck->GShift());
        deck->SetVBShift(deck->VBShift());
        deck->SetGBShift(deck->GBShift());
        if (!deck->IsSpread() && deck->CardsCount() > 0) {
            const int scale = deck->DeckScale > 0 ? deck->DeckScale : 1;
            const bool raised = !deck->FlatPile() && deck->VShift() == 0 && deck->GShift() == 0;
            for (int n = deck->CardsCount() - 1; n >= 1; --n) {
                TCard *card = deck->GetCard(n);
                const int steps = (deck->CardsCount() - n) / scale;
                if (raised)
                    card->SetPosition(deck->Left() + 2, deck->Top() + 2);
                else
                    card->SetPosition(deck->Left() + steps * deck->GShift(), deck->Top() + steps * deck->VShift());
            }
            deck->Repaint();
        }
    }
    for (const auto &deck : decks)
        if (deck->DeckToAlign())
            deck->Realign();
    UpdateScrollRange(oldRight, oldBottom);
}
