#pragma once

#include <QString>
#include <QStringList>

class GameTable;
class QTextStream;
class TCard;
class TDeck;

// Plays a game from a list of text commands on a table that is never shown, for players
// who share solutions, for tests and for solvers. One command a line:
//   <source-slot> <target-slot> [<card>]  drags the card (default: the source's top card)
//                                         with the cards on it onto the target, exactly as
//                                         the player drops it; a target "Foundation" or
//                                         "Cell" without a number means the first pile of
//                                         that row that takes the card
//   click <slot>                          clicks the pile ("click Button": the table button)
//   undo, redo                            walk the journal
// Slot names are those of the deal printout; cards are written rank "A23456789TJQK" then
// suit "CDHS", in either case.
class MovePlayer {
public:
    explicit MovePlayer(GameTable &table);

    // Runs one command; true when it was carried out ("ok"), false when it was refused or
    // could not be read.
    bool Run(const QString &line);

    // Runs the game's automatic cycle until nothing changes any more.
    void RunCycle();

    // Every card on the table lies on a foundation.
    bool IsWon() const;

    // The pile named by a slot of the deal printout; nullptr for none.
    TDeck *FindSlot(const QString &name) const;

    // The card of the pile named by a card token, nearest the top; nullptr for none.
    static TCard *FindCard(const TDeck *pile, const QString &token);

    // The card a drag command moves and the pile it goes to (for "click": the pile's top
    // card and the pile itself), as the command would find them now; false when the command
    // names no card or no pile that takes it. undo and redo name none.
    bool Resolve(const QString &line, TCard *&card, TDeck *&target) const;

    // The player's drag of card, with the cards on it, onto target: the same start rules,
    // the same acceptance and the same drop (journal and after-move events). False when the
    // drag may not start or the target refuses it.
    bool Drag(TCard *card, TDeck *target);

private:
    bool canStartDrag(TCard *card) const;
    bool acceptsDrop(TCard *card, TDeck *target) const;
    bool click(const QString &slot);
    bool resolveDrag(const QStringList &words, TCard *&card, TDeck *&target) const;

    GameTable &table;
};

// "--play GAME NUMBER [--cycle]": deals the game like the deal printout, plays the commands
// read from input and writes "ok" or "refused" after each, then the printout of the table
// and "won yes" or "won no". A line longer than LongestCommandLine characters is answered
// "refused" and skipped. Returns the program's exit code: 1 when the output cannot be written.
inline constexpr int LongestCommandLine = 4096;
int PlayGameFromText(GameTable &table, int gameId, quint32 gameNumber, bool cycle, QTextStream &input,
                     QTextStream &output);
