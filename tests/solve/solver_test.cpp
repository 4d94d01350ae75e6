#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/freecell.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "solve/solver.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Bounded by positions, not by the clock: the answers do not change with the machine's load.
constexpr SolveBudget Patient = {.positions = 2'000'000, .milliseconds = 600'000};

// A table that is never shown, dealt like the deal printout.
struct DealtTable {
    DealtTable(int gameId, quint32 number)
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
        DealForPrinting(table, gameId, number);
        board.ClearJournal();
        table.Play.ShowStuckMessage = false;
    }
    ~DealtTable() { table.ForgetPiles(); }

    // Lays the pack out anew: slot name to cards, bottom first, rank "A23456789TJQK" then
    // suit "CDHS" (lower case: face down); the cards of each suit below the lowest one named go
// to its foundation.
    void Arrange(const std::map<std::string, std::string> &slots)
    {
        for (int index = 0; index < GameTable::CardCount; ++index)
            if (TDeck *pile = table.Card(index)->HostDeck())
                pile->RemoveCard(table.Card(index));
        for (const auto &[slot, cards] : slots) {
            TDeck *pile = player.FindSlot(QString::fromStdString(slot));
            ASSERT_TRUE(pile) << slot;
            for (std::size_t at = 0; at + 1 < cards.size(); at += 3) {
                TCard *card = cardNamed(cards.substr(at, 2));
                ASSERT_TRUE(card) << cards;
                card->SetFace(std::isupper(static_cast<unsigned char>(cards[at + 1])));
                pile->AddCard(card);
            }
        }
        if (table.Foundations[8]) {
            // Spider: every card of the two packs not named lies home, thirteen to a foundation.
            int home = 0;
            for (int index = 0; index < 104; ++index)
                if (TCard *card = table.Card(index); !card->HostDeck()) {
                    card->SetFace(true);
                    table.Foundations[home++ / 13 + 1]->AddCard(card);
                }
            return;
        }
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 1; rank <= 13 && !table.Card(suit * 13 + rank - 1)->HostDeck(); ++rank) {
                // A game with one discard pile takes them all there.
                TDeck *home = table.Foundations[suit + 1] ? table.Foundations[suit + 1] : table.Foundations[1];
                table.Card(suit * 13 + rank - 1)->SetFace(true);
                home->AddCard(table.Card(suit * 13 + rank - 1));
            }
        for (int index = 0; index < 52; ++index)
            EXPECT_TRUE(table.Card(index)->HostDeck()) << "a card above the suit's lowest named card is not named";
    }

    TCard *cardNamed(const std::string &code) const
    {
        // The first copy of the card not laid out yet, of the game's packs.
        const int rank = int(std::string("A23456789TJQK").find(char(std::toupper(code[0])))) + 1;
        const int suit = int(std::string("CDHS").find(char(std::toupper(code[1])))) + 1;
        for (int index = 0; index < (table.Foundations[8] ? 104 : 52); ++index)
            if (TCard *card = table.Card(index); card->Rank() == rank && card->Suit() == suit && !card->HostDeck())
                return card;
        return nullptr;
    }

    // Plays the lines as the player would; the number of the first refused one, or 0.
    int Play(const std::vector<std::string> &lines, std::size_t count = std::string::npos)
    {
        for (std::size_t i = 0; i < lines.size() && i < count; ++i)
            if (!player.Run(QString::fromStdString(lines[i])))
                return int(i) + 1;
        return 0;
    }

    TBoard board;
    GameTable table{&board};
    MovePlayer player{table};
};

SolveResult solveDeal(int gameId, quint32 number, SolveBudget budget)
{
    DealtTable dealt(gameId, number);
    const auto position = ReadPosition(dealt.table);
    return position ? position->Solve(budget) : SolveResult{};
}

struct GameSample {
    int gameId;
    quint32 first;
    quint32 count;
    long long positions; // the small budget of the test
    int leastWinnable;   // so many deals at least are proved winnable, for the test to mean anything
};

class SolverGames : public ::testing::TestWithParam<GameSample> {};

TEST_P(SolverGames, EveryWinningLinePlaysToAWin)
{
    const GameSample sample = GetParam();
    int winnable = 0;
    for (quint32 number = sample.first; number < sample.first + sample.count; ++number) {
        SCOPED_TRACE(number);
        const SolveResult result = solveDeal(sample.gameId, number, {.positions = sample.positions, .milliseconds = 60000});
        if (result.verdict != Verdict::Winnable)
            continue;
        ++winnable;
        DealtTable replay(sample.gameId, number);
        ASSERT_EQ(replay.Play(result.lines), 0) << "refused line";
        EXPECT_TRUE(replay.player.IsWon());
    }
    EXPECT_GE(winnable, sample.leastWinnable);
}

INSTANTIATE_TEST_SUITE_P(Deals, SolverGames,
                         ::testing::Values(GameSample{GameIds::FreeCell, 1, 200, 50'000, 20},
                                           GameSample{GameIds::Klondike, 1, 200, 3'000, 20},
                                           GameSample{GameIds::Yukon, 1, 200, 3'000, 20},
                                           GameSample{GameIds::FlowerGarden, 1, 200, 3'000, 20},
                                           GameSample{GameIds::Bouquet, 1, 200, 3'000, 10},
                                           GameSample{GameIds::Carpet, 1, 200, 3'000, 20},
                                           GameSample{GameIds::Bisley, 1, 200, 3'000, 20},
                                           GameSample{GameIds::Nestor, 1, 200, 3'000, 20},
                                           GameSample{GameIds::MonteCarlo, 1, 200, 3'000, 20},
                                           GameSample{GameIds::SpiderOneSuit, 1, 200, 1'000, 10},
                                           GameSample{GameIds::SpiderTwoSuit, 1, 12, 150'000, 6}),
                         [](const auto &info) { return std::to_string(info.param.gameId); });

// Positions laid out by hand, with the answer they must get.
struct HandMade {
    const char *name;
    int gameId;
    std::map<std::string, std::string> slots;
    Verdict verdict;
    int redealsLeft; // Klondike only: -1 leaves the dealt count
};

TEST(Solver, HandMadePositionsGetTheirAnswers)
{
    const std::vector<HandMade> cases = {
        {"FreeCell one move from a win", GameIds::FreeCell, {{"Cell1", "KH"}}, Verdict::Winnable, -1},
        {"FreeCell blocked: cells full, no card fits or goes home",
         GameIds::FreeCell,
         {{"Cell1", "KC"}, {"Cell2", "KD"}, {"Cell3", "KH"}, {"Cell4", "KS"},
          {"Tableau1", "9C QC"}, {"Tableau2", "9D QD"}, {"Tableau3", "9H QH"}, {"Tableau4", "9S QS"},
          {"Tableau5", "JC TC"}, {"Tableau6", "JD TD"}, {"Tableau7", "JH TH"}, {"Tableau8", "JS TS"}},
         Verdict::NotWinnable,
         -1},
        // Safe plays home take a Four only once every suit is up to Two: here the Three of
        // Diamonds needs a Four to lie on, to free the Two below it.
        {"Flower Garden keeps the Fours a card needs",
         GameIds::FlowerGarden,
         {{"Cell1", "4D 2D 3D"}, {"Cell2", "KC QC JC TC 9C 8C 7C 5S 6C 4C"}, {"Cell3", "KH QH JH TH 9H 8H 7H 5C 6H 4H"},
          {"Cell4", "KS QS JS TS 9S 8S 7S 5H 6S 4S"}, {"Cell5", "QD JD TD 9D 8D 7D 5D 6D"}, {"Cell6", "KD"}},
         Verdict::Winnable,
         -1},
        {"Klondike one move from a win", GameIds::Klondike, {{"Tableau1", "KH"}}, Verdict::Winnable, -1},
        {"Klondike blocked: a Queen on the Jack it waits for", GameIds::Klondike,
         {{"Tableau1", "JH QH"}, {"Tableau2", "KH"}}, Verdict::NotWinnable, -1},
        // The Queen lies above the Jack of its suit and the King it fits, but leaves with the
        // King's run for the empty column.
        {"Klondike a run carries a card off the lower card of its suit", GameIds::Klondike,
         {{"Tableau1", "jh KC QH"}, {"Tableau3", "KH"}}, Verdict::Winnable, -1},
        {"Yukon a group carries a card off the lower card of its suit", GameIds::Yukon,
         {{"Tableau1", "jh KC QH"}, {"Tableau3", "KH"}}, Verdict::Winnable, -1},
        {"Yukon blocked: a face-down Queen above the Jack of its suit and both black Kings", GameIds::Yukon,
         {{"Tableau1", "jh kc ks qh KH"}}, Verdict::NotWinnable, -1},
        {"Bisley one move from a win", GameIds::Bisley, {{"Tableau5", "QS"}, {"Cell1", "KS"}}, Verdict::Winnable, -1},
        {"Bisley blocked: each suit's next cards lie under cards of another",
         GameIds::Bisley,
         {{"Tableau1", "QH TS JH"}, {"Tableau2", "QS TH JS"}, {"Cell1", "KS"}, {"Cell2", "KH"}},
         Verdict::NotWinnable,
         -1},
        {"Carpet one card from a win", GameIds::Carpet, {{"Waste", "KD"}}, Verdict::Winnable, -1},
        {"Nestor one pair from a win", GameIds::Nestor, {{"Tableau1", "KS"}, {"Cell2", "KH"}}, Verdict::Winnable, -1},
        {"Nestor blocked: a pair in one pile", GameIds::Nestor, {{"Tableau1", "KS KH"}}, Verdict::NotWinnable, -1},
        {"Monte Carlo one pair from a win", GameIds::MonteCarlo, {{"Tableau7", "KS"}, {"Tableau13", "KH"}},
         Verdict::Winnable, -1},
        {"Monte Carlo blocked: no pair touches and nothing is left to close up", GameIds::MonteCarlo,
         {{"Tableau1", "KS"}, {"Tableau2", "QS"}, {"Tableau3", "KH"}, {"Tableau4", "QH"}}, Verdict::NotWinnable, -1},
        // The row is dealt only after the empty column is filled.
        {"Spider deals its row only onto no empty column", GameIds::SpiderOneSuit,
         {{"Tableau2", "KS QS JS TS 9S 8S 7S 6S"}, {"Tableau3", "KS"}, {"Tableau4", "QS"}, {"Tableau5", "JS"},
          {"Tableau6", "TS"}, {"Tableau7", "9S"}, {"Tableau8", "8S"}, {"Tableau9", "7S"}, {"Tableau10", "6S"},
          {"Stock", "as 2s 3s 4s 5s as 2s 3s 4s 5s"}},
         Verdict::Winnable,
         -1},
        // Two suits: eight columns are left empty once each suit is gathered, and all must be
        // filled again from the two runs before the row.
        {"Spider Two Suit fills every empty column before its row", GameIds::SpiderTwoSuit,
         {{"Tableau2", "KS QS JS TS 9S 8S 7S 6S"}, {"Tableau3", "KH"}, {"Tableau4", "QH"}, {"Tableau5", "JH"},
          {"Tableau6", "TH"}, {"Tableau7", "9H"}, {"Tableau8", "8H"}, {"Tableau9", "7H"}, {"Tableau10", "6H"},
          {"Stock", "as 2s 3s 4s 5s ah 2h 3h 4h 5h"}},
         Verdict::Winnable,
         -1},
        {"Klondike winnable only by a redeal", GameIds::Klondike, {{"Waste", "KS KH JC QC"}, {"Tableau1", "KC"}},
         Verdict::Winnable, 1},
        {"Klondike the same without a redeal left", GameIds::Klondike, {{"Waste", "KS KH JC QC"}, {"Tableau1", "KC"}},
         Verdict::NotWinnable, 0},
    };
    for (const HandMade &c : cases) {
        SCOPED_TRACE(c.name);
        DealtTable dealt(c.gameId, 1);
        dealt.Arrange(c.slots);
        if (c.redealsLeft >= 0)
            dealt.board.SetRotation_Counter(dealt.board.Rotation_Number - c.redealsLeft);
        const auto position = ReadPosition(dealt.table);
        ASSERT_TRUE(position);
        const SolveResult result = position->Solve(Patient);
        EXPECT_EQ(result.verdict, c.verdict);
        EXPECT_EQ(dealt.Play(result.lines), 0);
        EXPECT_EQ(dealt.player.IsWon(), c.verdict == Verdict::Winnable);
    }
}

// The live table after some of the moves reads as a position the solver carries on from.
TEST(Solver, LiveTableAfterMovesSolvesOnToAWin)
{
    for (const int gameId : {GameIds::FreeCell, GameIds::Klondike}) {
        SCOPED_TRACE(gameId);
        DealtTable dealt(gameId, 2);
        const SolveResult whole = ReadPosition(dealt.table)->Solve(Patient);
        ASSERT_EQ(whole.verdict, Verdict::Winnable);
        const std::size_t half = whole.lines.size() / 2;
        ASSERT_EQ(dealt.Play(whole.lines, half), 0);
        const auto live = ReadPosition(dealt.table);
        ASSERT_TRUE(live);
        const SolveResult rest = live->Solve(Patient);
        ASSERT_EQ(rest.verdict, Verdict::Winnable);
        EXPECT_EQ(dealt.Play(rest.lines), 0);
        EXPECT_TRUE(dealt.player.IsWon());
    }
}

TEST(Solver, PositionBudgetEndsTheSearchUnknown)
{
    int unknown = 0;
    for (quint32 number = 1; number <= 10; ++number) {
        const SolveResult result = solveDeal(GameIds::Klondike, number, {.positions = 40, .milliseconds = 60000});
        EXPECT_LE(result.positions, 40);
        unknown += result.verdict == Verdict::Unknown;
    }
    EXPECT_GT(unknown, 0);
}

// FreeCell Solver's verdicts, its proofs that a deal cannot be won included, are ours.
TEST(Solver, FreeCellVerdictsAgreeWithFreeCellSolver)
{
    const QString solver = QStandardPaths::findExecutable(QStringLiteral("fc-solve"));
    if (solver.isEmpty())
        GTEST_SKIP() << "fc-solve (package freecell-solver-bin) is not installed";
    for (quint32 number = 1; number <= 60; ++number) {
        SCOPED_TRACE(number);
        DealtTable dealt(GameIds::FreeCell, number);
        QProcess process;
        process.start(solver, {QStringLiteral("-")});
        process.write(FreeCellSolverBoard(dealt.table).toLatin1());
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString text = QString::fromLatin1(process.readAllStandardOutput());
        const SolveResult ours = ReadPosition(dealt.table)->Solve(Patient);
        if (text.contains(QStringLiteral("This game is solveable"))) {
            EXPECT_EQ(ours.verdict, Verdict::Winnable);
        } else if (text.contains(QStringLiteral("I could not solve"))) {
            EXPECT_EQ(ours.verdict, Verdict::NotWinnable);
        }
    }
}

} // namespace
