#include "tests/engine/support/table_fixture.h"

#include <gtest/gtest.h>
#include <random>

TEST(JournalEntry, TwentyEightBytesWithEveryFieldAtItsOffset)
{
    JournalEntry entry;
    entry.Animated = 1;
    entry.SourceLeft = -2;
    entry.Kind = JournalEntry::PileTransfer;
    entry.Source = 7;
    entry.Destination = 255;
    entry.RedealStep = 1;
    entry.Flip = 1;
    entry.Card = 208;
    const auto bytes = entry.Encode();
    const std::array<std::uint8_t, 28> expected = {1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 3, 7,
                                                   255, 1, 1, 208, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(JournalEntry::Decode(bytes.data()), entry);
}

struct JournalTable : TableFixture {
    JournalTable()
    {
        a = AddPile(0, 0, 20);
        b = AddPile(100, 0, 20);
        c = AddPile(200, 0, 20);
        Fill(a, 5, true);
        board->ClearJournal();
        board->MoveCount = 0;
    }
    TDeck *a, *b, *c;
};

TEST(Journal, NewMoveAfterUndoDropsTheRedoTail)
{
    JournalTable t;
    t.b->MoveCard(t.a->TopCard());
    t.c->MoveCard(t.a->TopCard());
    EXPECT_TRUE(t.board->Undo());
    EXPECT_TRUE(t.board->LastWasUndo);
    EXPECT_FALSE(t.board->LastWasMove);
    t.c->MoveCard(t.b->TopCard());
    EXPECT_EQ(t.board->Journal().size(), 2u);
    const auto before = t.board->Locations;
    EXPECT_TRUE(t.board->Redo());
    EXPECT_TRUE(before == t.board->Locations);
    EXPECT_EQ(t.board->MoveCount, 3); // undo never lowers the count
}

TEST(Journal, OneUndoTakesBackARunOfEntriesOfOneCard)
{
    JournalTable t;
    t.b->MoveCard(t.a->TopCard());
    TCard *top = t.a->TopCard();
    top->SetFace(false);
    top->SetFace(true);
    top->SetFace(false);
    EXPECT_TRUE(t.board->Undo()); // the three turns of one card go together
    EXPECT_TRUE(top->Face());
    EXPECT_EQ(t.board->JournalPos, 0);
    EXPECT_FALSE(t.board->Undo()); // then the other card's move
    EXPECT_EQ(t.b->CardsCount(), 0);
    EXPECT_EQ(t.board->JournalPos, -1);
    EXPECT_FALSE(t.board->Undo()); // nothing left

    EXPECT_TRUE(t.board->Redo());
    EXPECT_EQ(t.b->CardsCount(), 1);
    EXPECT_EQ(t.board->JournalPos, 0);
    EXPECT_TRUE(t.board->Redo());
    EXPECT_FALSE(top->Face());
    EXPECT_EQ(t.board->JournalPos, 3);
    EXPECT_TRUE(t.board->Redo()); // past the end: nothing happens
    EXPECT_EQ(t.board->JournalPos, 3);
    EXPECT_TRUE(t.LocationsAgree());
}

TEST(Journal, GroupsCountOnceAndUndoAsOne)
{
    JournalTable t;
    int madeMoves = 0;
    t.board->OnMadeMove = [&](TDeck *) { ++madeMoves; };
    t.board->BeginMoveGroup();
    t.board->BeginMoveGroup(); // absorbed by the open group
    t.b->MoveCard(t.a->TopCard());
    t.c->MoveCard(t.a->TopCard());
    t.a->TopCard()->SetFace(false);
    t.board->EndMoveGroup();
    t.board->EndMoveGroup(); // no group open: nothing
    EXPECT_EQ(t.board->Journal().size(), 5u);
    EXPECT_EQ(t.board->MoveCount, 1);
    EXPECT_EQ(madeMoves, 3);

    EXPECT_FALSE(t.board->Undo());
    EXPECT_EQ(t.a->CardsCount(), 5);
    EXPECT_TRUE(t.a->TopCard()->Face());
    EXPECT_TRUE(t.board->Redo());
    EXPECT_EQ(t.board->JournalPos, 4); // stays on the group end
    EXPECT_EQ(t.b->CardsCount(), 1);
    EXPECT_EQ(t.c->CardsCount(), 1);
    EXPECT_FALSE(t.a->TopCard()->Face());
    EXPECT_TRUE(t.LocationsAgree());
}

TEST(Journal, MovesShiftTheLocationTablesAndUndoClearsThePreviousOne)
{
    JournalTable t;
    const auto start = t.board->Locations;
    t.b->MoveCard(t.a->TopCard());
    EXPECT_TRUE(t.board->PrevLocations == start);
    const auto afterFirst = t.board->Locations;
    t.b->MoveCard(t.a->TopCard());
    EXPECT_TRUE(t.board->PrevLocations == afterFirst);
    EXPECT_TRUE(t.board->PrevPrevLocations == start);
    t.board->Undo();
    EXPECT_TRUE(t.board->PrevPrevLocations == afterFirst);
    EXPECT_EQ(t.board->PrevLocations.At(1)->DeckID, -1);
    EXPECT_TRUE(t.board->Locations == afterFirst);
}

TEST(Journal, PileTransfersCountRedealsAndSetTheStockMark)
{
    JournalTable t;
    TDeck *stock = t.c;
    TDeck *waste = t.a;
    t.board->SetRotation_Counter(0);
    t.board->Rotation_Number = 1;
    stock->SetShowEmpty(StockRedeal);
    stock->TakeAllFrom(waste, true);
    t.board->SetRotation_Counter(1);
    stock->SetShowEmpty(StockNoRedeal);
    EXPECT_EQ(t.board->MoveCount, 1);

    EXPECT_FALSE(t.board->Undo());
    EXPECT_EQ(t.board->Rotation_Counter(), 0);
    EXPECT_EQ(stock->ShowEmpty(), StockRedeal);
    EXPECT_EQ(waste->CardsCount(), 5);
    EXPECT_TRUE(waste->TopCard()->Face());
    EXPECT_TRUE(t.LocationsAgree());

    EXPECT_TRUE(t.board->Redo());
    EXPECT_EQ(t.board->Rotation_Counter(), 1);
    EXPECT_EQ(stock->ShowEmpty(), StockNoRedeal);
    EXPECT_EQ(stock->CardsCount(), 5);

    // A game that does not count redeals keeps its counter through undo and redo.
    t.board->SetRotation_Counter(-1);
    t.board->Undo();
    EXPECT_EQ(t.board->Rotation_Counter(), -1);
}

TEST(Journal, RedealStepsInsideAGroupMoveTheCounter)
{
    // A saved game's group that counts one redeal beside its move.
    JournalTable t;
    t.board->SetRotation_Counter(2);
    JournalEntry start, step, move, end;
    start.Kind = JournalEntry::GroupStart;
    step.RedealStep = 1;
    move.Source = uint8_t(t.a->DeckID());
    move.Destination = uint8_t(t.b->DeckID());
    move.Card = uint8_t(t.a->TopCard()->CardID);
    end.Kind = JournalEntry::GroupEnd;
    t.board->SetJournal({start, step, move, end}, -1);
    t.board->Redo();
    EXPECT_EQ(t.board->Rotation_Counter(), 3);
    EXPECT_EQ(t.b->CardsCount(), 1);
    t.board->Undo();
    EXPECT_EQ(t.board->Rotation_Counter(), 2);
    EXPECT_EQ(t.b->CardsCount(), 0);
}

TEST(Journal, AMissingPileOrCardStopsTheStepUntouched)
{
    JournalTable t;
    t.board->BeginMoveGroup();
    t.b->MoveCard(t.a->TopCard());
    t.c->MoveCard(t.a->TopCard());
    t.board->EndMoveGroup();
    // A journal that names a pile this table does not have (a damaged saved game).
    std::vector<JournalEntry> entries = t.board->Journal();
    entries[2].Destination = 77;
    t.board->SetJournal(entries, 3);
    const auto before = t.board->Locations;
    t.board->Recording = true;
    EXPECT_FALSE(t.board->Undo());
    EXPECT_EQ(t.board->JournalPos, 3);
    EXPECT_TRUE(t.board->Recording);
    EXPECT_TRUE(t.board->Animate);
    EXPECT_TRUE(before == t.board->Locations);

    entries[2].Destination = uint8_t(t.c->DeckID());
    entries[1].Card = 99; // no such card
    t.board->SetJournal(entries, -1);
    EXPECT_FALSE(t.board->Redo());
    EXPECT_EQ(t.board->JournalPos, -1);
}

TEST(Journal, EntriesThatCannotStandInAGroupAreSkipped)
{
    JournalTable t;
    JournalEntry start, move, transfer, unknown, end;
    start.Kind = JournalEntry::GroupStart;
    move.Source = uint8_t(t.a->DeckID());
    move.Destination = uint8_t(t.b->DeckID());
    move.Card = uint8_t(t.a->TopCard()->CardID);
    transfer.Kind = JournalEntry::PileTransfer;
    transfer.Source = uint8_t(t.a->DeckID());
    transfer.Destination = uint8_t(t.c->DeckID());
    unknown.Kind = 9;
    end.Kind = JournalEntry::GroupEnd;
    t.board->SetJournal({start, transfer, start, move, unknown, end, unknown}, -1);
    EXPECT_TRUE(t.board->Redo());
    EXPECT_EQ(t.b->CardsCount(), 1);
    EXPECT_EQ(t.c->CardsCount(), 0);
    EXPECT_EQ(t.board->JournalPos, 5);
    EXPECT_TRUE(t.board->Redo()); // the stray entry after the group is stepped over
    EXPECT_EQ(t.board->JournalPos, 6);
    EXPECT_TRUE(t.board->Undo());
    EXPECT_EQ(t.board->JournalPos, 5);
    EXPECT_TRUE(t.board->Undo()); // back to the inner start, which looks like the group's own
    EXPECT_EQ(t.a->CardsCount(), 5);
    EXPECT_EQ(t.board->JournalPos, 1);
    EXPECT_TRUE(t.board->Undo()); // the transfer outside any group is taken back on its own
    EXPECT_EQ(t.board->JournalPos, 0);
    EXPECT_FALSE(t.board->Undo()); // the open group start at the bottom
    EXPECT_EQ(t.board->JournalPos, -1);
    EXPECT_EQ(t.a->CardsCount(), 5);
    EXPECT_TRUE(t.LocationsAgree());
}

TEST(Journal, RandomPlayUndoAndRedoKeepEveryCardInOnePlace)
{
    JournalTable t;
    t.Fill(t.b, 10, false);
    std::mt19937 random(12345);
    TDeck *piles[] = {t.a, t.b, t.c};
    for (int step = 0; step < 400; ++step) {
        const int action = int(random() % 5);
        if (action < 3) {
            TDeck *from = piles[random() % 3];
            TDeck *to = piles[random() % 3];
            if (from == to || from->CardsCount() == 0)
                continue;
            const int depth = 1 + int(random() % unsigned(from->CardsCount()));
            const bool group = random() % 2;
            if (group)
                t.board->BeginMoveGroup();
            to->MoveCard(from->GetCard(depth));
            if (from->TopCard() && random() % 2)
                from->TopCard()->SetFace(!from->TopCard()->Face());
            if (group)
                t.board->EndMoveGroup();
        } else if (action == 3) {
            t.board->Undo();
        } else {
            t.board->Redo();
        }
        ASSERT_TRUE(t.LocationsAgree()) << "after step " << step;
    }
    while (t.board->Undo()) {
    }
    EXPECT_EQ(t.a->CardsCount(), 5);
    EXPECT_EQ(t.b->CardsCount(), 10);
    EXPECT_TRUE(t.LocationsAgree());
}

TEST(Snapshot, ClearingEmptiesBothLists)
{
    JournalTable t;
    t.b->MoveCard(t.a->TopCard());
    t.board->SnapshotJournal = t.board->Journal();
    t.board->SnapshotPos = t.board->JournalPos;
    t.board->ClearJournal();
    EXPECT_TRUE(t.board->Journal().empty());
    EXPECT_TRUE(t.board->SnapshotJournal.empty());
    EXPECT_EQ(t.board->JournalPos, -1);
    EXPECT_EQ(t.board->SnapshotPos, -1);
}
