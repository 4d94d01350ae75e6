// The table in the real main window: it fills the window after every deal and resize, the
// cards follow the window or keep the three sizes, every card takes its new pictures after a
// size change, empty piles and card backs follow the settings, the window's place survives a
// maximise, and an empty table says what to do.
#include "support/main_window_fixture.h"

#include "app/card_appearance.h"
#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/spider.h"
#include "look/art/card_art.h"
#include "look/card_sizing.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Writes settings of section "Cards" before the window reads them.
void storeSettings(MainWindowFixture &fixture, const QList<std::pair<QString, QVariant>> &values)
{
    QSettings ini(fixture.locations.settingsFile(), QSettings::IniFormat);
    for (const auto &[name, value] : values)
        ini.setValue(QStringLiteral("Cards/") + name, value);
    ini.sync();
}

TMain_F &showAt(MainWindowFixture &fixture, QSize size)
{
    TMain_F &window = fixture.Window();
    window.setWindowState(Qt::WindowNoState);
    window.show();
    window.resize(size);
    QTest::qWait(20);
    return window;
}

void deal(TMain_F &window, int gameId, quint32 number = 5)
{
    window.Board1->Animate = false;
    engineState().Options.FlipEnabled = false;
    window.Table().CurrentGameId = gameId;
    window.ApplyGameSettings(gameId);
    window.Session().GameNumber = number;
    window.Session().RestartGame();
    QTest::qWait(20);
}

void resizeTo(TMain_F &window, QSize size)
{
    window.resize(size);
    QTest::qWait(20);
}

// The rectangle every visible card and pile covers.
QRect occupied(const TBoard &board)
{
    QRect area;
    for (const auto &card : board.Cards())
        if (card->Visible() && card->HostDeck())
            area |= card->BoundsRect();
    for (const auto &deck : board.Decks())
        if (deck->Visible() && deck->HostBoard() == &board)
            area |= deck->BoundsRect();
    return area;
}

QSize viewport(const TMain_F &window)
{
    return window.Board1->ClientSize();
}

// Games whose deal stretches the layout across the window, and those it centres.
const int StretchedGames[] = {GameIds::Bisley,  GameIds::FlowerGarden, GameIds::Bouquet,       GameIds::FreeCell,
                              GameIds::Nestor,  GameIds::Klondike,     GameIds::Spider,        GameIds::SpiderTwoSuit,
                              GameIds::SpiderOneSuit, GameIds::Yukon};
const int CentredGames[] = {GameIds::Carpet, GameIds::MonteCarlo};

void expectFills(const TMain_F &window, int gameId, const char *when)
{
    const QRect used = occupied(*window.Board1);
    const QSize view = viewport(window);
    SCOPED_TRACE(testing::Message() << GameName(gameId).toStdString() << " " << when << ": piles " << used.left() << ".."
                                    << used.right() << " in " << view.width());
    EXPECT_GE(used.right(), view.width() * 85 / 100);
    EXPECT_LE(used.right(), view.width());
}

void expectCentred(const TMain_F &window, int gameId, const char *when)
{
    const QRect used = occupied(*window.Board1);
    const QSize view = viewport(window);
    SCOPED_TRACE(testing::Message() << GameName(gameId).toStdString() << " " << when);
    const int leftMargin = used.left();
    const int rightMargin = view.width() - 1 - used.right();
    EXPECT_GT(leftMargin, 20);
    EXPECT_NEAR(leftMargin, rightMargin, view.width() / 20);
}

} // namespace

TEST(TableFit, EveryGameFillsOrCentresAfterItsDealAndAfterEveryResize)
{
    MainWindowFixture fixture;
    TMain_F &window = showAt(fixture, QSize(1280, 800));
    for (int gameId : StretchedGames) {
        resizeTo(window, QSize(1280, 800));
        deal(window, gameId);
        expectFills(window, gameId, "after the deal");
        const int dealtWidth = cardPictures().CardWidth();
        resizeTo(window, QSize(1600, 1000));
        expectFills(window, gameId, "after growing");
        EXPECT_GT(cardPictures().CardWidth(), dealtWidth) << GameName(gameId).toStdString();
        resizeTo(window, QSize(1000, 700));
        expectFills(window, gameId, "after shrinking");
        EXPECT_LT(cardPictures().CardWidth(), dealtWidth) << GameName(gameId).toStdString();
    }
    for (int gameId : CentredGames) {
        resizeTo(window, QSize(1600, 1000));
        deal(window, gameId);
        expectCentred(window, gameId, "after the deal");
        resizeTo(window, QSize(1280, 800));
        expectCentred(window, gameId, "after shrinking");
    }
}

TEST(TableFit, MaximisingAndRestoringFitTheTableAndKeepThePlaceOfTheGame)
{
    MainWindowFixture fixture;
    // The offscreen screen is 800 x 600: maximised is larger than this.
    GameWindowRecord *record = fixture.session->Data().windowRecords.record(GameIds::Klondike);
    const CardScaleFactors factors = fixture.Window().Appearance().WindowScaleFactors();
    record->Width = qint16(500 / factors.horizontal);
    record->Height = qint16(400 / factors.vertical);
    TMain_F &window = showAt(fixture, QSize(500, 400));
    deal(window, GameIds::Klondike);
    const QRect before = window.frameGeometry();
    const int normalCards = cardPictures().CardWidth();
    window.showMaximized();
    // The fit follows the resize through a zero timer; a loaded machine may take a while.
    (void)QTest::qWaitFor([&] { return window.isMaximized() && cardPictures().CardWidth() > normalCards; }, 5000);
    QTest::qWait(10);
    ASSERT_TRUE(window.isMaximized());
    expectFills(window, GameIds::Klondike, "maximised");
    EXPECT_GT(cardPictures().CardWidth(), normalCards);

    // The record keeps the place from before the maximise.
    record->Width = record->Height = 0;
    window.StoreWindowPlacement(GameIds::Klondike);
    EXPECT_EQ(record->Width * factors.horizontal, before.width());
    EXPECT_EQ(record->Height * factors.vertical, before.height());

    window.showNormal();
    (void)QTest::qWaitFor([&] { return window.frameGeometry().size() == before.size() && cardPictures().CardWidth() == normalCards; },
                    5000);
    QTest::qWait(10);
    EXPECT_EQ(window.frameGeometry().size(), before.size());
    expectFills(window, GameIds::Klondike, "restored");
    EXPECT_EQ(cardPictures().CardWidth(), normalCards);
}

TEST(CardSize, FollowsTheWindowWithScaleCardsAndKeepsTheThreeSizesWithout)
{
    {
        MainWindowFixture fixture;
        TMain_F &window = showAt(fixture, QSize(1600, 1000));
        deal(window, GameIds::Spider);
        const QSize card(cardPictures().CardWidth(), cardPictures().CardHeight());
        EXPECT_GT(card.width(), CardArt::NominalCardSize(2).width());
        EXPECT_NEAR(card.height(), card.width() * 96.0 / 71.0, 1.0);
        // The largest card for which the table fits: one pixel wider would not.
        const QSize needed = CardSizing::NeededTableSize(SpiderGame.tableSize, card);
        const QSize wider = CardSizing::NeededTableSize(SpiderGame.tableSize,
                                                        QSize(card.width() + 1, qRound((card.width() + 1) * 96.0 / 71)));
        EXPECT_LE(needed.width(), window.ScrollBox1->width());
        EXPECT_GT(wider.width(), window.ScrollBox1->width());
        // A tiny window never takes the cards below the small size.
        resizeTo(window, QSize(300, 250));
        EXPECT_EQ(QSize(cardPictures().CardWidth(), cardPictures().CardHeight()), CardArt::NominalCardSize(0));
        // The size keys leave the size to the window.
        EXPECT_FALSE(window.Appearance().StepSize(+1));
    }
    struct Case {
        QSize screen;
        int game;
        int savedSize;
        int expectedSize;
    };
    // Automatic sizing from the saved size: large while the table fits the screen, then normal, then small.
    const Case cases[] = {
        {QSize(1600, 1000), GameIds::Spider, 2, 2},
        {QSize(900, 700), GameIds::Spider, 2, 1},
        {QSize(700, 600), GameIds::Spider, 2, 0},
        {QSize(1000, 700), GameIds::Klondike, 2, 2},
        {QSize(1000, 700), GameIds::Klondike, 0, 0},
    };
    for (const Case &c : cases) {
        MainWindowFixture fixture(false);
        fixture.display = FixedDisplayInfo(24, c.screen, QRect(QPoint(0, 0), c.screen));
        storeSettings(fixture, {{QStringLiteral("ScaleCards"), 0}, {QStringLiteral("CardSize"), c.savedSize}});
        fixture.Create();
        TMain_F &window = showAt(fixture, QSize(800, 600));
        deal(window, c.game);
        SCOPED_TRACE(testing::Message() << GameName(c.game).toStdString() << " on " << c.screen.width() << "x" << c.screen.height());
        EXPECT_EQ(QSize(cardPictures().CardWidth(), cardPictures().CardHeight()), CardArt::NominalCardSize(c.expectedSize));
        // A resize keeps the size.
        resizeTo(window, QSize(700, 500));
        EXPECT_EQ(QSize(cardPictures().CardWidth(), cardPictures().CardHeight()), CardArt::NominalCardSize(c.expectedSize));
    }
}

TEST(CardSize, EveryCardTakesItsNewPicturesWhenTheSizeChangesMidGame)
{
    MainWindowFixture fixture(false);
    storeSettings(fixture, {{QStringLiteral("ScaleCards"), 0}, {QStringLiteral("AutoCardSizing"), 0},
                            {QStringLiteral("CardSize"), 1}});
    fixture.Create();
    TMain_F &window = showAt(fixture, QSize(1200, 800));
    deal(window, GameIds::Klondike);
    const auto checkEveryCard = [&](QSize expected) {
        ASSERT_EQ(QSize(cardPictures().CardWidth(), cardPictures().CardHeight()), expected);
        for (const auto &card : window.Board1->Cards()) {
            ASSERT_EQ(card->BoundsRect().size(), expected) << "card " << card->CardID;
            ASSERT_EQ(card->Picture().deviceIndependentSize().toSize(), expected) << "card " << card->CardID;
        }
    };
    checkEveryCard(CardArt::NominalCardSize(1));
    window.IncreaseCardSize2->trigger();
    checkEveryCard(CardArt::NominalCardSize(2));
    EXPECT_EQ(fixture.session->Data().settings.Cards.CardSize, 2);
    window.DecreaseCardSize1->trigger();
    window.DecreaseCardSize1->trigger();
    checkEveryCard(CardArt::NominalCardSize(0));
    // The piles were laid out again for the new size: the columns stand apart.
    const TDeck *first = window.Table().Tableau[1];
    const TDeck *second = window.Table().Tableau[2];
    EXPECT_GE(second->Left() - first->Left(), CardArt::NominalCardSize(0).width());
}

TEST(TableLook, EmptyPlainPilesShowTheirOutlineOnlyWithShowEmpty)
{
    for (bool shown : {true, false}) {
        MainWindowFixture fixture(false);
        // On the plain colour, so that any other pixel is the outline's.
        storeSettings(fixture, {{QStringLiteral("Show_Empty"), shown ? 1 : 0}, {QStringLiteral("Pattern_Type"), 0},
                                {QStringLiteral("Fade"), 0}});
        fixture.Create();
        TMain_F &window = showAt(fixture, QSize(1000, 700));
        deal(window, GameIds::Klondike);
        // Empty the first column.
        TDeck *column = window.Table().Tableau[1];
        while (TCard *card = column->TopCard()) {
            column->RemoveCard(card);
            card->SetVisible(false);
        }
        const QRect place = column->BoundsRect();
        const QImage table = window.Board1->grab().toImage();
        const QColor green = window.Board1->Color;
        int outlinePixels = 0;
        for (int x = place.left(); x <= place.right(); ++x)
            for (int y : {place.top() + 1, place.center().y(), place.bottom() - 1})
                outlinePixels += table.pixelColor(x, y) != green ? 1 : 0;
        for (int y = place.top(); y <= place.bottom(); ++y)
            outlinePixels += table.pixelColor(place.left() + 1, y) != green ? 1 : 0;
        if (shown)
            EXPECT_GT(outlinePixels, place.height() / 2) << "the outline of an empty column";
        else
            EXPECT_EQ(outlinePixels, 0) << "bare table";
    }
}

namespace {

// How far the grabbed face-down card on the stock differs from a picture (mean per channel).
double differenceFromPicture(TMain_F &window, const QImage &picture)
{
    const TCard *card = window.Table().Stock->TopCard();
    const QImage shown = window.Board1->grab(card->BoundsRect()).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = picture.scaled(shown.size()).convertToFormat(QImage::Format_RGB32);
    double total = 0;
    int counted = 0;
    // The middle of the card, away from the rounded corners and the border.
    for (int y = shown.height() / 4; y < shown.height() * 3 / 4; ++y)
        for (int x = shown.width() / 4; x < shown.width() * 3 / 4; ++x) {
            const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            ++counted;
        }
    return total / (3.0 * counted);
}

} // namespace

TEST(TableLook, TheCardsShowTheBackTheSettingsName)
{
    struct Case {
        const char *what;
        QList<std::pair<QString, QVariant>> settings;
        int expectedBack;
    };
    const Case cases[] = {
        {"the shipped picture back by default", {}, 100},
        {"a stored back number", {{QStringLiteral("Back"), 5}}, 5},
        {"an unreadable picture back", {{QStringLiteral("CustBackFile"), QStringLiteral("/nowhere/gone.jpg")}}, 1},
        {"a picture back named as the old program did", {{QStringLiteral("CustBackFile"), QStringLiteral("Decks\\books.jpg")}}, 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MainWindowFixture fixture(false);
        storeSettings(fixture, c.settings);
        fixture.Create();
        TMain_F &window = showAt(fixture, QSize(1000, 700));
        deal(window, GameIds::Klondike);
        EXPECT_EQ(fixture.session->Data().settings.Cards.Back, c.expectedBack);
        const TCard *stockCard = window.Table().Stock->TopCard();
        ASSERT_TRUE(stockCard && !stockCard->Face());
        EXPECT_EQ(stockCard->CardBack(), c.expectedBack);
        const QImage expected = c.expectedBack == 100 ? cardPictures().CustomBack()
                                                      : cardPictures().Picture(TCard::BackPictureSlot(c.expectedBack));
        ASSERT_FALSE(expected.isNull());
        EXPECT_LT(differenceFromPicture(window, expected), 12.0);
        // Back 1 looks different, so the comparison tells backs apart.
        if (c.expectedBack != 1) {
            EXPECT_GT(differenceFromPicture(window, cardPictures().Picture(TCard::BackPictureSlot(1))), 20.0);
        }
    }
}

TEST(EmptyTable, SaysWhatToDoWhileNoGameIsDealt)
{
    MainWindowFixture fixture;
    TMain_F &window = showAt(fixture, QSize(1000, 700));
    // At the first start, before anything is dealt (the selection was cancelled).
    EXPECT_TRUE(window.EmptyTableNote()->isVisible());
    EXPECT_EQ(window.EmptyTableNote()->text(), QStringLiteral("Press F2 to deal a new game, or Ctrl+F2 to choose another"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarnwick"));

    deal(window, GameIds::FreeCell, 1);
    EXPECT_FALSE(window.EmptyTableNote()->isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" FreeCell [#1]"));

    // Won, then Cancel in the won dialog: the table is empty again.
    fixture.wonAnswer = WonChoice::Cancel;
    window.Session().GameWon();
    EXPECT_TRUE(window.EmptyTableNote()->isVisible());
    EXPECT_EQ(window.EmptyTableNote()->geometry(), window.ScrollBox1->viewport()->rect());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarnwick"));
}
