#include "support/main_window_fixture.h"

#include "app/game_session.h"
#include "app/shuffle_form.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_table.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

namespace {

// Chooses a game as the game selection dialog does and deals it with a fixed number.
void playGame(MainWindowFixture &fixture, int gameId, quint32 number)
{
    TMain_F &window = fixture.Window();
    window.Board1->Animate = false;
    engineState().Options.FlipEnabled = false;
    GameTable &table = window.Table();
    table.PreviousGameId = table.CurrentGameId;
    table.CurrentGameId = gameId;
    window.ApplyGameSettings(gameId);
    window.Session().GameNumber = number;
    window.Session().RestartGame();
}

// One tick of the table's automatic cycle, as its timer runs it.
bool runCycle(TBoard *board)
{
    return QMetaObject::invokeMethod(board->AutoTimer(), "timeout");
}

void sendMouse(TBoard *board, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, board->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(board, &event);
}

// Where the mouse points at a pile: its top card, or the empty pile itself.
QPoint spotOf(TDeck *pile)
{
    return pile->TopCard() ? pile->TopCard()->BoundsRect().center() : pile->BoundsRect().center();
}

void dragWithMouse(TBoard *board, TCard *card, TDeck *target)
{
    const QPoint grab = card->BoundsRect().center();
    sendMouse(board, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    sendMouse(board, QEvent::MouseMove, grab + QPoint(12, 12), Qt::LeftButton);
    EXPECT_EQ(board->DraggedCard(), card) << "the card under the mouse is picked up";
    const QPoint drop = spotOf(target);
    sendMouse(board, QEvent::MouseMove, drop, Qt::LeftButton);
    sendMouse(board, QEvent::MouseButtonRelease, drop, Qt::NoButton);
}

void clickWithMouse(TBoard *board, TDeck *pile)
{
    const QPoint at = spotOf(pile);
    sendMouse(board, QEvent::MouseButtonPress, at, Qt::LeftButton);
    sendMouse(board, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// The card of the first pack with this suit and rank.
TCard *cardOf(GameTable &table, int suit, int rank)
{
    return table.Card((suit - 1) * 13 + rank - 1);
}

enum Suit { Clubs = 1, Diamonds = 2, Hearts = 3, Spades = 4 };

// Lays the cards on the pile in order, the last on top, each taken from wherever it lies;
// the first is face down, the others face up. The journal does not see the arrangement.
void arrange(TBoard *board, TDeck *pile, const std::vector<TCard *> &cards)
{
    board->Recording = false;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        TCard *card = cards[i];
        if (TDeck *holder = card->HostDeck())
            holder->RemoveCard(card);
        card->SetVisible(true);
        pile->AddCard(card);
        card->BringToFront();
        card->SetFace(i > 0);
    }
    board->Recording = true;
}

// Moves every card of the pile onto another one, leaving it empty.
void emptyPile(TBoard *board, TDeck *pile, TDeck *onto)
{
    board->Recording = false;
    while (TCard *card = pile->TopCard()) {
        pile->RemoveCard(card);
        onto->AddCard(card);
        card->BringToFront();
    }
    board->Recording = true;
}

// The pile's cards from the top down.
std::vector<TCard *> topDown(const TDeck *pile)
{
    std::vector<TCard *> cards;
    for (TCard *card = pile->TopCard(); card; card = card->Below)
        cards.push_back(card);
    return cards;
}

TEST(PlayFixes, ShowNextMoveStepsThroughTheMovesWhileTheCycleRuns)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    TBoard *board = window.Board1;
    // A hint list started afresh at every tick shows this deal's best few moves over and over.
    playGame(fixture, GameIds::FreeCell, 5);
    ASSERT_TRUE(board->AutoTimer()->isActive());
    for (int tick = 0; tick < 20; ++tick)
        ASSERT_TRUE(runCycle(board));
    board->SetGameStarted(1);

    // What the player sees of each hint: the card shown first, then the pile it would go to.
    std::vector<std::pair<TCard *, TDeck *>> shown;
    fixture.onWait = [&](int) {
        const int wait = int(fixture.waits.size());
        if (wait == 1) {
            for (const auto &card : board->Cards())
                if (card->Selected() && !(card->Below && card->Below->Selected()))
                    shown.push_back({card.get(), nullptr});
        } else if (wait == 3 && !shown.empty()) {
            for (const auto &card : board->Cards())
                if (card->Selected())
                    shown.back().second = card->HostDeck();
            for (const auto &pile : board->Decks())
                if (pile->ShowEmpty() == SecondPlainMark)
                    shown.back().second = pile.get();
        }
    };

    const int journal = int(board->Journal().size());
    for (int press = 0; press < 6; ++press) {
        window.TimeTimerTimer();
        ASSERT_TRUE(window.ShowNextMove1->isEnabled());
        fixture.waits.clear();
        window.ShowNextMove1->trigger();
        ASSERT_EQ(int(shown.size()), press + 1);
        ASSERT_NE(shown.back().second, nullptr);
        // The cycle goes on between the presses.
        ASSERT_TRUE(board->AutoTimer()->isActive());
        for (int tick = 0; tick < 3; ++tick)
            ASSERT_TRUE(runCycle(board));
    }
    const std::set<std::pair<TCard *, TDeck *>> different(shown.begin(), shown.end());
    EXPECT_EQ(different.size(), shown.size());
    EXPECT_EQ(int(board->Journal().size()), journal) << "a hint moves nothing";
}

enum class Route { Drag, Click };

struct MoveCase {
    const char *name;
    int gameId;
    // The column the cards come from, from its bottom up (the first lies face down), and the
    // card the player takes: its top card.
    std::vector<std::pair<int, int>> source;
    // The target column's cards from the bottom up; none: the column is emptied.
    std::vector<std::pair<int, int>> target;
    // How many cards from the top of the source are expected to move.
    int moved;
};

TEST(PlayFixes, DropAndClickMoveTheSameCards)
{
    const MoveCase cases[] = {
        // The 8 does not fit the red 10; the black 9 it lies on does.
        {"Klondike deeper card", GameIds::Klondike, {{Diamonds, 2}, {Spades, 9}, {Hearts, 8}},
         {{Clubs, 3}, {Hearts, 10}}, 2},
        {"Klondike King to an empty column", GameIds::Klondike,
         {{Diamonds, 2}, {Spades, 13}, {Hearts, 12}, {Spades, 11}}, {}, 3},
        {"Yukon deeper card", GameIds::Yukon, {{Diamonds, 2}, {Spades, 9}, {Diamonds, 4}, {Hearts, 8}},
         {{Clubs, 3}, {Hearts, 10}}, 3},
        {"Yukon King to an empty column", GameIds::Yukon,
         {{Diamonds, 2}, {Spades, 13}, {Diamonds, 4}, {Spades, 11}}, {}, 3},
    };
    for (const MoveCase &c : cases) {
        for (Route route : {Route::Drag, Route::Click}) {
            SCOPED_TRACE(std::string(c.name) + (route == Route::Drag ? " by drag" : " by clicks"));
            MainWindowFixture fixture;
            TMain_F &window = fixture.Window();
            ASSERT_TRUE(fixture.ShowActive());
            playGame(fixture, c.gameId, 3);
            engineState().Options.CardMovement = DragAndClick;
            GameTable &table = window.Table();
            TBoard *board = window.Board1;
            TDeck *source = table.Tableau[1];
            TDeck *target = table.Tableau[2];
            const auto cards = [&](const std::vector<std::pair<int, int>> &faces) {
                std::vector<TCard *> list;
                for (const auto &[suit, rank] : faces)
                    list.push_back(cardOf(table, suit, rank));
                return list;
            };
            TDeck *spare = table.Tableau[7];
            emptyPile(board, source, spare);
            emptyPile(board, target, spare);
            arrange(board, source, cards(c.source));
            if (!c.target.empty())
                arrange(board, target, cards(c.target));
            QApplication::processEvents();

            const std::vector<TCard *> before = topDown(source);
            const std::vector<TCard *> targetBefore = topDown(target);
            if (route == Route::Drag) {
                dragWithMouse(board, source->TopCard(), target);
                EXPECT_FALSE(board->IsDragging());
            } else {
                clickWithMouse(board, source);
                clickWithMouse(board, target);
            }

            // The run from the deeper card lies on the target in its order, the rest stays.
            std::vector<TCard *> expected(before.begin(), before.begin() + c.moved);
            expected.insert(expected.end(), targetBefore.begin(), targetBefore.end());
            EXPECT_EQ(topDown(target), expected);
            EXPECT_EQ(topDown(source), std::vector<TCard *>(before.begin() + c.moved, before.end()));
            // One Undo takes the whole move back.
            window.NewUndo1->trigger();
            EXPECT_EQ(topDown(source), before);
            EXPECT_EQ(topDown(target), targetBefore);
        }
    }
}

TEST(PlayFixes, AutoplayIsOfferedByTheGameThatIsDealt)
{
    const struct {
        int gameId;
        bool offered;
    } cases[] = {
        {GameIds::Spider, true},     {GameIds::SpiderTwoSuit, true}, {GameIds::SpiderOneSuit, true},
        {GameIds::Klondike, true},   {GameIds::Carpet, false},       {GameIds::Nestor, false},
        {GameIds::MonteCarlo, false},
    };
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    for (const auto &c : cases) {
        playGame(fixture, c.gameId, 11);
        EXPECT_EQ(window.ItemShown(window.Autoplay1), c.offered) << c.gameId;
        window.RefreshItemStates();
        EXPECT_EQ(window.ItemShown(window.Autoplay1), c.offered) << c.gameId << " after the menu refresh";
    }
}

TEST(PlayFixes, StatusTipDoesNotOutliveItsGame)
{
    const struct {
        int firstGame;
        int nextGame;
    } cases[] = {
        {GameIds::Klondike, GameIds::FreeCell},
        {GameIds::Spider, GameIds::Nestor},
        {GameIds::Klondike, GameIds::Klondike},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.firstGame * 1000 + c.nextGame);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        ASSERT_TRUE(fixture.ShowActive());
        playGame(fixture, c.firstGame, 4);
        TBoard *board = window.Board1;
        ASSERT_TRUE(board->TipsInStatus);

        // The mouse rests on the stock: the panel shows the stock's tip.
        TDeck *stock = window.Table().Stock;
        ASSERT_NE(stock, nullptr);
        sendMouse(board, QEvent::MouseMove, spotOf(stock), Qt::NoButton);
        const QString stockTip = window.Panels[TipPanel]->text();
        ASSERT_EQ(stockTip, stock->TipText());
        ASSERT_FALSE(stockTip.trimmed().isEmpty());

        playGame(fixture, c.nextGame, 5);
        EXPECT_EQ(window.Panels[TipPanel]->text(), QStringLiteral(" ")) << "no pile has been pointed at yet";

        // A pile of the new game puts up its own tip.
        TDeck *column = window.Table().Tableau[1];
        ASSERT_NE(column, nullptr);
        sendMouse(board, QEvent::MouseMove, spotOf(column), Qt::NoButton);
        EXPECT_EQ(window.Panels[TipPanel]->text(), column->TipText());
    }
}

TEST(PlayFixes, SelectShuffleTypesOnlyDigitsAndOffersEveryRecentNumber)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    window.Board1->Animate = false;
    GameSession &session = window.Session();
    // Every new deal puts its number first in the session's list of recent numbers.
    for (int deal = 0; deal < GameSession::RecentNumbersLimit + 2; ++deal)
        session.NewGame();
    const QStringList recent = session.RecentGameNumbers;
    ASSERT_EQ(recent.size(), GameSession::RecentNumbersLimit);

    TShuffle_Form form(recent, &window);
    int beeps = 0;
    form.Beep = [&beeps] { ++beeps; };
    form.show();
    QStringList offered;
    for (int i = 0; i < form.Shuffle_CB->count(); ++i)
        offered << form.Shuffle_CB->itemText(i);
    EXPECT_EQ(offered, recent);
    EXPECT_EQ(form.Shuffle_CB->currentText(), recent.first());

    QWidget *box = form.focusWidget();
    ASSERT_TRUE(box == form.Shuffle_CB || box == form.Shuffle_CB->lineEdit()) << "the number box has the focus";
    // The first entry is selected: typing replaces it.
    QTest::keyClicks(box, QStringLiteral("4a2 -x!7("));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form.Shuffle_CB->currentText().toStdString(), "427");
    EXPECT_EQ(beeps, 7) << "a, space, -, x, !, ( and Ctrl+Z";
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(form.Shuffle_CB->currentText().toStdString(), "42");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Number(), 42u);
    EXPECT_EQ(beeps, 7);
}

} // namespace
