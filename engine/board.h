#pragma once

#include "engine/board_state.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QTransform>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;
class QCursor;
class TCard;
class TDeck;
class TBoardButton;
class TControl;
struct DragState;

// The card table: the one widget that paints and hit-tests the window-less cards and
// piles it owns. On top of the state the game code sees it keeps the clock of the game,
// the auto-timer, the mapping from layout units to pixels, the mouse and the dragging.
class TBoard : public QWidget, public TBoardState {
    Q_OBJECT
public:
    explicit TBoard(QWidget *parent = nullptr);
    ~TBoard() override;

    // --- owned controls ---
    TCard *NewCard() override;
    TDeck *NewDeck() override;
    TBoardButton *NewButton() override;
    void FreeDecks() override;
    void FreeDeck(TDeck *deck) override;

    // --- published properties ---
    void SetGameStarted(int value) override;
    QDateTime StartTime() const override { return startTime; }
    // A reopened saved game goes on with the time it had already been played.
    void SetStartTime(const QDateTime &time) { startTime = time; }
    QDateTime EndTime() const override { return endTime; }
    int ShadowStyle() const { return shadowStyle; }
    void SetShadowStyle(int value);
    int ShadowOffset() const { return shadowOffset; }
    int Pattern_Type = 0;
    QColor Color;
    bool MyPlaySound = true;
    bool MyPlayCardMove = false;
    bool MyPlayDeckOver = false;
    bool MyPlayCardDrag = false;
    std::function<void(QPainter &painter, const QRect &area)> OnPaint;

    // --- geometry ---
    // Layout units to pixels: units * f * cardSize / referenceSize * scale + offset, where f is
    // 1.05 for cards smaller than the reference; rounded half to even.
    static int UnitsToPixels(int units, int cardSize, int referenceSize, double scale, int offset);
    int LayoutToPixelsX(int units) const;
    int LayoutToPixelsY(int units) const;
    // The table's extent: its piles and a margin of ExtentMargin pixels right and below.
    static constexpr int ExtentMargin = 15;
    int TableRight() const;
    int TableBottom() const;
    int LayoutRight() const;
    int LayoutBottom() const;
    void UpdateScrollRange(int oldRight, int oldBottom);
    bool FitToWindow() override;
    void Relayout() override;
    QSize ClientSize() const override;

    // --- the auto-timer ---
    QTimer *AutoTimer() const { return autoTimer; }
    void StartAutoTimer() override;
    void StopAutoTimer() override;
    // Clicks, drops and cancelled drags suspend the cycle while they work.
    void SuspendAutoTimer();
    void ResumeAutoTimer();

    // --- painting and visibility ---
    void RepaintArea(const QRect &area);
    // True when the area can be seen on screen (the table is shown and the area is not scrolled away).
    bool IsAreaVisible(const QRect &area) const;
    // Paints the whole table (background, piles, cards) into the painter, clipped to area.
    void PaintTable(QPainter &painter, const QRect &area);
    void ResetBackgroundCache();
    void RefreshUnderMouse() override;
    void RepaintTable() override;
    std::uint64_t NextZOrder() { return ++zCounter; }
    // Whether turning this card may be animated now, and the animation itself (returns
    // true when it ran and left the final picture on screen).
    bool TurnAnimationAllowed(const TCard *card) const;
    bool AnimateTurn(TCard *card, bool toFace);
    // Waits until `milliseconds` have passed since the timer started (frame pacing).
    static void PaceFrame(class QElapsedTimer &timer, int milliseconds);

    // Controls at a point, topmost first (visible cards, then piles).
    TCard *CardAt(const QPoint &point) const;
    TDeck *DeckAt(const QPoint &point) const;

    // --- the move search ---
    bool FindMove(TCard *&card, TDeck *&deck, bool next);
    bool FindClickTarget(TCard *&card, TDeck *&deck, bool next);
    // Every hint move, best first, in a list of the caller's own: the player's hint list
    // and the entry it shows stay as they are.
    void SearchHintMoves(CandidateList &list);
    enum class SearchOrder { Hint, Click };
    void OrderCandidates(CandidateList &list, SearchOrder order);

    // --- dragging ---
    // Whether the card, with the cards on it, may be dragged now (the pile's answer, the
    // selection, face-up cards, not busy); the mouse's own conditions come on top.
    bool DragPermitted(TCard *card) const;
    // Whether the target would take the card with the cards on it when dropped there.
    bool AcceptsDrop(TCard *card, TDeck *target) const;
    // The card that moves, with every card on it, when `card` is dropped on the target:
    // the dragged card itself, or the deeper card of its face-up run that the target's
    // OnAddWithRule picks (the card a click move would move). nullptr when refused.
    TCard *DroppedCard(TCard *card, TDeck *target) const;
    // The drop of an accepted drag with no image to fly: the same events and journal
    // entries as the player's drop (a table nobody sees, moves read from a list).
    void DropWithoutFlight(TCard *card, TDeck *dest);
    bool IsDragging() const;
    TCard *DraggedCard() const;
    // Drags Card to Dest as the player would, in 42 frames (the demonstration).
    void AnimateDrag(TCard *card, TDeck *dest);
    // Around each scroll step while dragging near the window's edge.
    void EraseDragImage(TCard *card);
    void RedrawDragImage(TCard *card);
    // Where the drag image lies now (table coordinates), and its size.
    QRect DragImageRect() const;

    // --- the mouse, as the table translates it for its cards and piles ---
    struct MouseFlags {
        bool DoubleClicking = false; // a double-click is being handled until the next release
        bool ClickMoveDone = false;  // the click on a pile made or refused a move
        bool PressedOnCard = false;  // a left press on a card while drag-and-drop is enabled
        bool SimulatedDrag = false;
        bool DragMoved = false;
    };
    MouseFlags Mouse;

    // Draws one card (picture, selection, highlight) with its top-left corner at `at`.
    void PaintCard(QPainter &painter, const TCard &card, const QPoint &at) const;

    // --- the keyboard (board_keys.cpp) ---
    // The pile the keys act on, and in a spread pile the card (the top card when none is
    // chosen); the frame shows from the first table key to the next mouse press.
    TDeck *FocusedDeck() const;
    TCard *FocusedCard() const;
    bool FocusShown() const { return focusShown; }
    // Where the focus frame lies (table coordinates); empty while it is hidden.
    QRect FocusFrameRect() const;
    // The card picked up by the keys with every card on it, nullptr when none is held.
    TCard *KeyboardHeldCard() const;
    void CancelKeyboardPickUp();
    // What a screen reader says of the focus: "Seven of hearts, tableau 3, 4 cards".
    QString FocusDescription() const;
    // The name of a pile as the game calls it ("tableau 3", "foundation 1"); the table
    // itself names piles only by their role.
    std::function<QString(const TDeck *pile)> OnPileName;
    QString PileName(const TDeck *pile) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend struct DragState;
    bool chooseCandidate(TCard *&card, TDeck *&deck, bool next);
    void searchMoves(CandidateList &list, TCard *card, bool hint);
    // Dragging, step by step.
    bool mayStartDrag(TCard *card, const QPoint &at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const;
    void startDrag(TCard *card, const QPoint &grabPoint);
    TDeck *dragTargetAt(const QPoint &cursor, bool &accepted);
    void dragOver(const QPoint &cursor);
    void dropOn(TDeck *dest);
    TCard *moveDroppedCards(TCard *card, TDeck *dest, bool &openedGroup);
    void finishDrop(TDeck *origin, TDeck *dest, TCard *last, bool openedGroup);
    void cancelDrag();
    void flyDragImage(const QPoint &to);
    void moveDragImage(const QPoint &topLeft);
    void endDrag(bool backHome);
    void paintDrag(QPainter &painter, const QRect &area);
    void showSelectionCursor(TDeck *deck);
    // The keyboard, step by step.
    std::vector<std::vector<TDeck *>> focusRows() const;
    TDeck *shownPileAt(TDeck *deck) const;
    void setKeyFocus(TDeck *deck, TCard *card);
    void moveFocusAlongRow(int step);
    void moveFocusAcrossRows(int step);
    void moveFocusToEnd(bool last);
    void enterOnFocus();
    void pickUp(TCard *card);
    void dropHeldCards(TDeck *dest);
    void keyboardClick(TDeck *deck);
    void keyboardDoubleClick(TDeck *deck);
    void hideKeyFocus();
    void focusChanged();
    void paintFocusFrame(QPainter &painter);
    TDeck *focusDeck = nullptr;
    TCard *focusCard = nullptr;
    TCard *heldCard = nullptr;
    bool focusShown = false;
    QRect paintedFocusFrame;
    QObject *pressedControl = nullptr;
    TCard *pressedCard = nullptr;
    TDeck *pressedDeck = nullptr;
    QPoint pressPoint;
    std::unique_ptr<DragState> drag;

    QDateTime startTime, endTime;
    int shadowStyle = 0;
    int shadowOffset = 4;
    QTimer *autoTimer = nullptr;
    int autoTimerSuspensions = 0;
    std::uint64_t zCounter = 0;
    QImage backgroundCache;

    // --- painting ---
    // One frame of the turning animation: a side of the card drawn through Place (card
    // coordinates to table coordinates) over the table, within Area.
    struct TurnFrame {
        bool Active = false;
        QRect Area;
        QImage Picture;
        QTransform Place;
    };
    TurnFrame turnFrame;
    void paintTurnFrame(QPainter &painter);
};

// The "DOWNARROW" cursor shown over a pile that would take the cards.
const QCursor &DownArrowCursor();
