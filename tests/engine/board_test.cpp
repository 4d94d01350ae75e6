#include "tests/engine/support/table_fixture.h"

#include <QTimer>
#include <gtest/gtest.h>

TEST(Table, PropertiesFireTheirEventsOnlyOnChange)
{
    TableFixture table;
    EXPECT_EQ(table.board->Score(), -1000);
    int tips = 0, starts = 0, rotations = 0;
    table.board->OnDeckTipChange = [&](TDeck *) { ++tips; };
    table.board->OnGameStarted = [&](TDeck *) { ++starts; };
    table.board->OnRotationChange = [&](TDeck *) { ++rotations; };

    table.board->SetStatusTip(QStringLiteral("up in suit"));
    table.board->SetStatusTip(QStringLiteral("up in suit"));
    EXPECT_EQ(tips, 1);
    table.board->SetStatusTip(QString(300, QLatin1Char('x')));
    EXPECT_EQ(table.board->StatusTip().size(), 250);
    EXPECT_EQ(tips, 2);

    QDateTime clock(QDate(2026, 12, 9), QTime(10, 0));
    engineState().Now = [&] { return clock; };
    table.board->SetGameStarted(1);
    clock = clock.addSecs(90);
    table.board->SetGameStarted(1);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(table.board->StartTime(), QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    table.board->SetGameStarted(0);
    EXPECT_EQ(table.board->EndTime(), clock);

    table.board->SetRotation_Counter(3);
    table.board->SetRotation_Counter(3);
    EXPECT_EQ(rotations, 2); // every assignment is reported
    engineState() = EngineState{};
}

TEST(Table, PilesAreNumberedAndFoundByNumber)
{
    TableFixture table;
    TDeck *first = table.AddPile(0, 0);
    TDeck *second = table.AddPile(0, 0);
    EXPECT_EQ(first->DeckID(), 1);
    EXPECT_EQ(second->DeckID(), 2);
    EXPECT_EQ(table.board->FindDeck(2), second);
    EXPECT_EQ(table.board->FindDeck(3), nullptr);
    EXPECT_EQ(table.board->FindCard(52), table.pack.back());
    EXPECT_EQ(table.board->FindCard(0), nullptr);
}

TEST(Table, A256thPileIsRefusedSinceTheJournalKeepsOneByte)
{
    TableFixture table;
    for (int i = 0; i < 255; ++i)
        table.AddPile(0, 0);
    TDeck *extra = table.board->NewDeck();
    EXPECT_THROW(extra->SetHostBoard(table.board.get()), std::length_error);
    EXPECT_EQ(extra->HostBoard(), nullptr);
}

TEST(Table, CardIdsOutsideTheTableNeverReachTheLocationRows)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0);
    TCard *odd = table.board->NewCard();
    odd->CardID = 500;
    pile->AddCard(odd);
    EXPECT_EQ(table.board->Locations.At(500), nullptr);
    EXPECT_EQ(table.board->Locations.At(0), nullptr);
    EXPECT_NE(table.board->Locations.At(208), nullptr);
    EXPECT_EQ(pile->TopCard(), odd);
    pile->RemoveCard(odd);
    EXPECT_EQ(pile->CardsCount(), 0);
}

TEST(Table, FreeingThePilesLeavesTheCardsLoose)
{
    TableFixture table;
    TDeck *pile = table.AddPile(0, 0);
    table.Fill(pile, 3, true);
    table.board->SelectedDeck = pile;
    table.board->FreeDecks();
    EXPECT_EQ(table.board->SelectedDeck, nullptr);
    EXPECT_EQ(table.Card(1)->HostDeck(), nullptr);
    EXPECT_EQ(table.Card(1)->Below, nullptr);
    EXPECT_EQ(table.board->Locations.At(1)->DeckID, -1);
}

TEST(CandidateList, ResetForgetsTheCurrentEntryAndTheListIsBounded)
{
    CandidateList list;
    int added = 0;
    while (list.Add(nullptr, nullptr))
        ++added;
    EXPECT_EQ(added, 499);
    list.Current = 17;
    list.Reset();
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.Current, 0);
}

TEST(CanPlayToFoundation, AsksTheSourceAndTheFoundations)
{
    TableFixture table;
    TDeck *column = table.AddPile(0, 0, 20);
    TDeck *foundation = table.AddPile(100, 0, 0, FoundationPile);
    table.Fill(column, 1, true); // the Ace of Clubs
    EXPECT_FALSE(table.board->CanPlayToFoundation(column->TopCard())); // no handler on the foundation
    foundation->OnAddWithRule = TBoard::RefuseAdd;
    foundation->SetCardVal(1);
    EXPECT_TRUE(table.board->CanPlayToFoundation(column->TopCard())); // an empty foundation takes its rank
    foundation->SetCardVal(2);
    EXPECT_FALSE(table.board->CanPlayToFoundation(column->TopCard()));
    foundation->OnAddWithRule = [](TDeck *, TCard *&, bool &action, bool) { action = true; };
    EXPECT_TRUE(table.board->CanPlayToFoundation(column->TopCard()));
    column->OnSelect = TBoard::RefuseSelect;
    EXPECT_TRUE(column->SelectIsRefused());
    EXPECT_FALSE(table.board->CanPlayToFoundation(column->TopCard()));
    column->OnSelect = [](TDeck *, TCard *&, bool &action, bool, bool &clickable, bool &) {
        action = true;
        clickable = false;
    };
    EXPECT_FALSE(column->SelectIsRefused());
    EXPECT_FALSE(table.board->CanPlayToFoundation(column->TopCard()));
}

TEST(StatusTip, TextsFollowThePileAndItsRole)
{
    TableFixture table;
    table.board->TipsInStatus = true;
    QString counted;
    table.board->OnCardCountText = [&](const QString &text) { counted = text; };

    TDeck *column = table.AddPile(0, 0, 20);
    column->TipString = QStringLiteral("Build %s. Move groups %s.");
    column->Rule = nullptr;
    table.Fill(column, 12, true);
    column->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("Build . Move groups ."));
    EXPECT_EQ(counted, QStringLiteral("   Cards in deck:  12"));

    TDeck *foundation = table.AddPile(100, 0, 0, FoundationPile);
    foundation->EmptyDeckTipString = QStringLiteral("Fill the empty Tableau pile by %s or group of cards headed by %s");
    foundation->EmptyTipNamesGroupHead = true;
    foundation->SetCardVal(14);
    foundation->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("Fill the empty Tableau pile by any single card or group of cards headed by "));
    foundation->SetCardVal(13);
    foundation->EmptyDeckTipString = QStringLiteral("Build from %s (%s)");
    foundation->EmptyTipNamesGroupHead = false;
    foundation->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("Build from a King (a King)"));
    foundation->MaxCardCount = 1;
    foundation->MoveCard(column->TopCard());
    foundation->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("No building"));

    TDeck *stock = table.AddPile(200, 0, 0, StockNoRedeal);
    stock->EmptyDeckTipString = QStringLiteral("Click on the empty Stock to redeal");
    stock->EmptyTipOffersRedeal = true;
    stock->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("No redeal"));
    stock->SetShowEmpty(StockRedeal);
    stock->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("Click on the empty Stock to redeal"));
    stock->FillEmpty = 7;
    stock->EmptyDeckTipString = QStringLiteral("Fill with %s");
    stock->EmptyTipOffersRedeal = false;
    stock->ShowTip();
    EXPECT_EQ(table.board->StatusTip(), QStringLiteral("Fill with 7"));
}

TEST(AutoTimer, SuspendedAroundWorkAndResumedOnlyWithAHandler)
{
    TableFixture table;
    QTimer *timer = table.board->AutoTimer();
    EXPECT_EQ(timer->interval(), 80);
    EXPECT_FALSE(timer->isActive());
    table.board->SuspendAutoTimer();
    table.board->ResumeAutoTimer();
    EXPECT_FALSE(timer->isActive()); // no handler: stays off
    int cycles = 0;
    table.board->SetAutoTimerHandler([&] { ++cycles; });
    timer->start();
    table.board->SuspendAutoTimer();
    table.board->SuspendAutoTimer();
    EXPECT_FALSE(timer->isActive());
    table.board->ResumeAutoTimer();
    EXPECT_FALSE(timer->isActive());
    table.board->ResumeAutoTimer();
    EXPECT_TRUE(timer->isActive());
}
