#pragma once

#include "engine/candidate_list.h"
#include "engine/card_locations.h"
#include "engine/journal_entry.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QDateTime;
class QSize;
class TBoardButton;
class TCard;
class TDeck;

using TBoardEvent = std::function<void(TDeck *sender)>;
using TBoardDeckNEvent = std::function<void(TDeck *source, TDeck *dest, TCard *card)>;

// The card table as the game code sees it: the cards and piles it owns, the score, the
// game-started state, the status tip, the selection, the layout fitting, the location
// tables and the move journal. It holds no widget, so the rules and deals compile against
// Qt's value types alone; what needs the window (painting, the clock, the timer, fitting
// the layout to the window) is answered by the table widget through the virtual functions.
class TBoardState {
public:
    TBoardState();
    TBoardState(const TBoardState &) = delete;
    TBoardState &operator=(const TBoardState &) = delete;

    // --- owned controls ---
    virtual TCard *NewCard() = 0;
    virtual TDeck *NewDeck() = 0;
    virtual TBoardButton *NewButton() = 0;
    // Frees every pile and table button (cards stay); references to them are cleared first.
    virtual void FreeDecks() = 0;
    // Frees one pile (a deal's temporary pack); every reference to it is cleared first.
    virtual void FreeDeck(TDeck *deck) = 0;
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
    // Entering state 1 stamps the start time, leaving it the end time.
    virtual void SetGameStarted(int value) = 0;
    virtual QDateTime StartTime() const = 0;
    virtual QDateTime EndTime() const = 0;
    bool TipsInStatus = false;
    QString StatusTip() const { return statusTip; }
    void SetStatusTip(const QString &text);
    bool WarnEnabled = true;
    TDeck *HighLightedDeck() const { return highLightedDeck; }
    void SetHighLightedDeck(TDeck *deck);
    int Rotation_Counter() const { return rotationCounter; }
    void SetRotation_Counter(int value);
    int Rotation_Number = 0;

    TBoardEvent OnScoreChange, OnDeckTipChange, OnGameStarted, OnRotationChange;
    TBoardEvent OnAfterUndo, OnAfterRedo, OnMadeMove;
    TBoardDeckNEvent OnDuringUndo, OnDuringRedo;
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
    virtual bool FitToWindow() = 0;
    virtual void Relayout() = 0;
    // The size of the area the table is shown in (the scroll box's viewport, else the table).
    virtual QSize ClientSize() const = 0;

    CardLocationTable Locations, PrevLocations, PrevPrevLocations, TrialLocations;
    CandidateList Candidates;
    void ResetHintList() { Candidates.Reset(); }

    // --- queries ---
    bool CanPlayToFoundation(TCard *card) const;
    static void RefuseSelect(TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                             bool &actionOnClick);
    static void RefuseAdd(TDeck *sender, TCard *&card, bool &action, bool clicked);

    // --- the auto-timer (80 ms; the game assigns its cycle) ---
    void SetAutoTimerHandler(std::function<void()> handler);
    bool HasAutoTimerHandler() const { return static_cast<bool>(autoTimerHandler); }
    virtual void StartAutoTimer() = 0;
    virtual void StopAutoTimer() = 0;

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
    void BeginMoveGroup();
    void EndMoveGroup();
    bool Undo();
    bool Redo();
    void ClearJournal();
    void TruncateJournal();
    // Replaces the journal (a saved game or a snapshot being restored).
    void SetJournal(std::vector<JournalEntry> entries, int position);
    // Whether a journal read from a file can be replayed on the game just dealt: every kind
    // known, every pile and dealt card it names present, groups balanced and holding card
    // entries only, and the position between steps.
    bool CanReplayJournal(const std::vector<JournalEntry> &entries, int position) const;

    // --- the window around the table ---
    // Clears the hover highlight (when hover highlighting is on) and any click selection.
    void ClearHighlightAndSelection();
    // Lets the control under the mouse refresh its cursor and hover state after a move.
    virtual void RefreshUnderMouse() = 0;
    // Draws the whole table again.
    virtual void RepaintTable() = 0;

protected:
    // The table widget frees the cards and piles first: they refer to it while they go.
    virtual ~TBoardState();

    std::vector<std::unique_ptr<TCard>> cards;
    std::vector<std::unique_ptr<TDeck>> decks;
    std::vector<TBoardButton *> buttons; // QObject children of the table
    int score = -1000;
    int gameStarted = 0;
    QString statusTip;
    TDeck *highLightedDeck = nullptr;
    int rotationCounter = 0;
    std::function<void()> autoTimerHandler;
    std::vector<JournalEntry> journal;

private:
    void shiftLocationTables();
    void appendEntry(const JournalEntry &entry);
    void finishUndo();
    bool canReplay(const JournalEntry &entry) const;
    // False when the entry does not fit the table (its card lies elsewhere, the move is refused).
    bool replayCardEntry(const JournalEntry &entry, bool backwards);
    void finishRedo();
};
