#include "engine/Cardscmp.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

// A small test game on a shown table: column A holds five face-up cards (any face-up
// card may be dragged with the cards on it), column B takes anything, the foundation
// takes single cards, the refusing pile takes nothing.
struct MouseTable {
    MouseTable()
    {
        engineState() = EngineState{};
        engineState().Options.CardMovement = DragAndClick;
        engineState().Options.ClickSteps = 7;
        engineState().Options.DragSteps = 7;
        engineState().ShowMessage = [this](const QString &text) { messages.push_back(text); };
        engineState().SearchRandom.seed(7);
        cardPictures().SetCardSize(71, 96);
        box.resize(700, 500);
        board = new TBoard;
        box.SetBoard(board);
        a = addPile(10, 10);
        b = addPile(200, 10);
        foundation = addPile(400, 10, 0);
        foundation->SetShowEmpty(FoundationPile);
        refusing = addPile(550, 10);
        refusing->OnAddWithRule = TBoard::RefuseAdd;
        for (int i = 0; i < 5; ++i) {
            TCard *card = board->NewCard();
            card->CardID = i + 1;
            card->SetCardFace(2 * 256 + i + 1);
            card->SetFace(true);
            a->AddCard(card);
        }
        a->OnDragSelect = [](TCard *card, bool &action) { action = card->Face(); };
        b->OnAddWithRule = [](TDeck *, TCard *&, bool &action, bool) { action = true; };
        foundation->OnAddWithRule = [](TDeck *, TCard *&card, bool &action, bool) {
            action = card == card->HostDeck()->TopCard();
        };
        a->OnAfterDragCancelled = [this](TDeck *) { ++cancels; };
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    TDeck *addPile(int left, int top, int vShift = 20)
    {
        TDeck *deck = board->NewDeck();
        deck->SetHostBoard(board);
        deck->SetVLeft(left);
        deck->SetVTop(top);
        deck->SetVShift(vShift);
        return deck;
    }
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, at, board->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(board, &event);
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, at, button, button, modifiers);
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
    }
    void moveHeld(QPoint at) { send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(at, Qt::LeftButton, modifiers);
        release(at, Qt::LeftButton, modifiers);
    }
    void doubleClick(QPoint at)
    {
        click(at);
        send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        release(at);
    }
    // Presses on a point, moves past the threshold, then to `to`, and releases there.
    void dragFromTo(QPoint from, QPoint to)
    {
        press(from);
        moveHeld(from + QPoint(8, 8));
        moveHeld(to);
        release(to);
    }
    QPoint middleOf(const TCard *card) const { return card->BoundsRect().topLeft() + QPoint(35, 10); }

    TBoardScrollBox box;
    TBoard *board = nullptr;
    TDeck *a = nullptr, *b = nullptr, *foundation = nullptr, *refusing = nullptr;
    std::vector<QString> messages;
    int cancels = 0;
};

} // namespace

TEST(Dragging, DropsOnAPileOrOnItsCards)
{
    MouseTable t;
    t.dragFromTo(t.middleOf(t.a->TopCard()), t.b->BoundsRect().center());
    EXPECT_EQ(t.b->CardsCount(), 1);
    EXPECT_EQ(t.a->CardsCount(), 4);
    EXPECT_FALSE(engineState().Busy);
    EXPECT_FALSE(t.board->IsDragging());
    EXPECT_EQ(t.board->GameStarted(), 1);

    // A group from the middle, dropped on the card now lying in B.
    TCard *second = t.a->GetCard(3);
    t.dragFromTo(t.middleOf(second), t.b->TopCard()->BoundsRect().center());
    EXPECT_EQ(t.b->CardsCount(), 4);
    EXPECT_EQ(t.b->GetCard(3), second);
    EXPECT_EQ(t.board->MoveCount, 2);
    EXPECT_TRUE(t.board->Undo());
    EXPECT_EQ(t.a->CardsCount(), 4);
}

TEST(Dragging, ABareTableDropLandsWhereAProbeCornerLies)
{
    MouseTable t;
    const QPoint grab = t.middleOf(t.a->TopCard()); // 35, 10 inside the card
    // The image's top-right probe (61, 10) lies 5 pixels inside B's left edge; the cursor is outside B.
    const QPoint imageCorner(t.b->Left() - 61 + 5, t.b->Top() + 200);
    const QPoint cursor = imageCorner + QPoint(35, 10);
    t.b->SetVTop(t.b->VTop() + 200);
    EXPECT_EQ(t.board->CardAt(cursor), nullptr);
    EXPECT_EQ(t.board->DeckAt(cursor), nullptr);
    t.dragFromTo(grab, cursor);
    EXPECT_EQ(t.b->CardsCount(), 1);
}

TEST(Dragging, OwnPileAndRefusingPilesSendTheCardsHome)
{
    MouseTable t;
    const QPoint start = t.a->TopCard()->BoundsRect().topLeft();
    t.dragFromTo(t.middleOf(t.a->TopCard()), t.a->BoundsRect().center());
    EXPECT_EQ(t.a->CardsCount(), 5);
    EXPECT_EQ(t.cancels, 1);
    t.dragFromTo(t.middleOf(t.a->TopCard()), t.refusing->BoundsRect().center());
    EXPECT_EQ(t.refusing->CardsCount(), 0);
    EXPECT_EQ(t.cancels, 2);
    EXPECT_EQ(t.a->TopCard()->BoundsRect().topLeft(), start);
    EXPECT_TRUE(t.a->TopCard()->Visible());
    EXPECT_EQ(t.board->JournalPos, -1);
    EXPECT_FALSE(engineState().Busy);

    // A full pile refuses whatever its handler says.
    t.b->MaxCardCount = 0;
    t.dragFromTo(t.middleOf(t.a->TopCard()), t.b->BoundsRect().center());
    EXPECT_EQ(t.b->CardsCount(), 0);
    EXPECT_EQ(t.cancels, 3);
}

TEST(Dragging, StartsOnlyPastTheThresholdWithFaceUpCards)
{
    MouseTable t;
    TCard *top = t.a->TopCard();
    t.press(t.middleOf(top));
    t.moveHeld(t.middleOf(top) + QPoint(4, 4)); // within 5 pixels: still a click
    EXPECT_FALSE(t.board->IsDragging());
    t.moveHeld(t.middleOf(top) + QPoint(6, 0));
    EXPECT_TRUE(t.board->IsDragging());
    EXPECT_EQ(top->GrabOffset, QPoint(-35, -10));
    t.release(t.middleOf(top) + QPoint(6, 0));
    EXPECT_FALSE(t.board->IsDragging());

    t.a->GetCard(2)->SetFace(false);
    t.press(t.middleOf(t.a->GetCard(3)));
    t.moveHeld(t.middleOf(t.a->GetCard(3)) + QPoint(20, 20));
    EXPECT_FALSE(t.board->IsDragging());
    t.release(t.middleOf(t.a->GetCard(3)) + QPoint(20, 20));
}

TEST(Dragging, APressAtTheCardsEdgeDragsItByItsMiddle)
{
    MouseTable t;
    TCard *top = t.a->TopCard();
    const QPoint edge = top->BoundsRect().topLeft() + QPoint(0, 30);
    t.press(edge);
    t.moveHeld(edge + QPoint(10, 0));
    ASSERT_TRUE(t.board->IsDragging());
    EXPECT_EQ(top->GrabOffset, QPoint(-(71 / 2) - 1, -30));
    t.release(edge + QPoint(10, 0));
}

TEST(Dragging, TheImageShowsOverTheTableWithItsShadow)
{
    MouseTable t;
    TCard *top = t.a->TopCard();
    const QPoint from = t.middleOf(top);
    t.press(from);
    t.moveHeld(from + QPoint(8, 8));
    const QPoint to(300, 300);
    t.moveHeld(to);
    const QRect image = t.board->DragImageRect();
    EXPECT_EQ(image.topLeft(), to + top->GrabOffset);
    const QImage shot = t.board->grab().toImage();
    EXPECT_EQ(shot.pixelColor(image.center()), QColor(Qt::white));
    // The shadow darkens the table just beyond the card's right edge.
    const QColor shadow = shot.pixelColor(image.right() + 3, image.center().y());
    EXPECT_LT(shadow.green(), t.board->Color.green());
    EXPECT_EQ(shot.pixelColor(image.right() + 12, image.center().y()), t.board->Color);
    // The card has left its old place.
    EXPECT_NE(shot.pixelColor(top->BoundsRect().center() + QPoint(0, 30)), QColor(Qt::white));
    t.release(to);
}

TEST(Clicking, PointAndClickFollowsTheCardMovementOption)
{
    MouseTable t;
    TCard *top = t.a->TopCard();
    t.click(t.middleOf(top));
    EXPECT_EQ(t.board->SelectedDeck, t.a);
    EXPECT_TRUE(top->Selected());
    t.click(t.middleOf(top)); // the same pile again: deselect
    EXPECT_EQ(t.board->SelectedDeck, nullptr);
    EXPECT_FALSE(top->Selected());

    t.click(t.middleOf(top));
    t.click(t.b->BoundsRect().center());
    EXPECT_EQ(t.b->TopCard(), top);
    EXPECT_FALSE(top->Selected());

    engineState().Options.CardMovement = DragAndDrop;
    t.click(t.middleOf(t.a->TopCard()));
    EXPECT_EQ(t.board->SelectedDeck, nullptr);
    t.a->AlwaysClickable = true;
    t.click(t.middleOf(t.a->TopCard()));
    EXPECT_EQ(t.board->SelectedDeck, t.a);
}

TEST(Clicking, ARefusedMoveWarnsOrKeepsTheSelection)
{
    MouseTable t;
    t.click(t.middleOf(t.a->TopCard()));
    t.click(t.refusing->BoundsRect().center());
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0], QStringLiteral("This move is not allowed"));
    EXPECT_EQ(t.board->SelectedDeck, nullptr);

    t.board->WarnEnabled = false;
    t.click(t.middleOf(t.a->TopCard()));
    t.click(t.refusing->BoundsRect().center());
    EXPECT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.board->SelectedDeck, t.a);
    EXPECT_TRUE(t.a->TopCard()->Selected());
    t.click(t.middleOf(t.a->TopCard()));

    // An accepting handler that hands back no card moves nothing.
    t.b->OnAddWithRule = [](TDeck *, TCard *&card, bool &action, bool) {
        action = true;
        card = nullptr;
    };
    t.click(t.middleOf(t.a->TopCard()));
    t.click(t.b->BoundsRect().center());
    EXPECT_EQ(t.b->CardsCount(), 0);
    EXPECT_EQ(t.a->CardsCount(), 5);

    // A pile of capacity 0 refuses a click-move (a move from code would pass).
    t.b->MaxCardCount = 0;
    t.board->WarnEnabled = true;
    t.click(t.middleOf(t.a->TopCard()));
    t.click(t.b->BoundsRect().center());
    EXPECT_EQ(t.messages.size(), 2u);
}

TEST(Clicking, RightClickSendsTheCardToTheBestPile)
{
    MouseTable t;
    TCard *top = t.a->TopCard();
    t.press(t.middleOf(top), Qt::RightButton);
    t.release(t.middleOf(top), Qt::RightButton);
    EXPECT_EQ(t.foundation->TopCard(), top); // a foundation comes first
    EXPECT_EQ(t.board->GameStarted(), 1);

    // With "Ctrl + Right Click" a plain right press on a showable card shows it whole.
    engineState().Options.RightClick = false;
    t.a->CanShowCard = true;
    TCard *covered = t.a->GetCard(3);
    t.press(t.middleOf(covered), Qt::RightButton);
    EXPECT_EQ(t.board->PeekCard, covered);
    const QImage shown = t.board->grab().toImage();
    EXPECT_EQ(shown.pixelColor(covered->BoundsRect().center() + QPoint(0, 30)), QColor(Qt::white));
    t.release(t.middleOf(covered), Qt::RightButton);
    EXPECT_EQ(t.board->PeekCard, nullptr);
    EXPECT_EQ(t.a->CardsCount(), 4);
    t.press(t.middleOf(t.a->TopCard()), Qt::RightButton, Qt::ControlModifier);
    t.release(t.middleOf(t.a->TopCard()), Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(t.a->CardsCount(), 3);
}

TEST(Clicking, CtrlClickMakesThePilesFirstMove)
{
    MouseTable t;
    t.foundation->OnAddWithRule = TBoard::RefuseAdd;
    TCard *top = t.a->TopCard();
    t.click(t.middleOf(top), Qt::ControlModifier);
    EXPECT_EQ(t.b->TopCard(), top);
    EXPECT_EQ(t.board->SelectedDeck, nullptr);
}

TEST(Clicking, DoubleClickLetsTheGameAct)
{
    MouseTable t;
    int doubles = 0;
    t.a->OnDoubleSelect = [&](TDeck *deck) {
        ++doubles;
        t.foundation->MoveCard(deck->TopCard());
    };
    t.doubleClick(t.middleOf(t.a->TopCard()));
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(t.foundation->CardsCount(), 1);
    EXPECT_EQ(t.board->SelectedDeck, nullptr);
}

TEST(MoveSearch, NextCyclesThroughEveryCandidateAndWraps)
{
    MouseTable t;
    TCard *card = nullptr;
    TDeck *deck = nullptr;
    ASSERT_TRUE(t.board->FindMove(card, deck, false));
    const int count = t.board->Candidates.Count;
    EXPECT_EQ(count, 2); // the top card of A to B or to the foundation (the refusing pile never)
    EXPECT_EQ(deck, t.foundation);
    std::set<TDeck *> seen{deck};
    for (int i = 1; i < count; ++i) {
        card = nullptr;
        ASSERT_TRUE(t.board->FindMove(card, deck, true));
        seen.insert(deck);
    }
    EXPECT_EQ(int(seen.size()), count);
    card = nullptr;
    t.board->FindMove(card, deck, true);
    EXPECT_EQ(t.board->Candidates.Current, 1);
    EXPECT_EQ(deck, t.foundation);
}

TEST(MoveSearch, AnyCardGroupsOfferEveryDeeperCard)
{
    MouseTable t;
    static const TRule anyCard{"AnyCard", nullptr, "regardless of rank and suit", 0, nullptr, true};
    t.a->GroupRule = &anyCard;
    t.b->GroupRule = &anyCard;
    t.foundation->OnAddWithRule = TBoard::RefuseAdd;
    // B takes the third card from the top as a group; the walk then offers the deeper ones.
    t.b->OnAddWithRule = [&](TDeck *, TCard *&card, bool &action, bool) {
        action = true;
        if (card == t.a->TopCard())
            card = t.a->GetCard(3);
    };
    TCard *card = nullptr;
    TDeck *deck = nullptr;
    ASSERT_TRUE(t.board->FindMove(card, deck, false));
    EXPECT_EQ(t.board->Candidates.Count, 3); // cards 3, 4 and 5 from the top
}
