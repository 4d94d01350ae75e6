#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "tests/games/support/table_checks.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/klondike.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"
#include "games/new_game.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>

namespace {

// The Klondike draw order, stated independently of the game code: the pack lies bottom card
// first in card-array order; every draw takes the n-th card from the top, n = Random(count) + 1.
struct IndependentDeal {
    std::vector<std::string> columns[7];
    std::vector<std::string> stock;

    explicit IndependentDeal(quint32 seed)
    {
        const auto random = [&seed](quint32 n) {
            seed = seed * 134775813u + 1u;
            return quint32((quint64(seed) * n) >> 32);
        };
        std::vector<std::string> pack;
        for (int index = 0; index < 52; ++index)
            pack.push_back(std::string{"a23456789tjqk"[index % 13], "cdhs"[index / 13]});
        const auto draw = [&]() {
            const quint32 n = random(quint32(pack.size())) + 1;
            if (pack.empty())
                return std::string();
            const std::size_t at = pack.size() - n;
            const std::string card = pack[at];
            pack.erase(pack.begin() + std::ptrdiff_t(at));
            return card;
        };
        for (int row = 0; row < 7; ++row)
            for (int column = row; column < 7; ++column)
                columns[column].push_back(draw());
        for (int i = 0; i < 31; ++i)
            if (std::string card = draw(); !card.empty())
                stock.push_back(card);
        for (auto &column : columns)
            for (char &c : column.back())
                c = char(std::toupper(c));
    }
    static std::string join(const std::vector<std::string> &cards)
    {
        std::string text;
        for (const std::string &card : cards)
            text += (text.empty() ? "" : " ") + card;
        return text;
    }
};

class Klondike : public ::testing::Test, public TableFixture {
protected:
    Klondike()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
    void deal(quint32 number, int gameId = GameIds::Klondike) { DealForPrinting(table, gameId, number); }
    ::testing::AssertionResult locationsAgree() const { return LocationsAgree(table); }
    std::string column(int i) { return Text(table.Tableau[i]); }
    void click(TDeck *pile) { pile->Click(); }
    // Plays the pile's top card (or the card given) onto the target as the player clicks it.
    void play(TDeck *from, TDeck *to)
    {
        from->Click();
        to->Click();
    }
};

TEST_F(Klondike, DealsInTheFixedDrawOrder)
{
    for (quint32 number : {0u, 1u, 108u, 4294967295u, 123456789u}) {
        SCOPED_TRACE(number);
        table.ForgetPiles();
        board.FreeDecks();
        deal(number);
        const IndependentDeal expected(number);
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(column(i), IndependentDeal::join(expected.columns[i - 1])) << "column " << i;
        EXPECT_EQ(Text(table.Stock), IndependentDeal::join(expected.stock));
        EXPECT_EQ(table.Waste->CardsCount(), 0);
        EXPECT_EQ(table.WasteFan->CardsCount(), 0);
        EXPECT_EQ(board.Score(), -52);
        EXPECT_TRUE(locationsAgree());
    }
}

// What an empty column takes is the rules' emptyTakes: a Klondike dealt with another value
// takes what that value says, by the same acceptance every route asks.
TEST_F(Klondike, EmptyColumnTakesWhatTheRulesSay)
{
    const struct {
        EmptyTableau emptyTakes;
        const char *card;
        bool taken;
        const char *tip;
    } cases[] = {
        {EmptyTableau::KingOnly, "KS", true, "Fill the empty Tableau pile by a King or group of cards headed by a King"},
        {EmptyTableau::KingOnly, "QH", false, "Fill the empty Tableau pile by a King or group of cards headed by a King"},
        {EmptyTableau::AnyCard, "QH", true, "Play any card or group of cards on the empty Tableau"},
        {EmptyTableau::AnyCard, "2C", true, "Play any card or group of cards on the empty Tableau"},
        {EmptyTableau::Nothing, "KS", false, "No building"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.card);
        GameRules rules = KlondikeGame.rules;
        rules.tableau.emptyTakes = c.emptyTakes;
        DealGame(table, KlondikeGame, rules, 5);
        // Column 1 holds one card; it goes back to the stock, and the card asked about to the waste.
        TDeck *column = table.Tableau[1];
        TCard *dealt = column->TopCard();
        column->RemoveCard(dealt);
        table.Stock->AddCard(dealt);
        TCard *card = FindCard(table, c.card);
        ASSERT_NE(card, nullptr);
        card->HostDeck()->RemoveCard(card);
        card->SetFace(true);
        table.Waste->AddCard(card);

        EXPECT_EQ(column->TipText(), c.tip);
        bool action = !c.taken;
        column->OnAddWithRule(column, card, action, false);
        EXPECT_EQ(action, c.taken);
    }
}

TEST_F(Klondike, PrintoutNamesEveryPileBySlot)
{
    deal(7);
    const QStringList lines = DealPrintout(table, 108, 7).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[0], QStringLiteral("game 108 number 7"));
    EXPECT_EQ(lines[1], QStringLiteral("1 Waste:"));
    EXPECT_EQ(lines[2], QStringLiteral("2 WasteFan:"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("3 Stock: ")));
    EXPECT_EQ(lines[4], QStringLiteral("4 Foundation1:"));
    EXPECT_EQ(lines[7], QStringLiteral("7 Foundation4:"));
    const IndependentDeal expected(7);
    EXPECT_EQ(lines[8].toStdString(), "8 Tableau1: " + IndependentDeal::join(expected.columns[0]));
    EXPECT_EQ(lines[14].toStdString(), "14 Tableau7: " + IndependentDeal::join(expected.columns[6]));
    EXPECT_EQ(lines[15], QStringLiteral("score -52"));
}

TEST_F(Klondike, ThreeCardStockFansThreeAndRedealsTwice)
{
    deal(11);
    ASSERT_EQ(board.Rotation_Number, 3);
    ASSERT_EQ(board.Rotation_Counter(), 1);
    TDeck *stock = table.Stock;
    click(stock);
    EXPECT_EQ(table.WasteFan->CardsCount(), 3);
    EXPECT_EQ(table.Waste->CardsCount(), 0);
    // The waste's top card cannot be taken while the fan shows cards.
    click(stock);
    EXPECT_EQ(table.WasteFan->CardsCount(), 3);
    EXPECT_EQ(table.Waste->CardsCount(), 3);
    bool action = true, clickable = false, onClick = false;
    TCard *top = table.Waste->TopCard();
    table.Waste->OnSelect(table.Waste, top, action, false, clickable, onClick);
    EXPECT_FALSE(action);

    for (int pass = 1; pass <= 3; ++pass) {
        while (stock->CardsCount() > 0)
            click(stock);
        EXPECT_EQ(table.Waste->CardsCount() + table.WasteFan->CardsCount(), 24);
        click(stock); // redeal
    }
    // Two redeals were allowed; the third click on the empty stock does nothing.
    EXPECT_EQ(stock->CardsCount(), 0);
    EXPECT_EQ(stock->ShowEmpty(), StockNoRedeal);
    EXPECT_EQ(board.Rotation_Counter(), 3);
    EXPECT_EQ(RedealsText(board), QStringLiteral("Redeals: 0"));
}

TEST_F(Klondike, OneCardRedealCountsOnlyANonNegativeCounter)
{
    FakeCustomGames customs;
    GameRulesRecord rules = DefaultRulesRecord(GameIds::Klondike);
    rules.StockDeal = 1;
    rules.Redeals = -2;
    const int unlimited = customs.Add(rules, GameIds::Klondike);
    rules.Redeals = 1;
    const int oneRedeal = customs.Add(rules, GameIds::Klondike);
    table.Customs = &customs;

    deal(3, unlimited);
    EXPECT_EQ(table.WasteFan, nullptr);
    for (int pass = 0; pass < 4; ++pass) {
        while (table.Stock->CardsCount() > 0)
            click(table.Stock);
        click(table.Stock);
        EXPECT_EQ(table.Stock->CardsCount(), 24);
    }
    EXPECT_EQ(board.Rotation_Counter(), -2);
    EXPECT_EQ(table.Stock->ShowEmpty(), StockRedeal);
    EXPECT_EQ(RedealsText(board), QStringLiteral("Redeals: Unlimited"));

    table.ForgetPiles();
    board.FreeDecks();
    deal(3, oneRedeal);
    const std::string stockBefore = Text(table.Stock);
    while (table.Stock->CardsCount() > 0)
        click(table.Stock);
    EXPECT_EQ(RedealsText(board), QStringLiteral("Redeals: 1"));
    click(table.Stock);
    EXPECT_EQ(Text(table.Stock), stockBefore);
    EXPECT_EQ(table.Stock->ShowEmpty(), StockNoRedeal);
    while (table.Stock->CardsCount() > 0)
        click(table.Stock);
    click(table.Stock);
    EXPECT_EQ(table.Stock->CardsCount(), 0);
}

TEST_F(Klondike, UndoingEverythingRestoresTheDeal)
{
    deal(2024);
    const std::string before = DealPrintout(table, 108, 2024).toStdString();
    const CardLocationTable locations = board.Locations;
    board.ClearJournal();
    std::mt19937 random(5);
    int moves = 0;
    for (int step = 0; step < 300; ++step) {
        board.ResetHintList();
        TCard *card = nullptr;
        TDeck *target = nullptr;
        if (board.FindMove(card, target, false) && random() % 3 != 0) {
            const int pick = int(random() % unsigned(board.Candidates.Count)) + 1;
            card = board.Candidates.Entries[std::size_t(pick)].Card;
            target = board.Candidates.Entries[std::size_t(pick)].Deck;
            target->MoveCard(card);
        } else {
            click(table.Stock);
        }
        AutoMoveBaseCards(table.Foundations, 4, table.Tableau, true, 1, table.Waste, 7);
        ++moves;
    }
    ASSERT_GT(board.JournalPos, 0);
    ASSERT_TRUE(locationsAgree());
    while (board.Undo()) {
    }
    EXPECT_EQ(DealPrintout(table, 108, 2024).toStdString(), before);
    EXPECT_TRUE(board.Locations == locations);
    EXPECT_EQ(board.Rotation_Counter(), 1);
    EXPECT_EQ(table.Stock->ShowEmpty(), StockRedeal);
    // And everything comes back on Redo.
    while (board.JournalPos < int(board.Journal().size()) - 1)
        ASSERT_TRUE(board.Redo());
    EXPECT_TRUE(locationsAgree());
    while (board.Undo()) {
    }
    EXPECT_EQ(DealPrintout(table, 108, 2024).toStdString(), before);
}

TEST_F(Klondike, FanFollowsTheWasteThroughUndoAndRedo)
{
    deal(9);
    board.ClearJournal();
    click(table.Stock);
    click(table.Stock);
    click(table.Stock);
    const QPoint fanAt = table.WasteFan->BoundsRect().topLeft();
    ASSERT_EQ(fanAt, table.Waste->TopCard()->BoundsRect().topLeft());
    board.Undo();
    EXPECT_EQ(table.WasteFan->BoundsRect().topLeft(), table.Waste->TopCard()->BoundsRect().topLeft());
    EXPECT_EQ(table.WasteFan->CardsCount(), 3);
    EXPECT_EQ(table.Waste->CardsCount(), 3);
    board.Undo();
    EXPECT_EQ(table.WasteFan->BoundsRect().topLeft(), table.Waste->BoundsRect().topLeft());
    board.Redo();
    board.Redo();
    EXPECT_EQ(table.WasteFan->BoundsRect().topLeft(), fanAt);
    EXPECT_EQ(table.WasteFan->CardsCount(), 3);
    EXPECT_TRUE(locationsAgree());
}

// --- automatic moves ---

class AutoMoves : public Klondike {
protected:
    void rows(const std::vector<std::string> &foundations, const std::vector<std::string> &columns)
    {
        table.CurrentGameId = GameIds::Klondike;
        table.Handlers.SendToFoundation = [this](TDeck *pile) { SendToFoundation(table, pile); };
        BuildRows(table, KlondikeGame.rules, {.row = {.left = 230, .top = 5, .step = 76, .count = 4}},
                  table.Foundations,
                  {.row = {.left = 10, .top = 125, .step = 90, .count = int(columns.size())}, .spread = {.vShift = 17}},
                  table.Tableau);
        for (std::size_t i = 0; i < foundations.size(); ++i)
            Put(table.Foundations[int(i) + 1], foundations[i]);
        for (std::size_t i = 0; i < columns.size(); ++i)
            Put(table.Tableau[int(i) + 1], columns[i]);
    }
    bool autoMove(bool careful)
    {
        return AutoMoveToFoundations(table.Foundations, 4, table.Tableau, false, careful, 1, Rules::UpInSuit,
                                     nullptr, table.Tableau.Count());
    }
};

TEST_F(AutoMoves, CarefulModeWaitsForTheLeastAdvancedFoundation)
{
    rows({"AC", "AD", "AH 2H 3H", "AS 2S 3S 4S 5S"}, {"2C", "4H", "6S"});
    // Least progress is 1: only a 2 may go up.
    EXPECT_TRUE(autoMove(true));
    EXPECT_EQ(Text(table.Foundations[1]), "AC 2C");
    EXPECT_FALSE(autoMove(true));
    EXPECT_EQ(column(2), "4H");
    // Without care every fitting card goes.
    EXPECT_TRUE(autoMove(false));
    EXPECT_EQ(Text(table.Foundations[3]), "AH 2H 3H 4H");
}

TEST_F(AutoMoves, KlondikeFoundationsAreCareful)
{
    rows({}, {"AC"});
    EXPECT_TRUE(table.Foundations[1]->Wait);
    EXPECT_EQ(RelativeRankUp(1, 1), 1);
    EXPECT_EQ(RelativeRankUp(13, 1), 13);
    EXPECT_EQ(RelativeRankUp(1, 2), 13);
    EXPECT_EQ(RelativeRankDown(13, 13), 13);
    EXPECT_EQ(RelativeRankDown(1, 13), 1);
}

TEST_F(AutoMoves, BaseCardsGoUpEvenWithAutomaticMovesOff)
{
    rows({}, {"5D AC", "AH", "2C"});
    table.Play.AutomaticMoves = false;
    Uni_Timer(table);
    EXPECT_EQ(Text(table.Foundations[1]), "AC");
    EXPECT_EQ(Text(table.Foundations[2]), "AH");
    EXPECT_EQ(column(3), "2C");
    EXPECT_EQ(column(1), "5D");
}

TEST_F(AutoMoves, WonWhenEveryFoundationIsComplete)
{
    rows({"AC 2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC", "AD 2D 3D 4D 5D 6D 7D 8D 9D TD JD QD KD",
          "AH 2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH", "AS 2S 3S 4S 5S 6S 7S 8S 9S TS JS QS"},
         {"KS"});
    EXPECT_FALSE(IsGameWon(table.Foundations, 4));
    int won = 0;
    table.Play.GameWon = [&won] { ++won; };
    Uni_Timer(table);
    EXPECT_TRUE(IsGameWon(table.Foundations, 4));
    EXPECT_EQ(won, 1);
}

TEST_F(AutoMoves, StuckWhenTheOnlyMoveTakesBackTheLast)
{
    rows({}, {"kd QS", "KH", "2C"});
    board.ClearJournal();
    EXPECT_FALSE(IsGameBlocked(table));
    // QS can go to KH and back, nothing else can move.
    table.Tableau[2]->MoveCard(table.Tableau[1]->TopCard());
    table.Tableau[1]->TopCard()->SetFace(false);
    EXPECT_TRUE(IsGameBlocked(table));
    table.Play.ShowStuckMessage = false;
    EXPECT_FALSE(IsGameBlocked(table));
    table.Play.ShowStuckMessage = true;
    // After an undo the previous position is forgotten: not reported.
    board.Undo();
    board.Undo();
    EXPECT_FALSE(IsGameBlocked(table));
}

TEST_F(AutoMoves, NoMoveAtAllIsStuckButRedealsLeftAreNot)
{
    rows({}, {"2C", "2D"});
    EXPECT_TRUE(IsGameBlocked(table));
    board.Rotation_Number = 3;
    board.SetRotation_Counter(2);
    EXPECT_FALSE(IsGameBlocked(table));
}

TEST_F(AutoMoves, DoubleClickSendsTheTopCardHome)
{
    rows({"AC", "AD"}, {"3H 2D", "2C"});
    SendToFoundation(table, table.Tableau[1]);
    EXPECT_EQ(Text(table.Foundations[2]), "AD 2D");
    SendToFoundation(table, table.Tableau[1]);
    EXPECT_EQ(column(1), "3H");
}

// A long game of random legal moves, undo, redo, redeals and new deals: the location
// tables always agree with the piles.
TEST_F(Klondike, RandomPlayKeepsTheLocationTablesTrue)
{
    std::mt19937 random(2);
    for (int game = 0; game < 6; ++game) {
        table.ForgetPiles();
        board.FreeDecks();
        for (int index = 0; index < GameTable::CardCount; ++index)
            if (TDeck *pile = table.Card(index)->HostDeck())
                pile->RemoveCard(table.Card(index));
        board.IDCounter = 0;
        deal(random());
        board.ClearJournal();
        for (int step = 0; step < 400; ++step) {
            const unsigned roll = random() % 10;
            if (roll < 5) {
                board.ResetHintList();
                TCard *card = nullptr;
                TDeck *target = nullptr;
                if (board.FindMove(card, target, false)) {
                    const int pick = int(random() % unsigned(board.Candidates.Count)) + 1;
                    board.Candidates.Entries[std::size_t(pick)].Deck->MoveCard(
                        board.Candidates.Entries[std::size_t(pick)].Card);
                }
            } else if (roll < 7) {
                click(table.Stock);
            } else if (roll < 8) {
                board.Undo();
            } else if (roll < 9) {
                board.Redo();
            } else {
                Uni_Timer(table);
                board.AutoTimer()->stop();
            }
            ASSERT_TRUE(locationsAgree()) << "game " << game << " step " << step;
        }
    }
}

} // namespace
