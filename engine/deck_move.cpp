// Moving cards between piles: the animated move of the game, dealing and whole-pile transfers.
#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QThread>

int TDeck::flightSteps(const TBoard *board)
{
    if (!board->Animate || board->Replaying)
        return 1;
    static const int stepsBySetting[] = {40, 30, 20, 11, 7, 4, 1};
    const int setting = engineState().Options.ClickSteps;
    return setting >= 1 && setting <= 7 ? stepsBySetting[setting - 1] : 11;
}

bool TDeck::MoveCard(TCard *card)
{
    // A move with no card or a move while another one runs does not happen, and says so.
    if (!card || !hostBoard || engineState().Busy)
        return false;
    // A card never moves onto its own pile: the cards lying on it would follow it round forever.
    if (card->HostDeck() == this)
        return false;
    TBoard *board = hostBoard;
    const int oldRight = board->TableRight();
    const int oldBottom = board->TableBottom();

    if (MaxCardCount > 0 && cardsCount >= MaxCardCount) {
        if (TDeck *source = card->HostDeck()) {
            if (source->TopCard())
                source->TopCard()->SetSelected(true);
            board->SelectedDeck = source;
        }
        return false;
    }

    board->Moving = true;
    board->ClearHighlightAndSelection();

    if (!card->HostDeck()) {
        AddCard(card);
    } else {
        TDeck *source = card->HostDeck();
        bool openedGroup = false;
        TCard *lastMoved = card;
        {
            BusyGuard busy;
            if (board->Recording) {
                if (OnAfterMove && !board->InGroup) {
                    board->unsetCursor();
                    board->BeginMoveGroup();
                    openedGroup = true;
                }
                board->RecordMove(source, this, card);
            }
            for (TCard *moving = card; moving;) {
                const bool visibleMove = board->IsAreaVisible(moving->BoundsRect()) || board->IsAreaVisible(BoundsRect());
                if (board->MyPlayCardMove && visibleMove && !board->Replaying
                    && (!moving->HostDeck() || moving->HostDeck()->TopCard() == moving || board->Animate))
                    engineState().PlaySound(EngineSound::PLYSEL);
                lastMoved = moving;
                moving = flyCard(moving);
            }
        }
        if (board->Recording && OnAfterMove) {
            OnAfterMove(source, this, lastMoved);
            if (openedGroup)
                board->EndMoveGroup();
        }
    }

    board->Moving = false;
    board->RefreshUnderMouse();
    board->UpdateScrollRange(oldRight, oldBottom);
    return true;
}

// Flies one card from its pile to this one; returns the card that lay on it.
TCard *TDeck::flyCard(TCard *card)
{
    TBoard *board = hostBoard;
    const int steps = flightSteps(board);
    board->ResetHintList();
    TDeck *source = card->HostDeck();
    const QRect start = card->BoundsRect();
    TCard *next = source->RemoveCard(card);
    card->SetVisible(false);
    card->BringToFront();

    // A replayed journal (a saved game being opened, a snapshot restored) shows only its end.
    if (board->Replaying || (!board->IsAreaVisible(start) && !board->IsAreaVisible(BoundsRect()))) {
        card->SetVisible(true);
        AddCard(card);
        return next;
    }

    AddCard(card);
    const QPoint from = start.topLeft();
    const QPoint to = card->BoundsRect().topLeft();
    card->SetPosition(from.x(), from.y());
    card->SetVisible(true);
    QRect previous = card->BoundsRect();
    for (int i = 1; i <= steps; ++i) {
        QElapsedTimer frame;
        frame.start();
        const QPoint at = from + (to - from) * i / steps;
        card->SetPosition(at.x(), at.y());
        const QRect now = card->BoundsRect();
        board->repaint(previous.united(now));
        previous = now;
        TBoard::PaceFrame(frame, 14);
    }
    if (MaxCardCount > 0 && cardsCount >= MaxCardCount && topCard)
        topCard->Repaint();
    if (steps == 1)
        QThread::msleep(10);
    return next;
}

void TDeck::DealCard(TDeck *source, int n, bool faceUp)
{
    if (engineState().Busy || !source || source->CardsCount() == 0 || n > source->CardsCount())
        return;
    TCard *card = source->GetCard(n);
    if (!card)
        return;
    {
        BusyGuard busy;
        source->RemoveCard(card);
        AddCard(card);
        if (card->Face() != faceUp)
            card->SetFace(faceUp); // lying in this pile, so the journal records the turn
        card->SetVisible(true);
        card->BringToFront();
    }
    if (OnAfterMove)
        OnAfterMove(source, this, card);
}

void TDeck::TakeAllFrom(TDeck *source, bool flip)
{
    if (!source || !hostBoard || source == this)
        return;
    TBoard *board = hostBoard;
    if (board->Recording)
        board->RecordPileTransfer(source, this, flip);
    // The short pauses let the player see the pile turn; a hidden table or a replayed journal
    // has nothing to show.
    const bool shown = board->isVisible() && !board->Replaying;
    if (shown)
        QThread::msleep(30);
    if (board->MyPlayDeckOver && !board->Replaying)
        engineState().PlaySound(EngineSound::TURN);
    if (shown)
        QThread::msleep(30);
    while (TCard *card = source->TopCard()) {
        card->Repaint();
        source->RemoveCard(card);
        card->SetVisible(true);
        if (flip)
            card->SetFace(!card->Face()); // lies in no pile now, so nothing is journaled
        AddCard(card);
        card->BringToFront();
    }
}
