// The move journal: recording moves, face changes and pile transfers, grouping them,
// and undoing and redoing them.
#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"

namespace {

// Journal fields are single bytes; identities that do not fit are stored as 0, which
// names no pile and no card, so replaying such an entry stops safely.
std::uint8_t byteOf(int value)
{
    return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : 0;
}

// Restores the replay flags when a replayed step ends, however it ends.
class ReplayScope {
public:
    explicit ReplayScope(TBoardState &board) : board(board), recording(board.Recording), animate(board.Animate) {}
    ~ReplayScope()
    {
        board.Recording = recording;
        board.Animate = animate;
    }

private:
    TBoardState &board;
    bool recording;
    bool animate;
};

} // namespace

void TBoardState::shiftLocationTables()
{
    PrevPrevLocations = PrevLocations;
    PrevLocations = Locations;
}

void TBoardState::appendEntry(const JournalEntry &entry)
{
    TruncateJournal();
    journal.push_back(entry);
    JournalPos = int(journal.size()) - 1;
}

void TBoardState::RecordMove(TDeck *source, TDeck *dest, TCard *card)
{
    JournalEntry entry;
    entry.Kind = JournalEntry::CardEntry;
    entry.Source = byteOf(source ? source->DeckID() : 0);
    entry.Destination = byteOf(dest ? dest->DeckID() : 0);
    entry.Card = byteOf(card ? card->CardID : 0);
    entry.Animated = Animate ? 1 : 0;
    entry.SourceLeft = source ? source->Left() : 0;
    appendEntry(entry);
    if (!InGroup) {
        ++MoveCount;
        shiftLocationTables();
    }
    LastWasMove = true;
    if (OnMadeMove)
        OnMadeMove(nullptr);
}

void TBoardState::RecordFlip(TCard *card)
{
    JournalEntry entry;
    entry.Kind = JournalEntry::CardEntry;
    entry.Flip = 1;
    entry.Card = byteOf(card ? card->CardID : 0);
    entry.SourceLeft = card && card->HostDeck() ? card->HostDeck()->Left() : 0;
    appendEntry(entry);
    LastWasMove = true;
    if (OnMadeMove)
        OnMadeMove(nullptr);
}

void TBoardState::RecordPileTransfer(TDeck *source, TDeck *dest, bool flip)
{
    JournalEntry entry;
    entry.Kind = JournalEntry::PileTransfer;
    entry.Source = byteOf(source ? source->DeckID() : 0);
    entry.Destination = byteOf(dest ? dest->DeckID() : 0);
    entry.Flip = flip ? 1 : 0;
    appendEntry(entry);
    if (!InGroup)
        ++MoveCount;
    LastWasMove = true;
    if (OnMadeMove)
        OnMadeMove(nullptr);
}

void TBoardState::BeginMoveGroup()
{
    if (InGroup)
        return;
    InGroup = true;
    shiftLocationTables();
    ++MoveCount;
    JournalEntry entry;
    entry.Kind = JournalEntry::GroupStart;
    appendEntry(entry);
}

void TBoardState::EndMoveGroup()
{
    if (!InGroup)
        return;
    InGroup = false;
    JournalEntry entry;
    entry.Kind = JournalEntry::GroupEnd;
    journal.push_back(entry);
    JournalPos = int(journal.size()) - 1;
}

void TBoardState::ClearJournal()
{
    journal.clear();
    journal.shrink_to_fit();
    journal.reserve(800);
    SnapshotJournal.clear();
    JournalPos = -1;
    SnapshotPos = -1;
    InGroup = false;
}

void TBoardState::TruncateJournal()
{
    if (JournalPos + 1 < int(journal.size()))
        journal.resize(std::size_t(JournalPos + 1));
}

void TBoardState::SetJournal(std::vector<JournalEntry> entries, int position)
{
    journal = std::move(entries);
    JournalPos = position >= -1 && position < int(journal.size()) ? position : int(journal.size()) - 1;
    InGroup = false;
}

void TBoardState::finishUndo()
{
    if (OnAfterUndo)
        OnAfterUndo(nullptr);
    if (OnMadeMove)
        OnMadeMove(nullptr);
}

void TBoardState::finishRedo()
{
    if (OnAfterRedo)
        OnAfterRedo(nullptr);
    if (OnMadeMove)
        OnMadeMove(nullptr);
}

bool TBoardState::canReplay(const JournalEntry &entry) const
{
    if (entry.Kind != JournalEntry::CardEntry || entry.RedealStep)
        return true;
    TCard *card = FindCard(entry.Card);
    if (entry.Flip)
        return card != nullptr;
    return card && FindDeck(entry.Source) && FindDeck(entry.Destination);
}

bool TBoardState::replayCardEntry(const JournalEntry &entry, bool backwards)
{
    TCard *card = FindCard(entry.Card);
    ReplayScope scope(*this);
    Recording = false;
    if (entry.RedealStep) {
        if (rotationCounter >= 0)
            SetRotation_Counter(rotationCounter + (backwards ? -1 : 1));
        return true;
    }
    if (entry.Flip) {
        card->SetFace(!card->Face());
        return true;
    }
    TDeck *source = FindDeck(entry.Source);
    TDeck *dest = FindDeck(entry.Destination);
    // The card lies where the entry says it leaves from, or the journal is not this table's.
    if (card->HostDeck() != (backwards ? dest : source))
        return false;
    if (backwards && OnDuringUndo)
        OnDuringUndo(dest, source, card);
    if (!backwards && OnDuringRedo)
        OnDuringRedo(source, dest, card);
    if (!entry.Animated)
        Animate = false;
    return (backwards ? source : dest)->MoveCard(card);
}

bool TBoardState::CanReplayJournal(const std::vector<JournalEntry> &entries, int position) const
{
    if (position < -1 || position >= int(entries.size()))
        return false;
    const auto dealtCard = [this](int cardID) {
        const TCard *card = FindCard(cardID);
        return card && card->HostDeck();
    };
    const auto twoPiles = [this](int source, int dest) { return source != dest && FindDeck(source) && FindDeck(dest); };
    bool inGroup = false;
    for (int index = 0; index < int(entries.size()); ++index) {
        const JournalEntry &entry = entries[std::size_t(index)];
        switch (entry.Kind) {
        case JournalEntry::GroupStart:
            if (inGroup)
                return false;
            inGroup = true;
            break;
        case JournalEntry::GroupEnd:
            if (!inGroup)
                return false;
            inGroup = false;
            break;
        case JournalEntry::PileTransfer:
            if (inGroup || !twoPiles(entry.Source, entry.Destination))
                return false;
            break;
        case JournalEntry::CardEntry:
            if (entry.RedealStep)
                break;
            if (!dealtCard(entry.Card) || (!entry.Flip && !twoPiles(entry.Source, entry.Destination)))
                return false;
            break;
        default:
            return false;
        }
        // The position stands between steps, never inside a group.
        if (index == position && inGroup)
            return false;
    }
    return !inGroup;
}

bool TBoardState::Undo()
{
    if (engineState().Busy)
        return false;
    ClearHighlightAndSelection();
    PrevPrevLocations = PrevLocations;
    PrevLocations.Clear();
    LastWasMove = false;
    LastWasUndo = true;
    if (JournalPos < 0 || JournalPos >= int(journal.size())) {
        finishUndo();
        return false;
    }

    const JournalEntry first = journal[std::size_t(JournalPos)];
    if (first.Kind == JournalEntry::PileTransfer) {
        TDeck *source = FindDeck(first.Source);
        TDeck *dest = FindDeck(first.Destination);
        if (!source || !dest) {
            finishUndo();
            return false;
        }
        {
            ReplayScope scope(*this);
            Recording = false;
            if (rotationCounter >= 0)
                SetRotation_Counter(rotationCounter - 1);
            dest->SetShowEmpty(StockRedeal);
            source->TakeAllFrom(dest, first.Flip != 0);
        }
        --JournalPos;
        finishUndo();
        return JournalPos >= 0;
    }
    if (first.Kind != JournalEntry::CardEntry && first.Kind != JournalEntry::GroupEnd) {
        // A group start left open, or an entry of an unknown kind: nothing to take back.
        --JournalPos;
        finishUndo();
        return JournalPos >= 0;
    }

    // Find the entries this step takes back: a whole group, or a run of ungrouped
    // entries of one card. Inside a group only card entries are replayed.
    int position = JournalPos;
    const bool group = first.Kind == JournalEntry::GroupEnd;
    if (group && --position < 0) {
        JournalPos = -1;
        finishUndo();
        return false;
    }
    std::vector<int> steps;
    TCard *card = FindCard(journal[std::size_t(position)].Card);
    while (true) {
        const JournalEntry &entry = journal[std::size_t(position)];
        if (!group && (entry.Kind != JournalEntry::CardEntry || FindCard(entry.Card) != card))
            break;
        card = FindCard(entry.Card);
        if (entry.Kind == JournalEntry::CardEntry)
            steps.push_back(position);
        if (--position < 0)
            break;
        if (journal[std::size_t(position)].Kind == JournalEntry::GroupStart) {
            --position; // the group start is passed over
            break;
        }
    }
    for (int index : steps)
        if (!canReplay(journal[std::size_t(index)])) {
            finishUndo();
            return false;
        }
    for (int index : steps)
        if (!replayCardEntry(journal[std::size_t(index)], true)) {
            finishUndo();
            return false;
        }
    JournalPos = position;
    finishUndo();
    return JournalPos >= 0;
}

bool TBoardState::Redo()
{
    if (engineState().Busy)
        return false;
    if (engineState().Options.HoverHighlight)
        SetHighLightedDeck(nullptr);
    shiftLocationTables();
    LastWasUndo = false;
    LastWasMove = true;
    const int last = int(journal.size()) - 1;
    int position = JournalPos + 1;
    if (position > last) {
        finishRedo();
        return true;
    }

    const JournalEntry first = journal[std::size_t(position)];
    if (first.Kind == JournalEntry::PileTransfer) {
        TDeck *source = FindDeck(first.Source);
        TDeck *dest = FindDeck(first.Destination);
        if (!source || !dest)
            return false;
        {
            ReplayScope scope(*this);
            Recording = false;
            if (rotationCounter >= 0) {
                SetRotation_Counter(rotationCounter + 1);
                if (rotationCounter == Rotation_Number)
                    dest->SetShowEmpty(StockNoRedeal);
            }
            dest->TakeAllFrom(source, first.Flip != 0);
        }
        JournalPos = position;
        finishRedo();
        return true;
    }
    if (first.Kind != JournalEntry::CardEntry && first.Kind != JournalEntry::GroupStart) {
        // A stray group end or an entry of an unknown kind: step over it.
        JournalPos = position;
        finishRedo();
        return true;
    }

    const bool group = first.Kind == JournalEntry::GroupStart;
    if (group && ++position > last) {
        JournalPos = last;
        finishRedo();
        return true;
    }
    std::vector<int> steps;
    int finalPosition = position - 1;
    TCard *card = FindCard(journal[std::size_t(position)].Card);
    if (journal[std::size_t(position)].Kind == JournalEntry::GroupEnd)
        finalPosition = position; // an empty group
    while (true) {
        const JournalEntry &entry = journal[std::size_t(position)];
        const bool takes = group ? entry.Kind != JournalEntry::GroupEnd
                                 : entry.Kind == JournalEntry::CardEntry && FindCard(entry.Card) == card;
        if (!takes)
            break;
        card = FindCard(entry.Card);
        if (entry.Kind == JournalEntry::CardEntry)
            steps.push_back(position);
        if (++position > last) {
            finalPosition = last;
            break;
        }
        if (journal[std::size_t(position)].Kind == JournalEntry::GroupEnd) {
            finalPosition = position;
            break;
        }
        finalPosition = position - 1;
    }
    for (int index : steps)
        if (!canReplay(journal[std::size_t(index)]))
            return false;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!replayCardEntry(journal[std::size_t(steps[i])], false))
            return false;
        if (i + 1 < steps.size() && OnAfterRedo)
            OnAfterRedo(nullptr);
    }
    JournalPos = finalPosition;
    finishRedo();
    return true;
}
