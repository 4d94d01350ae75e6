#pragma once

#include "engine/control.h"
#include "engine/rule.h"

#include <QString>
#include <functional>

class TCard;

// Pile events. In-out answers are references, as the game code answers through them.
using TDeckSelectEvent = std::function<void(class TDeck *sender, TCard *&card, bool &action, bool clicked,
                                            bool &clickable, bool &actionOnClick)>;
using TDeckEEvent = std::function<void(TDeck *sender)>;
using TDeckEvent = std::function<void(TDeck *sender, TCard *&card, bool &action, bool clicked)>;
using TDragRuleEvent = std::function<void(TCard *source, TDeck *dest, bool &action)>;
using TDragSelectEvent = std::function<void(TCard *source, bool &action)>;
using TDeckNEvent = std::function<void(TDeck *source, TDeck *dest, TCard *card)>;

// Pile roles and empty marks (ShowEmpty).
enum ShowEmptyKind {
    PlainPile = 0,
    FoundationPile = 1,
    StockNoRedeal = 2,
    StockRedeal = 3,
    NoMark = 4,
    SecondPlainMark = 5,
    FreeCellPile = 6,
    OutlineMark = 7,
};

// One pile of cards on the table: a linked list from TopCard down through each card's
// Below. It places the cards it receives, keeps the table's card locations up to date
// and asks the game, through its events, what may be taken from it or put on it.
class TDeck : public TControl {
public:
    explicit TDeck(TBoard *owner);
    ~TDeck() override;

    // --- cards ---
    int CardsCount() const { return cardsCount; }
    TCard *TopCard() const { return topCard; }
    void AddCard(TCard *card);
    TCard *RemoveCard(TCard *card);
    TCard *GetCard(int n) const;
    bool MoveCard(TCard *card);
    void DealCard(TDeck *source, int n, bool faceUp);
    void TakeAllFrom(TDeck *source, bool flip);
    void SimulateMove(TCard *card);

    // --- spreads (layout units) and placement ---
    int VShift() const { return vShift; }
    int GShift() const { return gShift; }
    int VBShift() const { return vbShift; }
    int GBShift() const { return gbShift; }
    void SetVShift(int value);
    void SetGShift(int value);
    void SetVBShift(int value);
    void SetGBShift(int value);
    int EffectiveVShift() const { return effVShift; }
    int EffectiveGShift() const { return effGShift; }
    int EffectiveVBShift() const { return effVBShift; }
    int EffectiveGBShift() const { return effGBShift; }
    bool IsSpread() const { return vShift > 2 || gShift > 2; }

    bool FlatPile() const { return flatPile; }
    void SetFlatPile(bool value);

    int VLeft() const { return vLeft; }
    int VTop() const { return vTop; }
    void SetVLeft(int value);
    void SetVTop(int value);

    TDeck *DeckToAlign() const { return deckToAlign; }
    void SetDeckToAlign(TDeck *deck);
    TDeck *AlignedFollower() const { return alignedFollower; }
    void Realign();

    // --- identity and role ---
    TBoard *HostBoard() const { return hostBoard; }
    void SetHostBoard(TBoard *board);
    int DeckID() const { return deckID; }
    int ShowEmpty() const { return showEmpty; }
    void SetShowEmpty(int value);
    int CardVal() const { return cardVal; }
    void SetCardVal(int value);
    bool IsFull() const { return MaxCardCount >= 0 && cardsCount == MaxCardCount; }

    // --- tips ---
    QString RuleText() const { return QString::fromLatin1(RuleWording(Rule)); }
    QString GroupRuleText() const { return QString::fromLatin1(RuleWording(GroupRule)); }
    QString TipText() const;
    void ShowTip();

    // Plain published properties.
    int FillEmpty = -1;
    int DisabledTag = 0;
    int DisabledFETag = 0;
    bool Draggable = true;
    bool AcceptCardGroup = true;
    int DeckScale = 9;
    int MaxHeight = 0, MaxWidth = 0, MaxVShift = 0, MaxGShift = 0;
    int MaxCardCount = -1;
    int DeckTag = 0;
    int Tag = 0; // free for the game code (e.g. a pile's place in a grid)
    bool Wait = true;
    const TRule *Rule = nullptr;
    bool Consecutive = false;
    const TRule *GroupRule = nullptr;
    QString TipString;
    QString EmptyDeckTipString;
    // What EmptyDeckTipString says, set with it: its second name heads a group of cards
    // ("... or group of cards headed by %s"), and it invites a redeal, which the tip replaces
    // by "No redeal" once none is left (ShowEmpty 2).
    bool EmptyTipNamesGroupHead = false;
    bool EmptyTipOffersRedeal = false;
    bool AutoScore = true;
    bool CanShowCard = false;
    bool AlwaysClickable = false;
    bool UsableAsSpare = false;
    bool CountsForExtent = true;

    // Events.
    TDeckSelectEvent OnSelect;
    TDeckEEvent OnDoubleSelect;
    TDeckEEvent OnEmptySelect;
    TDeckEvent OnAddWithRule;
    TDragRuleEvent OnDragRule;
    TDragRuleEvent OnBeforeMove;
    TDragSelectEvent OnDragSelect;
    TDeckNEvent OnAfterMove;
    TDeckEEvent OnAfterDragCancelled;
    TDeckEEvent OnBeforeUndo;

    // The player's click and double-click on the pile (the point-and-click protocol).
    void Click();
    void DoubleClick();
    bool Enabled = true;

    // OnSelect's answer about the top card when no real click is made. A pile without the
    // handler gives its cards (Action) but asks nothing of a click.
    struct SelectAnswer {
        bool Action = true;
        bool Clickable = false;
        bool ActionOnClick = false;
    };
    SelectAnswer AskSelect();

    // True when OnSelect is the table's RefuseSelect: such a pile never offers its cards.
    bool SelectIsRefused() const;

private:
    friend class TBoard;
    void recomputeEffectiveSpreads();
    void placeSpreadCards(bool vertical, bool withBackSpreads);
    void resizeStacked();
    TCard *flyCard(TCard *card);
    static int flightSteps(const TBoard *board);
    QRect stackedBounds(int steps) const;
    void detachFromBoard();

    int cardsCount = 0;
    TCard *topCard = nullptr;
    int vShift = 0, gShift = 0, vbShift = 0, gbShift = 0;
    int effVShift = 0, effGShift = 0, effVBShift = 0, effGBShift = 0;
    bool flatPile = true;
    int vLeft = 0, vTop = 0;
    TDeck *deckToAlign = nullptr;
    TDeck *alignedFollower = nullptr;
    TBoard *hostBoard = nullptr;
    int deckID = 0;
    int showEmpty = 0;
    int cardVal = -1;
};
