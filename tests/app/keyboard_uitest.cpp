// Whole games played from the keyboard through the real main window.
#include "support/main_window_fixture.h"

#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/freecell.h"
#include "games/game_definitions.h"
#include "games/game_table.h"

#include <QAccessible>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

struct KeyTable : MainWindowFixture {
    KeyTable()
    {
        EXPECT_TRUE(ShowActive());
        engineState().Options.DragSteps = 7;
        Window().Board1->Animate = false;
        engineState().Options.FlipEnabled = false;
    }
    TBoard &board() { return *Window().Board1; }
    GameTable &table() { return Window().Table(); }
    void deal(int gameId, quint32 number)
    {
        table().CurrentGameId = gameId;
        Window().ApplyGameSettings(gameId);
        Window().Session().GameNumber = number;
        Window().Session().RestartGame();
    }
    // Deals the first number from 1 on whose table `fits` holds.
    bool dealWhere(int gameId, const std::function<bool()> &fits)
    {
        for (quint32 number = 1; number < 400; ++number) {
            deal(gameId, number);
            if (fits())
                return true;
        }
        return false;
    }
    void key(Qt::Key k) { QTest::keyClick(&board(), k); }
    // Walks to the pile in reading order from the first one.
    void reach(TDeck *target)
    {
        key(Qt::Key_Home);
        for (int step = 0; step < 300 && board().FocusedDeck() != target; ++step)
            key(Qt::Key_Right);
        ASSERT_EQ(board().FocusedDeck(), target);
    }
    // Every pile's cards, to see that nothing moved.
    std::vector<std::vector<int>> layout()
    {
        std::vector<std::vector<int>> piles;
        for (const auto &deck : board().Decks()) {
            piles.emplace_back();
            for (TCard *card = deck->TopCard(); card; card = card->Below)
                piles.back().push_back(card->CardID);
        }
        return piles;
    }
};

bool red(const TCard *card)
{
    return card->Suit() == 2 || card->Suit() == 3;
}

// The Klondike column whose top card is an Ace.
TDeck *columnWithAce(GameTable &table)
{
    for (int i = 1; i <= 7; ++i)
        if (table.Tableau[i]->TopCard()->Rank() == 1)
            return table.Tableau[i];
    return nullptr;
}

} // namespace

TEST(KeyboardPlay, AKlondikeAceReachesAFoundationByEveryKeyRoute)
{
    const struct {
        const char *name;
        std::vector<Qt::Key> keys; // pressed on the Ace's column
        bool drop;                 // then Enter on the first foundation
    } routes[] = {{"pick up and drop", {Qt::Key_Return}, true},
                  {"F", {Qt::Key_F}, false},
                  {"double Enter", {Qt::Key_Return, Qt::Key_Return}, false}};
    for (const auto &route : routes) {
        SCOPED_TRACE(route.name);
        KeyTable t;
        ASSERT_TRUE(t.dealWhere(GameIds::Klondike, [&t] { return columnWithAce(t.table()) != nullptr; }));
        TDeck *column = columnWithAce(t.table());
        TCard *ace = column->TopCard();
        const int score = t.board().Score();
        t.reach(column);
        for (Qt::Key k : route.keys)
            t.key(k);
        if (route.drop) {
            EXPECT_EQ(t.board().KeyboardHeldCard(), ace);
            t.reach(t.table().Foundations[1]);
            t.key(Qt::Key_Return);
        }
        EXPECT_EQ(ace->HostDeck()->ShowEmpty(), FoundationPile);
        EXPECT_EQ(t.board().Score(), score + t.board().FoundationPoints);
        EXPECT_TRUE(column->TopCard()->Face()); // the card beneath was turned up

        // Enter on the stock deals as a click does.
        const int stock = t.table().Stock->CardsCount();
        t.reach(t.table().Stock);
        t.key(Qt::Key_Return);
        EXPECT_EQ(t.table().Stock->CardsCount(), stock - t.table().CardsPerDeal);
        TDeck *dealtTo = t.table().WasteFan ? t.table().WasteFan : t.table().Waste;
        EXPECT_EQ(dealtTo->CardsCount(), t.table().CardsPerDeal);
    }
}

TEST(KeyboardPlay, AFreeCellRunMovesByKeysThroughTheFreeCells)
{
    KeyTable t;
    PileRow &columns = t.table().Tableau;
    int from = 0, to = 0;
    ASSERT_TRUE(t.dealWhere(GameIds::FreeCell, [&] {
        for (from = 1; from <= 8; ++from)
            for (to = 1; to <= 8; ++to) {
                const TCard *top = columns[from]->TopCard(), *run = top->Below, *on = columns[to]->TopCard();
                if (from != to && run->Rank() == top->Rank() + 1 && red(run) != red(top)
                    && on->Rank() == run->Rank() + 1 && red(on) != red(run))
                    return true;
            }
        return false;
    }));
    TCard *run = columns[from]->TopCard()->Below;
    t.reach(columns[from]);
    t.key(Qt::Key_Up); // to the deeper card of the run
    t.key(Qt::Key_Return);
    EXPECT_EQ(t.board().KeyboardHeldCard(), run);
    t.reach(columns[to]);
    t.key(Qt::Key_Return);
    EXPECT_EQ(columns[to]->TopCard()->Below, run);
    // With every cell taken (by "F") a run is more than the spares carry: it cannot be taken.
    for (int other = 1; other <= 8 && t.table().Cells[4]->CardsCount() == 0; ++other)
        if (other != to) {
            t.reach(columns[other]);
            t.key(Qt::Key_F);
        }
    ASSERT_EQ(t.table().Cells[4]->CardsCount(), 1);
    t.reach(columns[to]);
    t.key(Qt::Key_Up);
    t.key(Qt::Key_Return);
    EXPECT_EQ(t.board().KeyboardHeldCard(), nullptr);
}

TEST(KeyboardPlay, AFreeCellDealIsWonByKeysAlone)
{
    const QString solver = QStandardPaths::findExecutable(QStringLiteral("fc-solve"));
    if (solver.isEmpty())
        GTEST_SKIP() << "fc-solve (package freecell-solver-bin) is not installed";
    KeyTable t;
    t.deal(GameIds::FreeCell, 1);
    QProcess process;
    process.start(solver, {QStringLiteral("-m"), QStringLiteral("-snx"), QStringLiteral("-")});
    process.write(FreeCellSolverBoard(t.table()).toLatin1());
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    // Single-card moves in the solver's notation: columns 1..8, cells a..d, foundations h.
    // The cycle never runs between them (no events), so every card goes by the keys.
    const auto pile = [&t](QChar place) {
        return place.isDigit() ? t.table().Tableau[place.digitValue()] : t.table().Cells[place.unicode() - 'a' + 1];
    };
    const QRegularExpression move(QStringLiteral("^[1-8a-d][1-8a-dh]$"));
    const QString solution = QString::fromLatin1(process.readAllStandardOutput());
    for (const QString &word : solution.split(QRegularExpression(QStringLiteral("\\s+")))) {
        if (!move.match(word).hasMatch())
            continue;
        SCOPED_TRACE(word.toStdString());
        TDeck *from = pile(word[0]), *to = word[1] == QLatin1Char('h') ? nullptr : pile(word[1]);
        const TCard *card = from->TopCard();
        for (int f = 1; f <= 4 && !to; ++f)
            if (TCard *top = t.table().Foundations[f]->TopCard(); top ? top->Suit() == card->Suit() : card->Rank() == 1)
                to = t.table().Foundations[f];
        t.reach(from);
        t.key(Qt::Key_Return);
        t.reach(to);
        t.key(Qt::Key_Return);
        ASSERT_EQ(card->HostDeck(), to);
    }
    EXPECT_EQ(t.board().Score(), 208);
    EXPECT_TRUE(QTest::qWaitFor([&t] { return !t.wonGames.isEmpty(); })); // the cycle sees the game won
}

TEST(KeyboardPlay, EscapeAndARefusedDropLeaveTheTableAsItWas)
{
    const struct {
        const char *name;
        bool escape, warnings, stillHeld;
        int messages;
    } cases[] = {{"Escape", true, true, false, 0},
                 {"refused with warnings", false, true, false, 1},
                 {"refused without warnings", false, false, true, 0}};
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        KeyTable t;
        t.deal(GameIds::Klondike, 5);
        t.board().WarnEnabled = test.warnings;
        const auto before = t.layout();
        t.reach(t.table().Tableau[1]);
        t.key(Qt::Key_Return);
        ASSERT_NE(t.board().KeyboardHeldCard(), nullptr);
        t.reach(t.table().Stock);
        t.key(test.escape ? Qt::Key_Escape : Qt::Key_Return);
        EXPECT_EQ(t.layout(), before);
        EXPECT_EQ(t.board().KeyboardHeldCard() != nullptr, test.stillHeld);
        EXPECT_EQ(t.questions.size(), test.messages);
        if (test.messages) {
            EXPECT_EQ(t.questions.last(), QStringLiteral("inform: This move is not allowed"));
        }
    }
}

TEST(KeyboardPlay, EveryPileOfEveryGameIsReachedAndTheArrowsFollowTheLayout)
{
    KeyTable t;
    for (const GameDefinition *game : DealtGames()) {
        SCOPED_TRACE(game->name);
        t.deal(game->id, 3);
        std::set<std::pair<int, int>> places, reached;
        for (const auto &deck : t.board().Decks())
            if (deck->Visible())
                places.insert({deck->Left(), deck->Top()});
        t.key(Qt::Key_End);
        const TDeck *last = t.board().FocusedDeck();
        t.key(Qt::Key_Home);
        for (int step = 0; step < 300; ++step) {
            const TDeck *at = t.board().FocusedDeck();
            reached.insert({at->Left(), at->Top()});
            // Right goes to the right in the row, or on to the next row.
            if (at == last)
                break;
            t.key(Qt::Key_Right);
            const TDeck *next = t.board().FocusedDeck();
            ASSERT_TRUE(next->Top() > at->Top() || next->Left() > at->Left()) << step;
        }
        EXPECT_EQ(reached, places);
    }
}

TEST(KeyboardPlay, TheFocusFrameShowsFromTheFirstKeyUntilTheMousePress)
{
    KeyTable t;
    t.deal(GameIds::Klondike, 5);
    const QColor focus = t.board().palette().color(QPalette::Active, QPalette::Highlight);
    const auto frameShown = [&t, &focus](const QRect &frame) {
        const QImage picture = t.board().grab().toImage();
        const qreal ratio = picture.devicePixelRatio();
        return QColor(picture.pixel(int((frame.left() + 1) * ratio), int(frame.center().y() * ratio))) == focus
            && QColor(picture.pixel(int(frame.center().x() * ratio), int((frame.bottom() - 1) * ratio))) == focus;
    };
    t.key(Qt::Key_Return); // only shows the focus
    const QRect frame = t.board().FocusFrameRect();
    ASSERT_FALSE(frame.isEmpty());
    EXPECT_EQ(t.board().KeyboardHeldCard(), nullptr);
    EXPECT_TRUE(frameShown(frame));
    QTest::mouseClick(&t.board(), Qt::LeftButton, {}, QPoint(t.board().width() - 5, t.board().height() - 5));
    EXPECT_FALSE(t.board().FocusShown());
    EXPECT_FALSE(frameShown(frame));
}

TEST(KeyboardPlay, AScreenReaderHearsTheFocusedCardAndTheStatusBar)
{
    KeyTable t;
    t.deal(GameIds::Klondike, 5);
    t.session->Data().settings.Cards.BuildingTips = true;
    t.board().TipsInStatus = true;
    TDeck *third = t.table().Tableau[3];
    const struct {
        TDeck *pile;
        int face; // 0: as dealt
        QString heard;
    } cases[] = {
        {third, 3 * 256 + 7, QStringLiteral("Seven of hearts, tableau 3, 3 cards")},
        {third, 1 * 256 + 1, QStringLiteral("Ace of clubs, tableau 3, 3 cards")},
        {t.table().Tableau[1], 4 * 256 + 12, QStringLiteral("Queen of spades, tableau 1, 1 card")},
        {t.table().Foundations[2], 0, QStringLiteral("Empty, foundation 2, 0 cards")},
        {t.table().Stock, 0, QStringLiteral("Face-down card, stock, 24 cards")},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.heard.toStdString());
        if (test.face)
            test.pile->TopCard()->SetCardFace(test.face);
        t.reach(test.pile);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&t.board());
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->focusChild(), nullptr);
        EXPECT_EQ(table->focusChild()->text(QAccessible::Name), test.heard);
        QAccessibleInterface *tip = QAccessible::queryAccessibleInterface(t.Window().Panels[TipPanel]);
        EXPECT_EQ(tip->text(QAccessible::Name), test.pile->TipText());
    }
}

TEST(KeyboardPlay, AMonteCarloPairGoesByKeysAndTabReachesReArrange)
{
    KeyTable t;
    t.deal(GameIds::MonteCarlo, 5);
    TDeck *discard = t.table().Foundations[1];
    for (int i = 1; i <= 25 && discard->CardsCount() == 0; ++i) {
        t.reach(t.table().Tableau[i]);
        t.key(Qt::Key_F);
    }
    ASSERT_EQ(discard->CardsCount(), 2);
    TBoardButton *button = t.board().Buttons().front();
    EXPECT_TRUE(QTest::qWaitFor([button] { return button->isEnabled(); })); // the game's cycle enables it
    t.key(Qt::Key_Tab);
    ASSERT_TRUE(button->hasFocus());
    QTest::keyClick(button, Qt::Key_Return);
    for (int i = 1; i <= 25; ++i)
        EXPECT_EQ(t.table().Tableau[i]->CardsCount(), 1) << i; // the gaps closed and refilled
    QTest::keyClick(button, Qt::Key_Tab);
    EXPECT_TRUE(t.board().hasFocus());
}
