#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/freecell.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "support/dealt_game_checks.h"
#include "support/table_checks.h"
#include "support/table_fixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>
#include <gtest/gtest.h>
#include <array>
#include <sstream>

namespace {

// The FreeCell deal stated independently of the game code: the pack lies bottom card first
// in card-array order; draw i takes the n-th card from the top, n = Random(count) + 1, onto
// column ((i - 1) mod 8) + 1.
std::array<std::string, 8> independentDeal(quint32 seed)
{
    const auto random = [&seed](quint32 n) {
        seed = seed * 134775813u + 1u;
        return quint32((quint64(seed) * n) >> 32);
    };
    std::vector<std::string> pack;
    for (int index = 0; index < 52; ++index)
        pack.push_back(std::string{"A23456789TJQK"[index % 13], "CDHS"[index / 13]});
    std::array<std::string, 8> columns;
    for (int i = 0; i < 52; ++i) {
        const std::size_t at = pack.size() - (random(quint32(pack.size())) + 1);
        columns[std::size_t(i % 8)] += (columns[std::size_t(i % 8)].empty() ? "" : " ") + pack[at];
        pack.erase(pack.begin() + std::ptrdiff_t(at));
    }
    return columns;
}

class FreeCell : public ::testing::Test, public TableFixture {
protected:
    FreeCell()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
    void deal(quint32 number)
    {
        ClearTable(table);
        DealForPrinting(table, GameIds::FreeCell, number);
        board.ClearJournal();
    }
    MovePlayer player{table};
};

TEST_F(FreeCell, DealsEightColumnsFaceUpInTheFixedDrawOrder)
{
    for (quint32 number : {0u, 1u, 32u, 617u, 4294967295u}) {
        SCOPED_TRACE(number);
        deal(number);
        const auto expected = independentDeal(number);
        for (int i = 1; i <= 8; ++i)
            EXPECT_EQ(Text(table.Tableau[i]), expected[std::size_t(i - 1)]) << "column " << i;
        EXPECT_EQ(table.Tableau[1]->CardsCount(), 7);
        EXPECT_EQ(table.Tableau[8]->CardsCount(), 6);
        // The pack and the stock are gone; the cells close the tableau row.
        EXPECT_EQ(table.Waste, nullptr);
        EXPECT_EQ(table.Stock, nullptr);
        EXPECT_EQ(board.Decks().size(), 16u);
        EXPECT_EQ(table.Tableau.Count(), 12);
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(table.Tableau[8 + i], table.Cells[i]);
        EXPECT_EQ(board.Score(), -52);
        EXPECT_TRUE(LocationsAgree(table));
    }
}

TEST_F(FreeCell, SolverBoardListsTheColumnsBottomCardFirst)
{
    deal(1);
    const QStringList lines = FreeCellSolverBoard(table).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(lines[i - 1].toStdString(), Text(table.Tableau[i]));
}

// A group of (empty cells + 1) * 2^(empty columns) cards moves onto a column; onto an
// empty column the target itself does not count.
TEST_F(FreeCell, GroupSizeFollowsTheEmptyCellsAndColumns)
{
    struct Case {
        int filledCells;
        int otherEmptyColumns;
        int groupSize;
        bool toEmptyColumn;
        bool accepted;
    };
    const Case cases[] = {
        {4, 0, 1, false, true}, {4, 0, 2, false, false}, {2, 0, 3, false, true}, {2, 0, 4, false, false},
        {2, 1, 6, false, true}, {2, 1, 7, false, false}, {0, 2, 12, false, true}, {2, 0, 3, true, true},
        {2, 0, 4, true, false}, {2, 1, 6, true, true},   {2, 1, 7, true, false},
    };
    const std::vector<std::string> run = {"QS", "JH", "TS", "9H", "8S", "7H", "6S", "5H", "4S", "3H", "2S", "AH"};
    const std::vector<std::string> fillers = {"KC", "KS", "QC", "QD", "JC", "JD", "TC", "TD", "9C", "9D"};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.filledCells << " cells full, " << c.otherEmptyColumns
                                        << " other empty columns, " << c.groupSize << " cards"
                                        << (c.toEmptyColumn ? " to an empty column" : ""));
        deal(5);
        std::string group;
        for (std::size_t at = run.size() - std::size_t(c.groupSize); at < run.size(); ++at)
            group += " " + run[at];
        std::size_t filler = 0;
        std::vector<std::pair<std::string, std::string>> slots = {{"Tableau1", "KD" + group}};
        // A black card one rank above the group's red head, or a red one above a black head.
        const std::string head = group.substr(1, 2);
        const std::string ranks = "A23456789TJQK";
        const bool redHead = head[1] == 'H' || head[1] == 'D';
        if (!c.toEmptyColumn)
            slots.push_back({"Tableau2", std::string(1, ranks[ranks.find(head[0]) + 1]) + (redHead ? "C" : "D")});
        for (int column = 3; column <= 8 - c.otherEmptyColumns; ++column)
            slots.push_back({"Tableau" + std::to_string(column), fillers[filler++]});
        for (int i = 1; i <= c.filledCells; ++i)
            slots.push_back({"Cell" + std::to_string(i), fillers[filler++]});
        LayOut(table, slots);
        TCard *lowest = MovePlayer::FindCard(table.Tableau[1], QString::fromStdString(head));
        ASSERT_NE(lowest, nullptr);
        EXPECT_EQ(player.Drag(lowest, table.Tableau[2]), c.accepted);
        EXPECT_EQ(table.Tableau[2]->CardsCount(), (c.toEmptyColumn ? 0 : 1) + (c.accepted ? c.groupSize : 0));
        EXPECT_TRUE(LocationsAgree(table));
    }
}

TEST_F(FreeCell, ClickedGroupMoveGoesCardByCardAndUndoesAtOnce)
{
    deal(5);
    LayOut(table, {{"Tableau1", "KD 9H 8S 7H 6S 5H"}, {"Tableau2", "TC"}, {"Tableau3", "KC"}, {"Tableau4", "KS"},
                   {"Tableau5", "QC"}, {"Tableau6", "QD"}, {"Tableau7", "JC"}, {"Cell1", "2D"}, {"Cell2", "3D"}});
    board.ClearJournal();
    // Two empty cells and one empty column: 6 cards.
    table.Tableau[1]->Click();
    table.Tableau[2]->Click();
    EXPECT_EQ(Text(table.Tableau[2]), "TC 9H 8S 7H 6S 5H");
    EXPECT_EQ(Text(table.Tableau[1]), "KD");
    EXPECT_EQ(table.Tableau[8]->CardsCount(), 0);
    EXPECT_EQ(table.Cells[3]->CardsCount(), 0);
    board.Undo();
    EXPECT_EQ(Text(table.Tableau[1]), "KD 9H 8S 7H 6S 5H");
    EXPECT_EQ(Text(table.Tableau[2]), "TC");
    EXPECT_TRUE(LocationsAgree(table));
}

TEST_F(FreeCell, CellTakesOneSingleCard)
{
    deal(7);
    LayOut(table, {{"Tableau1", "KD QS"}, {"Tableau2", "5H"}});
    TCard *king = MovePlayer::FindCard(table.Tableau[1], QStringLiteral("KD"));
    EXPECT_FALSE(player.Drag(king, table.Cells[1])) << "a card with a card on it";
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau1 Cell")));
    EXPECT_EQ(Text(table.Cells[1]), "QS");
    EXPECT_FALSE(player.Run(QStringLiteral("Tableau2 Cell1"))) << "a second card";
    EXPECT_TRUE(player.Run(QStringLiteral("Tableau2 Cell")));
    EXPECT_EQ(Text(table.Cells[2]), "5H");
}

TEST_F(FreeCell, DoubleClickPlaysHomeElseToTheLeftmostEmptyCell)
{
    deal(9);
    LayOut(table, {{"Foundation1", "AH"}, {"Tableau1", "9C 2H"}, {"Tableau2", "7S"}, {"Cell1", "KD"}});
    table.Tableau[1]->OnDoubleSelect(table.Tableau[1]);
    EXPECT_EQ(Text(table.Foundations[1]), "AH 2H");
    table.Tableau[1]->OnDoubleSelect(table.Tableau[1]);
    EXPECT_EQ(Text(table.Cells[2]), "9C");
    LayOut(table, {{"Tableau2", "7S"}, {"Cell1", "KD"}, {"Cell2", "KC"}, {"Cell3", "KH"}, {"Cell4", "KS"}});
    table.Tableau[2]->OnDoubleSelect(table.Tableau[2]);
    EXPECT_EQ(Text(table.Tableau[2]), "7S") << "every cell is full";
}

TEST_F(FreeCell, RandomPlayKeepsTheTableConsistent)
{
    std::mt19937 random(32);
    for (int game = 0; game < 5; ++game) {
        deal(random());
        for (int step = 0; step < 400; ++step) {
            RandomStep(table, random);
            ASSERT_TRUE(LocationsAgree(table)) << "game " << game << " step " << step;
            ASSERT_EQ(CardsInPiles(table), 52) << "game " << game << " step " << step;
            for (int i = 1; i <= 4; ++i)
                ASSERT_LE(table.Cells[i]->CardsCount(), 1);
        }
    }
}

TEST_F(FreeCell, PlayFromTextAnswersEachLineThenPrintsTheTable)
{
    QString commands = QStringLiteral("Tableau1 Cell\nTableau1 Cell1\nnonsense\nundo\nredo\nclick Tableau2\n");
    QTextStream input(&commands);
    QString answer;
    QTextStream output(&answer);
    TBoard otherBoard;
    GameTable other(&otherBoard);
    PlayGameFromText(other, GameIds::FreeCell, 1, false, input, output);
    const QStringList lines = answer.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines.mid(0, 6), (QStringList{"ok", "refused", "refused", "ok", "ok", "refused"}));
    EXPECT_EQ(lines[6], QStringLiteral("game 32 number 1"));
    EXPECT_TRUE(answer.contains(QStringLiteral("Cell1: JD\n")));
    EXPECT_EQ(lines.last(), QStringLiteral("won no"));
    other.ForgetPiles();
}

TEST_F(FreeCell, PlayFromTextRefusesAndSkipsAnOverlongLine)
{
    // The move at the end of a 10 MB line is not played; the same move on the next line is.
    QString commands = QString(10'000'000, QLatin1Char(' ')) + QStringLiteral("Tableau1 Cell1\nTableau1 Cell1\n");
    QTextStream input(&commands);
    QString answer;
    QTextStream output(&answer);
    TBoard otherBoard;
    GameTable other(&otherBoard);
    EXPECT_EQ(PlayGameFromText(other, GameIds::FreeCell, 1, false, input, output), 0);
    EXPECT_EQ(answer.split(QLatin1Char('\n')).mid(0, 2), (QStringList{"refused", "ok"}));
    other.ForgetPiles();
}

// --- the external check: FreeCell Solver's solutions, played as the player would ---

// The solver's standard notation: columns 1..8, cells a..d, the foundations h; a move to an
// empty column may end with "v" and the number of cards in hexadecimal.
class SolverBoard {
public:
    explicit SolverBoard(const GameTable &table)
    {
        for (int i = 1; i <= 8; ++i)
            for (const TCard *card = table.Tableau[i]->TopCard(); card; card = card->Below)
                columns[std::size_t(i - 1)].insert(columns[std::size_t(i - 1)].begin(), TableFixture::Code(card));
    }
    // The --play line of one move, and the board after it.
    std::string Translate(const std::string &move)
    {
        const char from = move.at(0);
        const char to = move.at(1);
        std::size_t count = 1;
        if (const auto v = move.find('v'); v != std::string::npos)
            count = std::stoul(move.substr(v + 1), nullptr, 16);
        std::vector<std::string> &source = pile(from);
        if (to >= '1' && to <= '8' && !pile(to).empty()) {
            // The card that fits the target's top card.
            const std::string &top = pile(to).back();
            count = 0;
            for (std::size_t depth = 1; depth <= source.size(); ++depth)
                if (fits(top, source[source.size() - depth])) {
                    count = depth;
                    break;
                }
            if (count == 0)
                throw std::runtime_error("no card fits for " + move);
        }
        const std::string card = source.at(source.size() - count);
        std::vector<std::string> moved(source.end() - std::ptrdiff_t(count), source.end());
        source.erase(source.end() - std::ptrdiff_t(count), source.end());
        if (to != 'h')
            pile(to).insert(pile(to).end(), moved.begin(), moved.end());
        return slot(from) + " " + slot(to) + " " + card;
    }

private:
    static bool fits(const std::string &lower, const std::string &upper)
    {
        const std::string ranks = "A23456789TJQK";
        const bool lowerRed = lower[1] == 'D' || lower[1] == 'H';
        const bool upperRed = upper[1] == 'D' || upper[1] == 'H';
        return ranks.find(lower[0]) == ranks.find(upper[0]) + 1 && lowerRed != upperRed;
    }
    std::vector<std::string> &pile(char place)
    {
        if (place >= '1' && place <= '8')
            return columns[std::size_t(place - '1')];
        if (place >= 'a' && place <= 'd')
            return cells[std::size_t(place - 'a')];
        return home;
    }
    static std::string slot(char place)
    {
        if (place >= '1' && place <= '8')
            return "Tableau" + std::string(1, place);
        if (place >= 'a' && place <= 'd')
            return "Cell" + std::to_string(place - 'a' + 1);
        return "Foundation";
    }
    std::array<std::vector<std::string>, 8> columns;
    std::array<std::vector<std::string>, 4> cells;
    std::vector<std::string> home;
};

TEST_F(FreeCell, SolverSolutionsPlayToAWin)
{
    const QString solver = QStandardPaths::findExecutable(QStringLiteral("fc-solve"));
    if (solver.isEmpty())
        GTEST_SKIP() << "fc-solve (package freecell-solver-bin) is not installed";
    for (quint32 number = 1; number <= 36; ++number) {
        SCOPED_TRACE(number);
        deal(number);
        QProcess process;
        process.start(solver, {QStringLiteral("-m"), QStringLiteral("-snx"), QStringLiteral("-")});
        process.write(FreeCellSolverBoard(table).toLatin1());
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString text = QString::fromLatin1(process.readAllStandardOutput());
        if (!text.contains(QStringLiteral("This game is solveable")))
            continue; // the rare deal the solver gives up on says nothing about ours
        const QRegularExpression movePattern(QStringLiteral("^[1-8a-d][1-8a-dh](v[0-9a-f]+)?$"));
        SolverBoard model(table);
        int moves = 0;
        for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            if (!movePattern.match(word).hasMatch())
                continue;
            const std::string line = model.Translate(word.toStdString());
            ASSERT_TRUE(player.Run(QString::fromStdString(line))) << "move " << moves + 1 << ": " << line;
            ++moves;
        }
        EXPECT_GT(moves, 0);
        EXPECT_TRUE(player.IsWon());
        EXPECT_EQ(board.Score(), 208);
    }
}

} // namespace
