#include "support/main_window_fixture.h"
#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "store/won_figures.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// One step of a simple player: a source pile and a target (no target: click the source).
struct Step {
    TDeck *source = nullptr;
    TDeck *target = nullptr;
};

bool accepts(TDeck *target, TCard *card, TCard **moving = nullptr)
{
    bool action = false;
    TCard *asked = card;
    target->OnAddWithRule(target, asked, action, false);
    if (moving)
        *moving = asked;
    return action && asked;
}

// Foundations first, then column moves that uncover or empty something, then the waste onto
// a column, then the stock. Never undoes progress, so every game ends.
std::optional<Step> chooseStep(GameTable &table)
{
    TDeck *wasteSide = table.WasteFan && table.WasteFan->CardsCount() > 0 ? table.WasteFan : table.Waste;
    std::vector<TDeck *> sources{wasteSide};
    for (int i = 1; i <= 7; ++i)
        sources.push_back(table.Tableau[i]);
    for (TDeck *source : sources)
        if (TCard *top = source->TopCard(); top && top->Face())
            for (int f = 1; f <= 4; ++f)
                if (accepts(table.Foundations[f], top))
                    return Step{source, table.Foundations[f]};
    for (int i = 1; i <= 7; ++i) {
        TDeck *source = table.Tableau[i];
        TCard *top = source->TopCard();
        if (!top)
            continue;
        for (int j = 1; j <= 7; ++j) {
            TDeck *target = table.Tableau[j];
            TCard *moving = nullptr;
            if (j == i || !accepts(target, top, &moving))
                continue;
            const bool uncovers = moving->Below && !moving->Below->Face();
            const bool empties = !moving->Below && target->CardsCount() > 0;
            if (uncovers || empties)
                return Step{source, target};
        }
    }
    if (TCard *top = wasteSide->TopCard())
        for (int j = 1; j <= 7; ++j)
            if (accepts(table.Tableau[j], top))
                return Step{wasteSide, table.Tableau[j]};
    if (table.Stock->CardsCount() > 0
        || (table.Stock->ShowEmpty() == StockRedeal && table.Waste->CardsCount() + table.WasteFan->CardsCount() > 0
            && table.Board()->Rotation_Counter() < table.Board()->Rotation_Number))
        return Step{table.Stock, nullptr};
    return std::nullopt;
}

// Plays until won or stuck; click performs a click on a pile. True when won.
bool play(GameTable &table, const std::function<void(TDeck *)> &click)
{
    for (int step = 0; step < 1500; ++step) {
        for (int tick = 0; tick < 60 && !IsGameWon(table.Foundations, 4) && table.Foundations[1]; ++tick) {
            Uni_Timer(table);
            if (table.Board()->AutoTimer())
                table.Board()->AutoTimer()->stop();
        }
        if (!table.Foundations[1] || IsGameWon(table.Foundations, 4))
            return true;
        const std::optional<Step> next = chooseStep(table);
        if (!next)
            return false;
        click(next->source);
        if (next->target)
            click(next->target);
    }
    return false;
}

// A game number the simple player wins, found on a table that is never shown.
quint32 winnableNumber()
{
    for (quint32 number = 1; number < 2000; ++number) {
        TBoard board;
        board.Animate = false;
        GameTable table(&board);
        DealForPrinting(table, 108, number);
        const bool won = play(table, [](TDeck *pile) { pile->Click(); });
        table.ForgetPiles();
        if (won)
            return number;
    }
    return 0;
}

void mouseClick(TBoard *board, TDeck *pile)
{
    const QPoint at = pile->TopCard() ? pile->TopCard()->BoundsRect().center() : pile->BoundsRect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const bool press = type == QEvent::MouseButtonPress;
        QMouseEvent event(type, at, board->mapToGlobal(at), Qt::LeftButton, press ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(board, &event);
    }
}

TEST(KlondikeWindow, AWholeGameIsPlayedWithTheMouseAndWon)
{
    engineState() = EngineState{};
    engineState().Options.CardMovement = DragAndClick;
    engineState().Options.ClickSteps = 7;
    engineState().Options.FlipEnabled = false;
    const quint32 number = winnableNumber();
    ASSERT_NE(number, 0u);

    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    QStringList messages;
    engineState().Options.CardMovement = DragAndClick;
    engineState().Options.ClickSteps = 7;
    engineState().Options.FlipEnabled = false;
    engineState().ShowMessage = [&messages](const QString &text) { messages << text; };
    GameSession &session = window.Session();
    GameTable &table = window.Table();
    table.CurrentGameId = GameIds::Klondike;
    session.GameNumber = number;
    session.RestartGame();
    ASSERT_EQ(session.GameNumber, number);
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" Klondike [#%1]").arg(number));
    ASSERT_TRUE(fixture.ShowActive());

    // The won dialog answers Cancel at once.
    const bool won = play(table, [&window](TDeck *pile) { mouseClick(window.Board1, pile); });
    EXPECT_TRUE(won);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(fixture.wonGames, QStringList{QStringLiteral("Klondike")});
    // After the dialog the table is empty until the next deal.
    EXPECT_EQ(window.Board1->Score(), -1000);
    EXPECT_TRUE(window.Board1->Decks().empty());
    EXPECT_EQ(window.Board1->GameStarted(), 0);

    // F2 deals again.
    QTest::keyClick(window.Board1, Qt::Key_F2);
    EXPECT_EQ(window.Board1->Score(), -52);
    EXPECT_EQ(table.Tableau.Count(), 7);
}

} // namespace
