#pragma once

#include "engine/candidate_list.h"
#include "engine/card_locations.h"
#include "engine/journal_entry.h"

#include <QDateTime>
#include <QPointF>
#include <QTransform>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QTimer;
class QCursor;
class TCard;
class TDeck;
class TBoardButton;
class TControl;
struct DragState;

using TBoardEvent = std::function<void(TDeck *sender)>;
using TBoardDeckNEvent = std::function<void(TDeck *source, TDeck *dest, TCard *card)>;

// The card table: the one widget that paints and hit-tests the window-less cards and
// piles it owns. It numbers the piles, keeps the score, the game-started state, the
// status tip, the selection, the card location tables, the move journal and the
// mapping from layout units to pixels.
class TBoard : public QWidget {
    Q_OBJECT
public:
    explicit TBoard(QWidget *parent = nullptr);
    ~TBoard() override;

    // --- owned controls ---
    TCard *NewCard();
    TDeck *NewDeck();
    TBoardButton *NewButton();
    // Frees every pile and table button (cards stay); references to them are cleared first.
    void FreeDecks();
    // Frees one pile (a deal's temporary pack); every reference to it is cleared first.
    void FreeDeck(TDeck *deck);
    void FreeCards();
    const std::vector<std::unique_ptr<TDeck>> &Decks() const { return decks; }
    const std::vector<std::unique_ptr<TCard>> &Cards() const { return cards; }
    const std::vector<TBoardButton *> &Buttons() const { return buttons; }
    TCard *FindCard(int cardID) const;
    TDeck *FindDeck(int deckID) const;
    // The next DeckID; refuses a 256th pile, since the journal keeps DeckIDs in one byte.
    int TakeDeckID();

    // --- published properties ---
    int IDCounter = 0;
    int Score() const { return score; }
    void SetScore(int value);
    int VDelta = 0, GDelta = 0;
    int GameStarted() const { return gameStarted; }
    void SetGameStarted(int value);
    QDateTime StartTime() const { return startTime; }
    QDateTime EndTime() const { return endTime; }
    bool TipsInStatus = false;
    QString StatusTip() const { return statusTip; }
    void SetStatusTip(const QString &text);
    int ShadowStyle() const { return shadowStyle; }
    void SetShadowStyle(int value);
    int ShadowOffset() const { return shadowOffset; }
    bool WarnEnabled = true;
    int Pattern_Type = 0;
    QColor Color;
    TDeck *HighLightedDeck() const { return highLightedDeck; }
    void SetHighLightedDeck(TDeck *deck);
    bool MyPlaySound = true;
    bool MyPlayCardMove = false;
    bool MyPlayDeckOver = false;
    bool MyPlayCardDrag = false;
    int Rotation_Counter() const { return rotationCounter; }
    void SetRotation_Counter(int value);
    int Rotation_Number = 0;

    TBoardEvent OnScoreChange, OnDeckTipChange, OnGameStarted, OnRotationChange;
    TBoardEvent OnAfterUndo, OnAfterRedo, OnMadeMove;
    TBoardDeckNEvent OnDuringUndo, OnDuringRedo;
    std::function<void(QPainter &painter, const QRect &area)> OnPaint;
    // The "Cards in deck" text changed (shown by the main window at the right of its menu bar).
    std::function<void(const QString &text)> OnCardCountText;

    // --- unpublished state ---
    TDeck *SelectedDeck = nullptr;
    TCard *ClickedCard = nullptr;
    TCard *PeekCard = nullptr;
    bool Recording = true;
    bool Animate = true;
    bool Replaying = false;
    bool Moving = false;
    bool InClick = false;
    bool ShowEmptyOutline = false;
    bool ShowScrollBars = true;
    bool ShowFinished = false;
    bool RelayoutEnabled = true;
    int FoundationPoints = 5;
    QString LastCountText;

    // Layout fitting.
    bool SpreadCards = false;
    int FittingMethod = 0;
    bool FitVert = false, FitHorz = false, CenterVert = false, CenterHorz = false;
    QPoint LayoutHalfSize;
    double VerticalScale = 1.0, HorizontalScale = 1.0;
    int VerticalOffset = 0, HorizontalOffset = 0;

    CardLocationTable Locations, PrevLocations, PrevPrevLocations, TrialLocations;
    CandidateList Candidates;
    void ResetHintList() { Candidates.Reset(); }

    // --- geometry ---
    // Layout units to pixels: units * f * cardSize / referenceSize * scale + offset, where f is
    // 1.05 for cards smaller than the reference; rounded half to even.
    static int UnitsToPixels(int units, int cardSize, int referenceSize, double scale, int offset);
    int LayoutToPixelsX(int units) const;
    int LayoutToPixelsY(int units) const;
    int TableRight() const;
    int TableBottom() const;
    int LayoutRight() const;
    int LayoutBottom() const;
    void UpdateScrollRange(int oldRight, int oldBottom);
    bool FitToWindow();
    void Relayout();
    // The size of the area the table is shown in (the scroll box's viewport, else the table).
    QSize ClientSize() const;

    // --- queries ---
    bool CanPlayToFoundation(TCard *card) const;
    static void RefuseSelect(TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                             bool &actionOnClick);
    static void RefuseAdd(TDeck *sender, TCard *&card, bool &action, bool clicked);

    // --- the auto-timer (80 ms; the game assigns its cycle) ---
    QTimer *AutoTimer() const { return autoTimer; }
    void SetAutoTimerHandler(std::function<void()> handler);
    bool HasAutoTimerHandler() const { return static_cast<bool>(autoTimerHandler); }
    // Clicks, drops and cancelled drags suspend the cycle while they work.
    void SuspendAutoTimer();
    void ResumeAutoTimer();

    // --- the move journal ---
    const std::vector<JournalEntry> &Journal() const { return journal; }
    int JournalPos = -1;
    bool InGroup = false;
    int MoveCount = 0;
    bool LastWasMove = false;
    bool LastWasUndo = false;
    std::vector<JournalEntry> SnapshotJournal;
    int SnapshotPos = -1;
    void RecordMove(TDeck *source, TDeck *dest, TCard *card);
    void RecordFlip(TCard *card);
    void RecordPileTransfer(TDeck *source, TDeck *dest, bool flip);
    void RecordRedealStep();
    void BeginMoveGroup();
    void EndMoveGroup();
    bool Undo();
    bool Redo();
    void ClearJournal();
    void TruncateJournal();
    // Replaces the journal (a saved game or a snapshot being restored).
    void SetJournal(std::vector<JournalEntry> entries, int position);

    // --- painting and visibility ---
    void RepaintArea(const QRect &area);
    // True when the area can be seen on screen (the table is shown and the area is not scrolled away).
    bool IsAreaVisible(const QRect &area) const;
    // Paints the whole table (background, piles, cards) into the painter, clipped to area.
    void PaintTable(QPainter &painter, const QRect &area);
    void ResetBackgroundCache();
    // Clears the hover highlight (when hover highlighting is on) and any click selection.
    void ClearHighlightAndSelection();
    // Lets the control under the mouse refresh its cursor and hover state after a move.
    void RefreshUnderMouse();
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

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    friend struct DragState;
    void shiftLocationTables();
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
    QObject *pressedControl = nullptr;
    TCard *pressedCard = nullptr;
    TDeck *pressedDeck = nullptr;
    QPoint pressPoint;
    std::unique_ptr<DragState> drag;
    void appendEntry(const JournalEntry &entry);
    void finishUndo();
    bool canReplay(const JournalEntry &entry) const;
    void replayCardEntry(const JournalEntry &entry, bool backwards);
    void finishRedo();

    std::vector<std::unique_ptr<TCard>> cards;
    std::vector<std::unique_ptr<TDeck>> decks;
    std::vector<TBoardButton *> buttons; // QObject children of the table
    int score = -1000;
    int gameStarted = 0;
    QDateTime startTime, endTime;
    QString statusTip;
    int shadowStyle = 0;
    int shadowOffset = 4;
    TDeck *highLightedDeck = nullptr;
    int rotationCounter = 0;
    QTimer *autoTimer = nullptr;
    std::function<void()> autoTimerHandler;
    int autoTimerSuspensions = 0;
    std::vector<JournalEntry> journal;
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
