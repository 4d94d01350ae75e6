#include "engine/deck.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/card_pictures.h"
#include "engine/engine_state.h"

#include <algorithm>
#include <vector>

namespace {

// A spread below 3 pixels, or one that scales to below 3, is used as given.
int scaleSpread(int spread, int cardSize, int referenceSize)
{
    if (spread < 3)
        return spread;
    const int scaled = RoundHalfEven(double(spread) * cardSize / referenceSize);
    return scaled < 3 ? spread : scaled;
}

} // namespace

TDeck::TDeck(TBoard *owner) : TControl(owner)
{
    const CardPictures &pictures = cardPictures();
    SetBounds(0, 0, pictures.CardWidth(), pictures.CardHeight());
}

TDeck::~TDeck()
{
    detachFromBoard();
}

void TDeck::detachFromBoard()
{
    for (TCard *card = topCard; card;) {
        TCard *below = card->Below;
        if (hostBoard)
            if (CardLocation *row = hostBoard->Locations.At(card->CardID))
                *row = CardLocation{};
        card->hostDeck = nullptr;
        card->hostBoard = nullptr;
        card->Below = nullptr;
        card->selected = false;
        card->highLighted = false;
        card = below;
    }
    topCard = nullptr;
    cardsCount = 0;
}

TDeck::SelectAnswer TDeck::AskSelect()
{
    SelectAnswer answer;
    if (OnSelect) {
        TCard *asked = topCard;
        OnSelect(this, asked, answer.Action, false, answer.Clickable, answer.ActionOnClick);
    }
    return answer;
}

bool TDeck::SelectIsRefused() const
{
    using SelectFunction = void (*)(TDeck *, TCard *&, bool &, bool, bool &, bool &);
    const SelectFunction *function = OnSelect.target<SelectFunction>();
    return function && *function == &TBoard::RefuseSelect;
}

// ---------------------------------------------------------------- identity and role

void TDeck::SetHostBoard(TBoard *board)
{
    if (!board)
        return;
    deckID = board->TakeDeckID();
    hostBoard = board;
}

void TDeck::SetShowEmpty(int value)
{
    showEmpty = value;
    if (value != PlainPile && value != SecondPlainMark)
        Repaint();
}

void TDeck::SetCardVal(int value)
{
    cardVal = value;
    if (cardsCount == 0)
        Repaint();
}

void TDeck::SetDeckToAlign(TDeck *deck)
{
    if (!deck)
        return;
    deckToAlign = deck;
    deck->alignedFollower = this;
}

// ---------------------------------------------------------------- geometry

void TDeck::recomputeEffectiveSpreads()
{
    const CardPictures &pictures = cardPictures();
    const int width = pictures.CardWidth();
    const int height = pictures.CardHeight();
    effVShift = scaleSpread(vShift, height, CardPictures::ReferenceHeight);
    effGShift = scaleSpread(gShift, width, CardPictures::ReferenceWidth);
    effVBShift = scaleSpread(vbShift, height, CardPictures::ReferenceHeight);
    effGBShift = scaleSpread(gbShift, width, CardPictures::ReferenceWidth);
    if (effVBShift > effVShift)
        effVBShift = effVShift;
    if (effGBShift > effGShift)
        effGBShift = effGShift;
}

QRect TDeck::stackedBounds(int steps) const
{
    const CardPictures &pictures = cardPictures();
    return QRect(Left(), Top(), pictures.CardWidth() + steps * gShift, pictures.CardHeight() + steps * vShift);
}

void TDeck::resizeStacked()
{
    const CardPictures &pictures = cardPictures();
    if (flatPile) {
        const int scale = DeckScale > 0 ? DeckScale : 1;
        const QRect r = stackedBounds(cardsCount / scale);
        SetBounds(r.left(), r.top(), r.width(), r.height());
    } else {
        const int grow = cardsCount >= 2 ? 2 : 0;
        SetBounds(Left(), Top(), pictures.CardWidth() + grow, pictures.CardHeight() + grow);
    }
}

// Re-places the cards after a spread changed: the bottom card at the origin, each card
// above at the card below plus the spread. `vertical` picks the coordinate the setter owns;
// `withBackSpreads` uses the back spread after a face-down card.
void TDeck::placeSpreadCards(bool vertical, bool withBackSpreads)
{
    std::vector<TCard *> cardsBottomUp;
    cardsBottomUp.reserve(cardsCount);
    for (TCard *card = topCard; card; card = card->Below)
        cardsBottomUp.push_back(card);
    const int count = int(cardsBottomUp.size());
    if (count == 0)
        return;
    TCard *bottom = cardsBottomUp[count - 1];
    if (vertical)
        bottom->SetTop(Top());
    else
        bottom->SetLeft(Left());
    if (!IsSpread())
        return;
    for (int i = count - 2; i >= 0; --i) {
        const TCard *below = cardsBottomUp[i + 1];
        const bool useBack = withBackSpreads && !below->Face();
        if (vertical)
            cardsBottomUp[i]->SetTop(below->Top() + (useBack ? effVBShift : effVShift));
        else
            cardsBottomUp[i]->SetLeft(below->Left() + (useBack ? effGBShift : effGShift));
    }
}

void TDeck::SetVShift(int value)
{
    vShift = value;
    recomputeEffectiveSpreads();
    placeSpreadCards(true, false);
    if (!IsSpread())
        resizeStacked();
}

void TDeck::SetGShift(int value)
{
    gShift = value;
    recomputeEffectiveSpreads();
    placeSpreadCards(false, false);
    if (!IsSpread())
        resizeStacked();
}

void TDeck::SetVBShift(int value)
{
    vbShift = value;
    recomputeEffectiveSpreads();
    if (vbShift >= 3 || gbShift >= 3)
        placeSpreadCards(true, true);
    else if (topCard)
        GetCard(cardsCount)->SetTop(Top());
}

void TDeck::SetGBShift(int value)
{
    gbShift = value;
    recomputeEffectiveSpreads();
    if (vbShift >= 3 || gbShift >= 3)
        placeSpreadCards(false, true);
    else if (topCard)
        GetCard(cardsCount)->SetLeft(Left());
}

void TDeck::SetFlatPile(bool value)
{
    flatPile = value;
    if (!value) {
        vShift = gShift = vbShift = gbShift = 0;
        effVShift = effGShift = effVBShift = effGBShift = 0;
    }
}

void TDeck::SetVLeft(int value)
{
    vLeft = value;
    SetLeft(hostBoard ? hostBoard->LayoutToPixelsX(value)
                      : TBoard::UnitsToPixels(value, cardPictures().CardWidth(), CardPictures::ReferenceWidth, 1.0, 0));
}

void TDeck::SetVTop(int value)
{
    vTop = value;
    SetTop(hostBoard ? hostBoard->LayoutToPixelsY(value)
                     : TBoard::UnitsToPixels(value, cardPictures().CardHeight(), CardPictures::ReferenceHeight, 1.0, 0));
}

void TDeck::Realign()
{
    if (!deckToAlign)
        return;
    const QPoint target = deckToAlign->topCard ? deckToAlign->topCard->BoundsRect().topLeft()
                                               : deckToAlign->BoundsRect().topLeft();
    if (target == BoundsRect().topLeft())
        return;
    SetPosition(target.x(), target.y());
    SetVShift(vShift);
    SetGShift(gShift);
    SetVBShift(vbShift);
    SetGBShift(gbShift);
}

// ---------------------------------------------------------------- cards

TCard *TDeck::GetCard(int n) const
{
    if (n > cardsCount)
        return nullptr;
    TCard *card = topCard;
    for (int i = 1; i < n && card; ++i)
        card = card->Below;
    return card;
}

void TDeck::AddCard(TCard *card)
{
    if (!card || card->hostDeck)
        return;
    const CardPictures &pictures = cardPictures();
    TCard *previous = topCard;
    QPoint position = BoundsRect().topLeft();
    if (previous) {
        if (!previous->Face() && (vbShift >= 3 || gbShift >= 3)) {
            position = previous->BoundsRect().topLeft() + QPoint(effGBShift, effVBShift);
        } else if (IsSpread()) {
            position = previous->BoundsRect().topLeft() + QPoint(effGShift, effVShift);
        } else {
            previous->SetVisible(false);
            if (!flatPile && vShift == 0 && gShift == 0) {
                position += QPoint(2, 2);
                SetBounds(Left(), Top(), pictures.CardWidth() + 2, pictures.CardHeight() + 2);
            } else {
                const int steps = cardsCount / (DeckScale > 0 ? DeckScale : 1);
                position += QPoint(steps * gShift, steps * vShift);
                const QRect grown = BoundsRect().united(QRect(position, QSize(pictures.CardWidth(), pictures.CardHeight())));
                SetBounds(grown.left(), grown.top(), grown.width(), grown.height());
            }
        }
    }
    card->SetBounds(position.x(), position.y(), pictures.CardWidth(), pictures.CardHeight());
    card->Below = previous;
    card->hostBoard = hostBoard;
    card->hostDeck = this;
    topCard = card;
    ++cardsCount;
    if (hostBoard) {
        if (showEmpty == FoundationPile && AutoScore)
            hostBoard->SetScore(hostBoard->Score() + hostBoard->FoundationPoints);
        hostBoard->Locations.ShiftDepths(deckID, +1);
        if (CardLocation *row = hostBoard->Locations.At(card->CardID))
            *row = {deckID, 1, card->Face() ? 1 : 0};
    }
}

TCard *TDeck::RemoveCard(TCard *card)
{
    if (!card || card->hostDeck != this)
        return nullptr;
    TCard *result = nullptr;
    CardLocationTable *locations = hostBoard ? &hostBoard->Locations : nullptr;
    if (card == topCard) {
        const int countBefore = cardsCount;
        topCard = card->Below;
        if (topCard)
            topCard->SetVisible(true);
        if (locations) {
            locations->ShiftDepths(deckID, -1);
            if (CardLocation *row = locations->At(card->CardID))
                *row = {-1, 1, card->Face() ? 1 : 0};
        }
        if (!IsSpread() && countBefore > 1) {
            const CardPictures &pictures = cardPictures();
            if (flatPile) {
                const QRect r = stackedBounds((countBefore - 1) / (DeckScale > 0 ? DeckScale : 1));
                SetBounds(r.left(), r.top(), r.width(), r.height());
            } else if (vShift == 0 && gShift == 0 && countBefore == 2) {
                SetBounds(Left(), Top(), pictures.CardWidth(), pictures.CardHeight());
            }
        }
    } else {
        // Every card above moves down one place; the lowest takes the removed card's place.
        int depth = 1;
        TCard *above = topCard;
        while (above && above->Below != card) {
            above = above->Below;
            ++depth;
        }
        if (!above)
            return nullptr;
        ++depth; // the removed card's depth
        QPoint place = card->BoundsRect().topLeft();
        for (TCard *moving = above;;) {
            const QPoint own = moving->BoundsRect().topLeft();
            moving->SetPosition(place.x(), place.y());
            place = own;
            TCard *next = moving->CardAbove();
            if (!next)
                break;
            moving = next;
        }
        above->Below = card->Below;
        card->SetVisible(true);
        if (locations) {
            locations->ShiftDepths(deckID, -1, depth);
            if (CardLocation *row = locations->At(card->CardID))
                *row = {-1, 0, card->Face() ? 1 : 0};
        }
        result = above;
    }
    card->hostDeck = nullptr;
    card->hostBoard = nullptr;
    card->Below = nullptr;
    --cardsCount;
    if (hostBoard && showEmpty == FoundationPile && AutoScore)
        hostBoard->SetScore(hostBoard->Score() - hostBoard->FoundationPoints);
    return result;
}

void TDeck::SimulateMove(TCard *card)
{
    if (!hostBoard || !card)
        return;
    CardLocationTable &trial = hostBoard->TrialLocations;
    trial = hostBoard->Locations;
    // The moving cards, from `card` up to the top of its pile.
    std::vector<TCard *> group; // bottom card of the group first
    if (TDeck *source = card->hostDeck) {
        for (TCard *c = source->topCard; c; c = c->Below) {
            group.push_back(c);
            if (c == card)
                break;
        }
        std::reverse(group.begin(), group.end());
    } else {
        group.push_back(card);
    }
    for (std::size_t i = 0; i < group.size(); ++i) {
        CardLocation *row = trial.At(group[i]->CardID);
        if (!row)
            continue;
        const int face = group[i]->Face() ? 1 : 0;
        if (row->DeckID >= 0) {
            const int from = row->DeckID;
            const int depth = row->Depth;
            if (depth == 1) {
                trial.ShiftDepths(from, -1);
                *row = {-1, 1, face};
            } else {
                trial.ShiftDepths(from, -1, depth);
                *row = {-1, 0, face};
            }
        }
        trial.ShiftDepths(deckID, +1);
        *row = {deckID, 1, face};
    }
}
