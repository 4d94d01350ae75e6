#include "tests/engine/support/table_fixture.h"

#include <gtest/gtest.h>

TEST(MoveCard, MovesTheCardWithEveryCardOnItBottomFirst)
{
    TableFixture table;
    TDeck *from = table.AddPile(0, 0, 20);
    TDeck *to = table.AddPile(100, 0, 20);
    table.Fill(from, 6, true);
    TCard *middle = from->GetCard(3);
    TCard *onTop = from->TopCard();
    EXPECT_TRUE(to->MoveCard(middle));
    EXPECT_EQ(from->CardsCount(), 3);
    EXPECT_EQ(to->CardsCount(), 3);
    EXPECT_EQ(to->GetCard(3), middle);
    EXPECT_EQ(to->TopCard(), onTop);
    EXPECT_EQ(to->TopCard()->Top(), to->Top() + 40);
    EXPECT_TRUE(table.LocationsAgree());
    EXPECT_EQ(table.board->MoveCount, 1);
}

TEST(MoveCard, RefusesWithoutACardWhileBusyAndOnAFullPile)
{
    TableFixture table;
    TDeck *from = table.AddPile(0, 0, 20);
    TDeck *to = table.AddPile(100, 0);
    table.Fill(from, 3, true);

    EXPECT_FALSE(to->MoveCard(nullptr));

    engineState().Busy = true;
    EXPECT_FALSE(to->MoveCard(from->TopCard()));
    engineState().Busy = false;
    EXPECT_EQ(to->CardsCount(), 0);
    EXPECT_EQ(table.board->JournalPos, -1);

    to->MaxCardCount = 1;
    EXPECT_TRUE(to->MoveCard(from->TopCard()));
    EXPECT_FALSE(to->MoveCard(from->TopCard()));
    EXPECT_EQ(table.board->SelectedDeck, from);
    EXPECT_TRUE(from->TopCard()->Selected());
    EXPECT_EQ(to->CardsCount(), 1);

    // Capacity 0 on an empty pile is no limit for the move itself.
    TDeck *zero = table.AddPile(200, 0);
    zero->MaxCardCount = 0;
    EXPECT_TRUE(zero->MoveCard(from->TopCard()));
    EXPECT_FALSE(engineState().Busy);
}

TEST(MoveCard, AfterMoveHandlerJoinsTheMoveInOneGroup)
{
    TableFixture table;
    TDeck *from = table.AddPile(0, 0, 20);
    TDeck *to = table.AddPile(100, 0, 20);
    table.Fill(from, 2, false);
    from->TopCard()->SetFace(true);
    table.board->ClearJournal();
    int calls = 0;
    to->OnAfterMove = [&](TDeck *source, TDeck *dest, TCard *card) {
        ++calls;
        EXPECT_EQ(source, from);
        EXPECT_EQ(dest, to);
        EXPECT_EQ(card, to->TopCard());
        source->TopCard()->SetFace(true);
    };
    EXPECT_TRUE(to->MoveCard(from->TopCard()));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(table.board->InGroup);
    ASSERT_EQ(table.board->Journal().size(), 4u); // start, move, turn, end
    EXPECT_EQ(table.board->Journal()[0].Kind, JournalEntry::GroupStart);
    EXPECT_EQ(table.board->Journal()[3].Kind, JournalEntry::GroupEnd);
    EXPECT_EQ(table.board->MoveCount, 1);

    EXPECT_FALSE(table.board->Undo());
    EXPECT_EQ(from->CardsCount(), 2);
    EXPECT_FALSE(from->GetCard(2)->Face());
    EXPECT_TRUE(from->TopCard()->Face());
    EXPECT_EQ(calls, 1); // replay does not run the handler again
    EXPECT_TRUE(table.LocationsAgree());
}

TEST(DealCard, TakesTheNthCardAndTurnsItOnlyWhenNeeded)
{
    TableFixture table;
    TDeck *stock = table.AddPile(0, 0);
    TDeck *column = table.AddPile(100, 0, 20);
    table.Fill(stock, 5, true);
    int afterMoves = 0;
    column->OnAfterMove = [&](TDeck *, TDeck *, TCard *) { ++afterMoves; };
    table.board->ClearJournal();

    TCard *third = stock->GetCard(3);
    column->DealCard(stock, 3, true);
    EXPECT_EQ(column->TopCard(), third);
    EXPECT_EQ(table.board->JournalPos, -1); // no turn, and dealing journals no move
    column->DealCard(stock, 1, false);
    EXPECT_FALSE(column->TopCard()->Face());
    EXPECT_EQ(table.board->Journal().size(), 1u);
    EXPECT_EQ(afterMoves, 2);

    column->DealCard(stock, 4, true); // only 3 left
    column->DealCard(nullptr, 1, true);
    EXPECT_EQ(column->CardsCount(), 2);
    EXPECT_TRUE(table.LocationsAgree());
}

TEST(TakeAllFrom, ReversesTheOrderAndTurnsEveryCard)
{
    TableFixture table;
    TDeck *waste = table.AddPile(100, 0);
    TDeck *stock = table.AddPile(0, 0);
    table.Fill(waste, 4, true);
    TCard *bottom = waste->GetCard(4);
    stock->TakeAllFrom(waste, true);
    EXPECT_EQ(waste->CardsCount(), 0);
    EXPECT_EQ(stock->TopCard(), bottom);
    for (TCard *card = stock->TopCard(); card; card = card->Below)
        EXPECT_FALSE(card->Face());
    ASSERT_EQ(table.board->Journal().size(), 1u); // the turns are part of the transfer
    EXPECT_EQ(table.board->Journal()[0].Kind, JournalEntry::PileTransfer);
    EXPECT_TRUE(table.LocationsAgree());
}

TEST(FoundationScore, EachCardOnAFoundationCountsFivePoints)
{
    TableFixture table;
    TDeck *column = table.AddPile(0, 0, 20);
    TDeck *foundation = table.AddPile(100, 0, 0, FoundationPile);
    TDeck *plain = table.AddPile(200, 0);
    table.Fill(column, 4, true);
    table.board->SetScore(-52);
    int scoreEvents = 0;
    table.board->OnScoreChange = [&](TDeck *sender) {
        EXPECT_EQ(sender, nullptr);
        ++scoreEvents;
    };
    foundation->MoveCard(column->TopCard());
    foundation->MoveCard(column->TopCard());
    EXPECT_EQ(table.board->Score(), -42);
    EXPECT_EQ(scoreEvents, 2);
    plain->MoveCard(foundation->TopCard());
    EXPECT_EQ(table.board->Score(), -47);
    table.board->Undo(); // the card's two moves go back together, to the column
    EXPECT_EQ(column->CardsCount(), 3);
    EXPECT_EQ(table.board->Score(), -47);
    table.board->Redo();
    EXPECT_EQ(plain->CardsCount(), 1);
    EXPECT_EQ(table.board->Score(), -47);
    foundation->AutoScore = false;
    foundation->MoveCard(column->TopCard());
    EXPECT_EQ(table.board->Score(), -47);
}

TEST(SimulateMove, PredictsTheLocationsOfTheRealMove)
{
    TableFixture table;
    TDeck *from = table.AddPile(0, 0, 20);
    TDeck *to = table.AddPile(100, 0, 20);
    table.Fill(from, 6, true);
    table.Fill(to, 2, false);
    struct Case {
        int depth;
    } cases[] = {{1}, {3}, {6}};
    for (const Case &c : cases) {
        TCard *card = from->GetCard(c.depth);
        if (!card)
            continue;
        to->SimulateMove(card);
        const CardLocationTable predicted = table.board->TrialLocations;
        to->MoveCard(card);
        EXPECT_TRUE(predicted == table.board->Locations) << "depth " << c.depth;
        table.board->Undo();
    }
    // A card in no pile only lands.
    TCard *loose = table.Card(52);
    to->SimulateMove(loose);
    EXPECT_EQ(*table.board->TrialLocations.At(52), (CardLocation{to->DeckID(), 1, 0}));
}
