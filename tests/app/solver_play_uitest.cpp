// The solver in play through the real main window: the status indicator, the hint, the
// demonstration and winnable deals only. Every search is bounded by positions, and every
// wait ends on an event, so the answers do not depend on the machine's load.
#include "support/main_window_fixture.h"

#include "app/demo_mode.h"
#include "app/game_session.h"
#include "app/status_indicator.h"
#include "app/winnable_deals.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "games/move_player.h"
#include "store/game_stats.h"

#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

constexpr SolveBudget Patient = {.positions = 300'000, .milliseconds = 600'000};

struct SolverTable : MainWindowFixture {
    SolverTable()
    {
        EXPECT_TRUE(ShowActive());
        Window().Board1->Animate = false;
        engineState().Options.FlipEnabled = false;
        indicator().Budget = Patient;
        Window().WinnableOnly().Budget = Patient;
    }
    GameStatusIndicator &indicator() { return Window().StatusIndicator(); }
    // "Moves: N" on the demonstration's toolbar.
    int movesShown() { return demo().lbMoves->text().section(u' ', 1).toInt(); }
    DemoMode &demo() { return Window().Demo(); }
    GameTable &table() { return Window().Table(); }
    void deal(int gameId, quint32 number)
    {
        table().CurrentGameId = gameId;
        Window().ApplyGameSettings(gameId);
        Window().Session().GameNumber = number;
        Window().Session().RestartGame();
    }
    // Runs the event loop until `done` holds (each round waits for an event: the answers
    // arrive as events).
    template <class Done> bool until(Done done)
    {
        for (int round = 0; round < 200'000 && !done(); ++round)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
        return done();
    }
    QString verdict()
    {
        EXPECT_TRUE(until([&] { return !indicator().Solving(); }));
        return indicator().Panel()->text();
    }
    bool play(const QString &line)
    {
        MovePlayer player(table());
        return player.Run(line);
    }
};

// The verdict on a position reached on a table that is never shown.
Verdict solveAfter(int gameId, quint32 number, const QStringList &lines)
{
    TBoard board;
    GameTable table(&board);
    DealForPrinting(table, gameId, number);
    MovePlayer player(table);
    for (const QString &line : lines)
        if (!player.Run(line))
            return Verdict::Unknown;
    const auto position = ReadPosition(table);
    const Verdict verdict = position ? position->Solve(Patient).verdict : Verdict::Unknown;
    table.ForgetPiles();
    return verdict;
}

// A first move of the deal after which it cannot be won any more.
QString losingMove(int gameId, quint32 number)
{
    QStringList slots;
    for (int i = 1; i <= 8; ++i)
        slots << QStringLiteral("Tableau%1").arg(i);
    for (int i = 1; i <= 4; ++i)
        slots << QStringLiteral("Cell%1").arg(i);
    for (const QString &from : slots)
        for (const QString &to : slots)
            if (const QString line = from + u' ' + to; solveAfter(gameId, number, {line}) == Verdict::NotWinnable)
                return line;
    return {};
}

TEST(SolverIndicator, FollowsEveryPositionAndDropsAnswersAboutPositionsThatAreGone)
{
    SolverTable fixture;
    // Nestor 4 is winnable from the start; some first move spoils it.
    const QString bad = losingMove(GameIds::Nestor, 4);
    ASSERT_FALSE(bad.isEmpty());
    struct Case {
        const char *name;
        QStringList moves; // played one after the other, faster than the solver answers
        const char *shown;
        bool noted; // "This game can no longer be won" in the status bar
    } cases[] = {
        {"the deal", {}, IndicatorText::Winnable, false},
        {"the spoiling move", {bad}, IndicatorText::NotWinnable, true},
        {"the move taken back at once", {bad, QStringLiteral("undo")}, IndicatorText::Winnable, false},
        {"taken back and made again", {bad, QStringLiteral("undo"), QStringLiteral("redo")}, IndicatorText::NotWinnable,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fixture.deal(GameIds::Nestor, 4);
        ASSERT_EQ(fixture.verdict(), QString::fromLatin1(IndicatorText::Winnable));
        fixture.Window().statusBar()->clearMessage();
        // Each move but the last waits until its position has gone to the solver, not for
        // the answer: that comes when the table has moved on.
        const auto *settle = fixture.indicator().findChild<QTimer *>(QStringLiteral("SettleTimer"));
        for (int i = 0; i < c.moves.size(); ++i) {
            ASSERT_TRUE(fixture.play(c.moves[i])) << c.moves[i].toStdString();
            EXPECT_EQ(fixture.indicator().Panel()->text(), QString::fromUtf16(IndicatorText::Solving));
            if (i + 1 < c.moves.size()) {
                ASSERT_TRUE(fixture.until([&] { return !settle->isActive(); }));
            }
        }
        EXPECT_EQ(fixture.verdict(), QString::fromLatin1(c.shown));
        EXPECT_EQ(fixture.Window().statusBar()->currentMessage() == QString::fromUtf16(IndicatorText::NoLongerWinnable),
                  c.noted);
    }

    // FreeCell: half the winning line played faster than the solver answers; the verdict and
    // the line shown are those of the position reached, and that line wins from there.
    fixture.deal(GameIds::FreeCell, 1);
    ASSERT_EQ(fixture.verdict(), QString::fromLatin1(IndicatorText::Winnable));
    const QStringList line = fixture.indicator().WinningLine();
    for (int i = 0; i < line.size() / 2; ++i)
        fixture.play(line[i]);
    EXPECT_EQ(fixture.verdict(), QString::fromLatin1(IndicatorText::Winnable));
    const QStringList rest = fixture.indicator().WinningLine();
    ASSERT_FALSE(rest.isEmpty());
    for (const QString &move : rest)
        ASSERT_TRUE(fixture.play(move)) << move.toStdString();
    MovePlayer player(fixture.table());
    EXPECT_TRUE(player.IsWon());
}

TEST(SolverIndicator, ShowsInTheStatusBarUnlessSwitchedOff)
{
    SolverTable fixture;
    fixture.deal(GameIds::FreeCell, 1);
    ASSERT_EQ(fixture.verdict(), QString::fromLatin1(IndicatorText::Winnable));
    QStatusBar *bar = fixture.Window().statusBar();
    const QImage shown = bar->grab().toImage();
    // The panel's text is drawn: dark pixels where the verdict stands.
    QLabel *panel = fixture.indicator().Panel();
    const QImage text = shown.copy(QRect(panel->mapTo(bar, QPoint(0, 0)), panel->size()));
    int dark = 0;
    for (int y = 0; y < text.height(); ++y)
        for (int x = 0; x < text.width(); ++x)
            dark += qGray(text.pixel(x, y)) < 96;
    EXPECT_GT(dark, 20);
    fixture.Window().Program().Data().settings.Cards.ShowStatusIndicator = false;
    fixture.indicator().ApplySetting();
    EXPECT_NE(bar->grab().toImage(), shown);
    EXPECT_FALSE(panel->isVisible());
}

TEST(SolverHint, ShowsTheSolversMoveFirst)
{
    SolverTable fixture;
    fixture.deal(GameIds::FreeCell, 1);
    ASSERT_EQ(fixture.verdict(), QString::fromLatin1(IndicatorText::Winnable));
    // The cards the hint lifts, seen while it waits.
    QList<int> lifted;
    fixture.onWait = [&](int) {
        if (lifted.isEmpty())
            for (const auto &card : fixture.Window().Board1->Cards())
                if (card->Selected())
                    lifted << card->CardID;
    };
    TCard *card = nullptr;
    TDeck *dest = nullptr;
    ASSERT_TRUE(MovePlayer(fixture.table()).Resolve(fixture.indicator().WinningLine().front(), card, dest));
    fixture.Window().Board1->SetGameStarted(1);
    fixture.Window().ShowNextMove1Click();
    ASSERT_FALSE(lifted.isEmpty());
    EXPECT_EQ(lifted.front(), card->CardID);
}

TEST(SolverDemo, WinsAWinnableDealThroughTheTableAndLeavesNoTrace)
{
    SolverTable fixture;
    fixture.deal(GameIds::FreeCell, 1);
    ASSERT_EQ(fixture.verdict(), QString::fromLatin1(IndicatorText::Winnable));
    fixture.demo().DemoTimer->setInterval(1);
    QTest::keyClick(fixture.Window().Board1, Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(fixture.demo().Shown());
    EXPECT_TRUE(fixture.demo().Running());

    // A click on the table pauses it; the table does not take the click.
    ASSERT_TRUE(fixture.until([&] { return fixture.movesShown() >= 3; }));
    QTest::mouseClick(fixture.Window().Board1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(fixture.demo().Running());
    const int moves = fixture.movesShown();
    QTest::qWait(0);
    EXPECT_EQ(fixture.movesShown(), moves);
    EXPECT_EQ(fixture.demo().lbStatus->text(), QString::fromLatin1(DemoText::Paused));

    fixture.demo().tbtnPlay->trigger();
    ASSERT_TRUE(fixture.until([&] { return !fixture.wonGames.isEmpty(); }));
    EXPECT_GT(fixture.movesShown(), moves);
    const GameStats *stats = fixture.Window().Program().Data().statistics.gameStats(0, GameIds::FreeCell);
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->AllTime.played(), 0);
    EXPECT_FALSE(QFile::exists(fixture.locations.dataFile(QStringLiteral("qellog.dat"))));

    // Another game closes the demonstration.
    fixture.deal(GameIds::Klondike, 3);
    EXPECT_FALSE(fixture.demo().Shown());
}

TEST(WinnableOnly, NewGameDealsOnlyProvedNumbersOrSaysItFellBack)
{
    SolverTable fixture;
    fixture.Window().Program().Data().settings.Cards.WinnableOnly = true;
    struct Case {
        int gameId;
        long long positions;
        bool found;
    } cases[] = {{GameIds::FreeCell, Patient.positions, true},
                 {GameIds::Klondike, Patient.positions, true},
                 {GameIds::FreeCell, 1, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.gameId);
        fixture.deal(c.gameId, 1);
        // The numbers drawn: 1000, 1001, ...
        quint32 next = 1000;
        QList<quint32> drawn;
        fixture.table().Random = SeededRandom([&] {
            drawn << next;
            return next++;
        });
        fixture.Window().WinnableOnly().Budget.positions = c.positions;
        fixture.Window().statusBar()->clearMessage();
        fixture.Window().Deal_MI->trigger();
        const QString said = fixture.Window().statusBar()->currentMessage();
        const quint32 dealt = fixture.Window().Session().GameNumber;
        ASSERT_FALSE(drawn.isEmpty());
        EXPECT_EQ(dealt, drawn.back());
        EXPECT_EQ(said.contains(QStringLiteral("No winnable deal")), !c.found) << said.toStdString();
        if (c.found) {
            EXPECT_EQ(solveAfter(c.gameId, dealt, {}), Verdict::Winnable);
            for (int i = 0; i + 1 < drawn.size(); ++i)
                EXPECT_NE(solveAfter(c.gameId, drawn[i], {}), Verdict::Winnable) << drawn[i];
        } else {
            EXPECT_EQ(drawn.size(), WinnableDeals::MostNumbers);
            EXPECT_TRUE(said.contains(QString::number(dealt)));
        }
        // The number deals what it always deals.
        TBoard board;
        GameTable table(&board);
        EXPECT_EQ(DealPrintout(fixture.table(), c.gameId, dealt),
                  (DealForPrinting(table, c.gameId, dealt), DealPrintout(table, c.gameId, dealt)));
        table.ForgetPiles();
    }
}

} // namespace
