#include "games/move_player.h"

#include "engine/board.h"
#include "engine/board_button.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/deal_printout.h"
#include "games/game_table.h"

#include <QMetaObject>
#include <QStringList>
#include <QTextStream>
#include <QTimer>
#include <vector>

namespace {

// A cycle that keeps changing the table is cut off after this many rounds.
constexpr int CycleRoundLimit = 2000;

// What a command may change: where every card lies, the score, the redeal count, the
// stock's mark and the table buttons.
struct TableState {
    CardLocationTable locations;
    int score = 0;
    int rotation = 0;
    int stockMark = 0;
    std::vector<bool> buttons;
    bool operator==(const TableState &) const = default;
};

TableState stateOf(const GameTable &table)
{
    const TBoard *board = table.Board();
    TableState state{board->Locations, board->Score(), board->Rotation_Counter(),
                     table.Stock ? table.Stock->ShowEmpty() : -1, {}};
    for (const TBoardButton *button : board->Buttons())
        state.buttons.push_back(button->isEnabled());
    return state;
}

int rankOf(QChar c)
{
    const int at = QStringLiteral("A23456789TJQK").indexOf(c.toUpper());
    return at < 0 ? 0 : at + 1;
}

int suitOf(QChar c)
{
    const int at = QStringLiteral("CDHS").indexOf(c.toUpper());
    return at < 0 ? 0 : at + 1;
}

// "Foundation" and "Cell" without a number name the whole row.
const PileRow *rowNamed(const GameTable &table, const QString &name)
{
    if (name.compare(QStringLiteral("Foundation"), Qt::CaseInsensitive) == 0)
        return &table.Foundations;
    if (name.compare(QStringLiteral("Cell"), Qt::CaseInsensitive) == 0)
        return &table.Cells;
    return nullptr;
}

} // namespace

MovePlayer::MovePlayer(GameTable &table) : table(table) {}

TDeck *MovePlayer::FindSlot(const QString &name) const
{
    for (const auto &owned : table.Board()->Decks())
        if (SlotName(table, owned.get()).compare(name, Qt::CaseInsensitive) == 0)
            return owned.get();
    return nullptr;
}

TCard *MovePlayer::FindCard(const TDeck *pile, const QString &token)
{
    if (!pile || token.size() != 2)
        return nullptr;
    const int rank = rankOf(token[0]);
    const int suit = suitOf(token[1]);
    if (!rank || !suit)
        return nullptr;
    for (TCard *card = pile->TopCard(); card; card = card->Below)
        if (card->Rank() == rank && card->Suit() == suit)
            return card;
    return nullptr;
}

bool MovePlayer::canStartDrag(TCard *card) const
{
    return table.Board()->DragPermitted(card);
}

bool MovePlayer::acceptsDrop(TCard *card, TDeck *target) const
{
    return target && target->Visible() && target->Enabled && table.Board()->AcceptsDrop(card, target);
}

bool MovePlayer::Drag(TCard *card, TDeck *target)
{
    if (!canStartDrag(card) || !acceptsDrop(card, target))
        return false;
    TDeck *source = card->HostDeck();
    TBoard *board = table.Board();
    if (board->isVisible() && board->Animate)
        board->AnimateDrag(card, target);
    else
        board->DropWithoutFlight(card, target);
    // The after-move events may carry the card on (a pair goes to the discard pile).
    return card->HostDeck() != source;
}

bool MovePlayer::click(const QString &slot)
{
    TBoard *board = table.Board();
    const TableState before = stateOf(table);
    if (slot.compare(QStringLiteral("Button"), Qt::CaseInsensitive) == 0) {
        for (TBoardButton *button : board->Buttons())
            if (button->isEnabled()) {
                button->click();
                break;
            }
    } else {
        TDeck *pile = FindSlot(slot);
        if (!pile || !pile->Visible() || !pile->Enabled)
            return false;
        pile->Click();
        // A click that only selected the pile is no move: the next command starts afresh.
        if (TDeck *selected = board->SelectedDeck) {
            if (TCard *top = selected->TopCard())
                top->SetSelected(false);
            board->SelectedDeck = nullptr;
        }
    }
    return !(stateOf(table) == before);
}

bool MovePlayer::Run(const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    TBoard *board = table.Board();
    // Undo and Redo answer whether more is left to walk; what counts is whether the table changed.
    if (words.size() == 1 && words[0].compare(QStringLiteral("undo"), Qt::CaseInsensitive) == 0) {
        const TableState before = stateOf(table);
        board->Undo();
        return !(stateOf(table) == before);
    }
    if (words.size() == 1 && words[0].compare(QStringLiteral("redo"), Qt::CaseInsensitive) == 0) {
        const TableState before = stateOf(table);
        board->Redo();
        return !(stateOf(table) == before);
    }
    if (words.size() == 2 && words[0].compare(QStringLiteral("click"), Qt::CaseInsensitive) == 0)
        return click(words[1]);
    TCard *card = nullptr;
    TDeck *target = nullptr;
    if (!resolveDrag(words, card, target))
        return false;
    return Drag(card, target);
}

bool MovePlayer::resolveDrag(const QStringList &words, TCard *&card, TDeck *&target) const
{
    if (words.size() != 2 && words.size() != 3)
        return false;
    TDeck *source = FindSlot(words[0]);
    if (!source || !source->TopCard())
        return false;
    card = words.size() == 3 ? FindCard(source, words[2]) : source->TopCard();
    if (!card)
        return false;
    if (const PileRow *row = rowNamed(table, words[1])) {
        for (int i = 1; i <= row->Count(); ++i)
            if (TDeck *pile = (*row)[i]; pile && acceptsDrop(card, pile)) {
                target = pile;
                return true;
            }
        return false;
    }
    // A named target that refuses is still the command's target: the drag answers for it.
    target = FindSlot(words[1]);
    return target != nullptr;
}

bool MovePlayer::Resolve(const QString &line, TCard *&card, TDeck *&target) const
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() == 2 && words[0].compare(QStringLiteral("click"), Qt::CaseInsensitive) == 0) {
        target = FindSlot(words[1]);
        card = target ? target->TopCard() : nullptr;
        return card != nullptr;
    }
    return resolveDrag(words, card, target) && acceptsDrop(card, target);
}

void MovePlayer::RunCycle()
{
    TBoard *board = table.Board();
    if (!board->HasAutoTimerHandler())
        return;
    for (int round = 0; round < CycleRoundLimit; ++round) {
        const TableState before = stateOf(table);
        // The handler hangs on the auto-timer's tick.
        QMetaObject::invokeMethod(board->AutoTimer(), "timeout", Qt::DirectConnection);
        board->AutoTimer()->stop();
        if (stateOf(table) == before)
            return;
    }
}

bool MovePlayer::IsWon() const
{
    int onFoundations = 0;
    int inPiles = 0;
    for (const auto &owned : table.Board()->Decks()) {
        inPiles += owned->CardsCount();
        if (owned->ShowEmpty() == FoundationPile)
            onFoundations += owned->CardsCount();
    }
    return inPiles > 0 && onFoundations == inPiles;
}

int PlayGameFromText(GameTable &table, int gameId, quint32 gameNumber, bool cycle, QTextStream &input,
                     QTextStream &output)
{
    DealForPrinting(table, gameId, gameNumber);
    TBoard *board = table.Board();
    board->ClearJournal();
    // Nobody watches the status bar here: the blocked test would only cost time.
    table.Play.ShowStuckMessage = false;
    MovePlayer player(table);
    if (cycle)
        player.RunCycle();
    QString line;
    // One character more than a command may have tells a longer line, which is refused and
    // skipped a piece at a time, so that no line is ever held whole.
    while (input.readLineInto(&line, LongestCommandLine + 1)) {
        bool done = false;
        if (line.size() > LongestCommandLine) {
            while (input.readLineInto(&line, LongestCommandLine + 1) && line.size() > LongestCommandLine) {
            }
        } else if (line.trimmed().isEmpty()) {
            continue;
        } else {
            done = player.Run(line);
            if (cycle)
                player.RunCycle();
        }
        output << (done ? "ok" : "refused") << '\n';
        output.flush();
        if (output.status() != QTextStream::Ok)
            return 1;
    }
    output << DealPrintout(table, table.CurrentGameId, gameNumber);
    output << "won " << (player.IsWon() ? "yes" : "no") << '\n';
    output.flush();
    return output.status() == QTextStream::Ok ? 0 : 1;
}
