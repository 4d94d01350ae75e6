#pragma once

#include "engine/deck.h"
#include "games/catalogue.h"
#include "games/seeded_random.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

class TBoard;
class TBoardState;
class TCard;

// A row of piles in its main-window slot, numbered from 1. The first pile's DeckTag holds
// the row's length.
class PileRow {
public:
    static constexpr int Capacity = 207;

    // The pile at position i; nullptr outside 1..Capacity or where none was stored.
    TDeck *operator[](int i) const { return i >= 1 && i <= Capacity ? piles[i] : nullptr; }
    // Stores a pile at position i; positions outside 1..Capacity are ignored.
    void Set(int i, TDeck *pile)
    {
        if (i >= 1 && i <= Capacity)
            piles[i] = pile;
    }
    // The row's length as its first pile records it (0 without a first pile).
    int Count() const
    {
        const int count = piles[1] ? piles[1]->DeckTag : 0;
        return count < 0 ? 0 : (count > Capacity ? Capacity : count);
    }
    void Clear() { piles.fill(nullptr); }

private:
    std::array<TDeck *, Capacity + 1> piles{};
};

// The "Move to empty column..." question: move the whole column or the single card.
class EmptyColumnChooser {
public:
    // The dialog's results.
    enum Choice { MoveColumn = 1, Cancel = 2, MoveSingleCard = 6 };
    virtual ~EmptyColumnChooser() = default;
    virtual int ChooseEmptyColumnMove() = 0;
};

// The card-choice question (Yukon's "Select the King" / "Select the card"): which of the
// candidate cards, listed in pile order from the card taken downwards, is to be moved.
class CardChooser {
public:
    virtual ~CardChooser() = default;
    // The chosen card, or nullptr when the player cancels.
    virtual TCard *ChooseCard(const QString &caption, const QString &label, const std::vector<TCard *> &candidates) = 0;
};

// The handlers of other parts of the game code that the builders hang on the piles.
struct GameHandlers {
    TDeckEEvent SendToFoundation;          // double-click: play the top card to a foundation
    TDeckSelectEvent WasteClick;           // click on the three-card waste
    TDeckSelectEvent StockDealOne;         // click on the stock, one card per click
    TDeckSelectEvent StockDealThree;       // click on the stock, three cards per click
    TDeckEEvent StockRedealOne;            // click on the empty stock, one-card game
    TDeckEEvent StockRedealThree;          // click on the empty stock, three-card game
};

// What the automatic-move cycle needs from the window around the table.
struct PlayState {
    bool AutomaticMoves = true;   // the game's autoplay-off flag is clear
    bool ShowStuckMessage = true; // "ShowStuckMessage"
    bool YouAreStuck = false;     // shown as " You Are Stuck"
    std::function<void()> StuckChanged; // YouAreStuck changed: refresh the status bar
    std::function<void()> GameWon;      // the cycle found the game won
};

// The state of the game on the table: the pile slots, the card array, the game ids, the
// deal generator and the outside services the rules ask. The main window owns it; it works
// as well on a table that is never shown.
class GameTable {
public:
    static constexpr int CardCount = 208;

    // Creates the 208 cards on the table, pack by pack, suits 1..4, ranks 1..13, with
    // CardIDs 1..208; they lie in no pile and are hidden.
    explicit GameTable(TBoard *board);
    GameTable(const GameTable &) = delete;
    GameTable &operator=(const GameTable &) = delete;

    // The table widget, for the window and the engine's drag and paint code.
    TBoard *Board() const { return board; }
    // The same table as the rules and deals see it: its state, with no widget.
    TBoardState *BoardState() const { return state; }
    // The card array, 0-based in array order.
    TCard *Card(int index) const { return index >= 0 && index < CardCount ? cards[index] : nullptr; }

    // Pile slots.
    TDeck *Waste = nullptr;
    TDeck *Stock = nullptr;
    TDeck *WasteFan = nullptr;
    PileRow Foundations;
    PileRow Tableau;
    PileRow Cells;
    int CardsPerDeal = 1;

    // The game selected for play (may be a custom id), the game still on the table while a
    // newly selected one waits for its deal (-1 when none), and the built-in id dealt.
    int CurrentGameId = GameIds::Bisley;
    int PreviousGameId = -1;
    int BaseGameId = GameIds::Bisley;

    // The rules the current game is built with.
    GameRules Rules() const { return RulesForGame(CurrentGameId, Customs); }

    // The one source of randomness of a deal.
    SeededRandom Random;

    const CustomGameSource *Customs = nullptr; // not owned; nullptr: no custom variants
    EmptyColumnChooser *ColumnChooser = nullptr; // not owned; nullptr answers Cancel
    CardChooser *CardChoice = nullptr;           // not owned; nullptr answers Cancel
    GameHandlers Handlers;
    PlayState Play;

    // The pile's role number (1 foundation, 2 stock or tableau, ...), kept in its Tag.
    int Tag(const TDeck *pile) const { return pile ? pile->Tag : 0; }
    void SetTag(TDeck *pile, int tag)
    {
        if (pile)
            pile->Tag = tag;
    }

    // Empties every slot; call it whenever the table's piles are freed.
    void ForgetPiles();

    // Asks the chooser; Cancel without one.
    // The empty-column question: true for the whole run, false for the single card, nothing
    // when the player cancels (or nobody can be asked).
    std::optional<bool> WholeRunChosen() const;

private:
    TBoard *board;
    TBoardState *state;
    std::array<TCard *, CardCount> cards{};
};
