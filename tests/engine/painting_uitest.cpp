#include "engine/Cardscmp.h"
#include "tests/engine/support/test_pictures.h"

#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace TestPictures;

namespace {

const QColor Table(0, 128, 0);

// A shown table painted with the test pictures; the picture table is given back as it was.
struct PaintedTable {
    PaintedTable() : saved(cardPictures())
    {
        engineState() = EngineState{};
        Load(cardPictures());
        board = std::make_unique<TBoard>();
        board->Color = Table;
        board->resize(640, 420);
        board->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(board.get()));
    }
    ~PaintedTable()
    {
        board.reset();
        cardPictures() = saved;
    }
    TDeck *pile(int left, int top, int vShift = 0, int showEmpty = PlainPile)
    {
        TDeck *deck = board->NewDeck();
        deck->SetHostBoard(board.get());
        deck->SetVLeft(left);
        deck->SetVTop(top);
        deck->SetVShift(vShift);
        deck->SetShowEmpty(showEmpty);
        return deck;
    }
    TCard *add(TDeck *deck, bool faceUp)
    {
        TCard *card = board->NewCard();
        card->CardID = ++cardCount;
        card->SetCardFace(3 * 256 + (cardCount - 1) % 13 + 1);
        card->SetFace(faceUp);
        deck->AddCard(card);
        card->BringToFront();
        return card;
    }
    void fill(TDeck *deck, int count, bool faceUp)
    {
        for (int i = 0; i < count; ++i)
            add(deck, faceUp);
    }
    QImage grab() const { return board->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor at(QPoint point) const { return grab().pixelColor(point); }

    CardPictures saved;
    std::unique_ptr<TBoard> board;
    int cardCount = 0;
};

const QPoint Centre(Width / 2, Height / 2);
const QPoint InBlock(30, 70);
const QPoint OnFrame(1, Height / 2);

QColor tinted(const QColor &colour)
{
    auto lower = [](int value, int by) { return value > 80 ? value - by : value; };
    return QColor(lower(colour.red(), 25), lower(colour.green(), 25), lower(colour.blue(), 65));
}

QColor inverted(const QColor &colour)
{
    return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}

} // namespace

TEST(CardPainting, SelectionInvertsTheCardInsideItsShapeOnly)
{
    PaintedTable table;
    TDeck *deck = table.pile(20, 20);
    TCard *card = table.add(deck, true);
    const QPoint origin = card->BoundsRect().topLeft();
    card->SetSelected(true);
    const QImage shot = table.grab();
    EXPECT_EQ(shot.pixelColor(origin + Centre), inverted(FaceWhite));
    EXPECT_EQ(shot.pixelColor(origin + InBlock), inverted(Block));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(0, 0)), Table);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(Width - 1, Height - 1)), Table);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(1, 1)), Table);

    // The drag image is painted with the same painter onto a transparent picture.
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        table.board->PaintCard(painter, *card, QPoint(0, 0));
    }
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixelColor(Centre), inverted(FaceWhite));

    card->SetSelected(false);
    EXPECT_EQ(table.at(origin + Centre), FaceWhite);
}

TEST(CardPainting, HoverTintLowersBrightColourBytesAndKeepsDarkOnes)
{
    PaintedTable table;
    TDeck *deck = table.pile(20, 20);
    TCard *card = table.add(deck, true);
    const QPoint origin = card->BoundsRect().topLeft();
    card->SetHighLighted(true);
    const QImage shot = table.grab();
    EXPECT_EQ(shot.pixelColor(origin + Centre), QColor(230, 230, 190));
    EXPECT_EQ(shot.pixelColor(origin + InBlock), tinted(Block)); // (75, 50, 135): green is not above 80
    EXPECT_EQ(shot.pixelColor(origin + QPoint(Width / 2, 0)), Border);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(0, 0)), Table);

    // A card in no pile takes no highlight.
    TCard *free = table.board->NewCard();
    free->SetHighLighted(true);
    EXPECT_FALSE(free->HighLighted());
}

TEST(CardPainting, CompletedFoundationCarriesTheMarkOnlyWhenFullAndAsked)
{
    struct Case {
        int showEmpty;
        int maxCardCount;
        bool showFinished;
        bool marked;
    };
    const Case cases[] = {
        {FoundationPile, 3, true, true},   {FoundationPile, 3, false, false}, {FoundationPile, 4, true, false},
        {FoundationPile, -1, true, false}, {PlainPile, 3, true, false},
    };
    for (const Case &c : cases) {
        PaintedTable table;
        table.board->ShowFinished = c.showFinished;
        TDeck *deck = table.pile(20, 20, 0, c.showEmpty);
        deck->MaxCardCount = c.maxCardCount;
        table.fill(deck, 3, true);
        const QPoint origin = deck->TopCard()->BoundsRect().topLeft();
        const QImage shot = table.grab();
        const QColor expected = c.marked ? QColor(127, 127, 127) : FaceWhite;
        EXPECT_EQ(shot.pixelColor(origin + Centre), expected) << c.showEmpty << " " << c.maxCardCount;
        EXPECT_EQ(shot.pixelColor(origin + QPoint(0, 0)), Table);
    }
}

TEST(PilePainting, EachEmptyPileShowsTheMarkOfItsRole)
{
    struct Case {
        int showEmpty;
        bool outline;
        bool alpha;
        QColor frame;  // at the left edge
        QColor centre;
    };
    const Case cases[] = {
        {PlainPile, false, true, Table, Table},
        {PlainPile, true, true, OutlineFrame, Table},
        {StockNoRedeal, false, true, OutlineFrame, CrossMark},
        {StockNoRedeal, false, false, Table, RedCross},
        {StockRedeal, false, true, OutlineFrame, RedealMark},
        {StockRedeal, false, false, Table, GreenRing},
        {NoMark, true, true, Table, Table},
        {SecondPlainMark, false, true, Table, GreenArrow},
        {FreeCellPile, false, true, Table, RingMark},
        {FreeCellPile, false, false, Table, GreenRing},
        {OutlineMark, false, true, Table, GreenRing},
        {OutlineMark, false, false, Table, Table},
    };
    for (const Case &c : cases) {
        PaintedTable table;
        cardPictures().SetAlphaBlending(c.alpha);
        table.board->ShowEmptyOutline = c.outline;
        TDeck *deck = table.pile(20, 20, 0, c.showEmpty);
        const QPoint origin = deck->BoundsRect().topLeft();
        const QImage shot = table.grab();
        EXPECT_EQ(shot.pixelColor(origin + OnFrame), c.frame) << "ShowEmpty " << c.showEmpty << " alpha " << c.alpha;
        EXPECT_EQ(shot.pixelColor(origin + Centre), c.centre) << "ShowEmpty " << c.showEmpty << " alpha " << c.alpha;
    }
}

TEST(PilePainting, EmptyFoundationShowsItsFrameAndTheLabelOfCardVal)
{
    struct Case {
        int cardVal;
        bool alpha;
        QColor centre;   // the rank picture
        QColor backdrop; // below the rank picture
        bool label;
    };
    const Case cases[] = {
        {-2, true, Table, Table, false},
        {-1, true, Rank(0), QuestionBackdrop, true},
        {1, true, Rank(1), RankBackdrop, true},
        {12, true, Rank(12), RankBackdrop, true},
        {12, false, Table, Table, true},
        {0, true, Table, Table, false},
    };
    for (const Case &c : cases) {
        PaintedTable table;
        cardPictures().SetAlphaBlending(c.alpha);
        TDeck *deck = table.pile(20, 20, 0, FoundationPile);
        deck->SetCardVal(c.cardVal);
        const QPoint origin = deck->BoundsRect().topLeft();
        const QImage shot = table.grab();
        EXPECT_EQ(shot.pixelColor(origin + OnFrame), FoundationFrame) << c.cardVal;
        // The rank picture lies centred across, its top at (96 - 20 - 3) div 2 = 36.
        EXPECT_EQ(shot.pixelColor(origin + QPoint(35, 40)), c.centre) << c.cardVal;
        EXPECT_EQ(shot.pixelColor(origin + QPoint(35, 63)), c.backdrop) << c.cardVal;
        int white = 0;
        for (int y = 2; y < 30; ++y)
            for (int x = 5; x < 30; ++x)
                white += shot.pixelColor(origin + QPoint(x, y)) == QColor(Qt::white);
        EXPECT_EQ(white > 0, c.label) << c.cardVal << " alpha " << c.alpha;
    }
}

TEST(PilePainting, FlatStackShowsOneEdgePerDeckScaleCards)
{
    struct Case {
        int count;
        int deckScale;
        int edges; // card tops seen, the top card's included
    };
    // 20 cards, VShift 2, DeckScale 9: k = 19 div 9 = 2 edges under the top card.
    const Case cases[] = {{20, 9, 3}, {9, 9, 1}, {10, 9, 2}, {28, 9, 4}, {20, 4, 5}, {2, 9, 1}};
    for (const Case &c : cases) {
        for (const bool horizontal : {false, true}) {
            PaintedTable table;
            TDeck *deck = table.pile(20, 20);
            deck->DeckScale = c.deckScale;
            if (horizontal)
                deck->SetGShift(2);
            else
                deck->SetVShift(2);
            table.fill(deck, c.count, false);
            const QPoint origin = deck->BoundsRect().topLeft();
            const QImage shot = table.grab();
            int edges = 0;
            for (int step = 0; step < 40; ++step) {
                const QPoint probe = horizontal ? origin + QPoint(step, Height / 2) : origin + QPoint(Width / 2, step);
                edges += shot.pixelColor(probe) == Border;
            }
            EXPECT_EQ(edges, c.edges) << c.count << " cards, DeckScale " << c.deckScale << (horizontal ? " across" : "");
            // The top card lies where the last edge step puts it.
            const int steps = (c.count - 1) / c.deckScale;
            EXPECT_EQ(deck->TopCard()->BoundsRect().topLeft(),
                      origin + (horizontal ? QPoint(2 * steps, 0) : QPoint(0, 2 * steps)));
        }
    }
}

TEST(PilePainting, RaisedPileShowsACardAtTheOriginUnderTheTopCard)
{
    PaintedTable table;
    TDeck *deck = table.pile(20, 20);
    deck->SetFlatPile(false);
    table.fill(deck, 3, false);
    const QPoint origin = deck->BoundsRect().topLeft();
    const QImage shot = table.grab();
    EXPECT_EQ(deck->TopCard()->BoundsRect().topLeft(), origin + QPoint(2, 2));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(Width / 2, 0)), Border); // the card beneath
    EXPECT_EQ(shot.pixelColor(origin + QPoint(Width / 2, 2)), Border); // the top card
    EXPECT_EQ(shot.pixelColor(origin + QPoint(Width / 2, 1)), Back);
}

TEST(PilePainting, AlignedPileWithoutMarkPaintsNothing)
{
    PaintedTable table;
    table.board->ShowEmptyOutline = true;
    TDeck *waste = table.pile(20, 20, 0, PlainPile);
    TDeck *emptyWaste = table.pile(200, 20, 0, PlainPile);
    table.fill(waste, 2, true);
    const QImage before = table.grab();
    for (TDeck *target : {waste, emptyWaste}) {
        TDeck *fan = table.pile(400, 200, 0, NoMark);
        fan->SetDeckToAlign(target);
        fan->Realign();
        EXPECT_EQ(fan->BoundsRect().topLeft(), target->BoundsRect().topLeft());
    }
    EXPECT_EQ(table.grab(), before);
}

TEST(CardPainting, CornersShowTheCardsBeneath)
{
    PaintedTable table;
    TDeck *column = table.pile(20, 20, 20);
    table.fill(column, 3, true);
    TDeck *other = table.pile(200, 20);
    TCard *lower = table.add(other, false);
    // A card of another pile lying over the first one, a little to the right and down.
    TDeck *over = table.pile(203, 23);
    TCard *upper = table.add(over, true);
    const QImage shot = table.grab();
    const QPoint top = column->TopCard()->BoundsRect().topLeft();
    // Inside the top card's transparent corner: the card beneath shows (white, or its border).
    const QColor corner = shot.pixelColor(top + QPoint(1, 1));
    EXPECT_TRUE(corner == FaceWhite || corner == Border) << corner.name().toStdString();
    EXPECT_EQ(shot.pixelColor(upper->BoundsRect().topLeft() + QPoint(1, 1)), Back);
    EXPECT_EQ(shot.pixelColor(lower->BoundsRect().topLeft() + QPoint(1, 1)), Table);
}

TEST(TurnAnimation, TurningARunsTheFramesAndLeavesTheNewSide)
{
    PaintedTable table;
    TDeck *deck = table.pile(20, 60, 20);
    table.fill(deck, 2, false);
    TCard *card = deck->TopCard();
    table.board->SetGameStarted(1);
    ASSERT_TRUE(table.board->TurnAnimationAllowed(card));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    table.board->installEventFilter(&counter);
    card->SetFace(true);
    table.board->removeEventFilter(&counter);
    EXPECT_GE(counter.paints, 29); // 28 frames and the new side laid flat
    EXPECT_TRUE(card->Visible());
    QTest::qWait(20);
    EXPECT_EQ(table.at(card->BoundsRect().topLeft() + Centre), FaceWhite);

    // Not while the journal replays: no frames at all.
    table.board->Recording = false;
    counter.paints = 0;
    table.board->installEventFilter(&counter);
    card->SetFace(false);
    table.board->removeEventFilter(&counter);
    EXPECT_EQ(counter.paints, 0);
}
