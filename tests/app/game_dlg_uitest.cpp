#include "app/game_dlg.h"
#include "app/game_picture.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/table_builders.h"
#include "engine/Cardscmp.h"
#include "look/card_sets.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <map>

namespace {

class FakeHost : public GameDlgHost {
public:
    int current = GameIds::Klondike;
    std::map<int, bool> autoplay;
    QList<int> rulesShown;
    int CurrentGameId() const override { return current; }
    bool AutoplayOn(int gameId) const override { return !autoplay.count(gameId) || autoplay.at(gameId); }
    void SetAutoplayOn(int gameId, bool on) override { autoplay[gameId] = on; }
    void ShowRules(int gameId) override { rulesShown.append(gameId); }
};

QStringList namesShown(const TGameDlg &dialog)
{
    QStringList names;
    for (int i = 0; i < dialog.GameList()->topLevelItemCount(); ++i)
        names.append(dialog.GameList()->topLevelItem(i)->text(0));
    return names;
}

// Runs `inside` once the dialog's own event loop is running, then closes it if still open.
int chooseWith(TGameDlg &dialog, const std::function<void()> &inside)
{
    QTimer::singleShot(0, &dialog, [&] {
        inside();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.Choose();
}

} // namespace

TEST(GameDlg, OpensWithTheCurrentGameSelectedAndTheListSortedByName)
{
    FakeHost host;
    TGameDlg dialog(host, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Solitaire"));
    chooseWith(dialog, [&] {
        EXPECT_EQ(dialog.SelectedGameId(), GameIds::Klondike);
        EXPECT_TRUE(dialog.OkButton()->isEnabled());
        EXPECT_TRUE(dialog.RulesButton()->isEnabled());
    });
    const QStringList names = namesShown(dialog);
    ASSERT_EQ(names.size(), 12);
    EXPECT_EQ(names.first(), QStringLiteral("Bisley"));
    EXPECT_EQ(names.last(), QStringLiteral("Yukon"));
    EXPECT_EQ(dialog.GameList()->headerItem()->text(2), QStringLiteral("Decks"));
}

TEST(GameDlg, OkWithNothingSelectedKeepsTheDialogOpenAndADoubleClickChooses)
{
    FakeHost host;
    host.current = 0; // Windmill is not listed, so nothing is selected
    TGameDlg dialog(host, nullptr);
    const int chosen = chooseWith(dialog, [&] {
        EXPECT_EQ(dialog.SelectedGameId(), -1);
        EXPECT_FALSE(dialog.OkButton()->isEnabled());
        EXPECT_FALSE(dialog.PictureBox()->isVisible());
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        QTreeWidgetItem *freeCell = dialog.GameList()->findItems(QStringLiteral("FreeCell"), Qt::MatchExactly).value(0);
        ASSERT_NE(freeCell, nullptr);
        const QRect place = dialog.GameList()->visualItemRect(freeCell);
        QTest::mouseClick(dialog.GameList()->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(dialog.GameList()->viewport(), Qt::LeftButton, {}, place.center());
    });
    EXPECT_EQ(chosen, GameIds::FreeCell);
}

TEST(GameDlg, ClickingDecksTwiceSortsDescendingAndTheOrderStaysForTheNextShowing)
{
    FakeHost host;
    TGameDlg dialog(host, nullptr);
    chooseWith(dialog, [&] {
        QHeaderView *header = dialog.GameList()->header();
        const QPoint decks(header->sectionViewportPosition(2) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, decks);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, decks);
    });
    EXPECT_EQ(dialog.SortState(), -3);
    const QStringList names = namesShown(dialog);
    EXPECT_EQ(names.mid(0, 3), (QStringList{"Spider", "Spider One Suit", "Spider Two Suit"}));
    // Shown again: the current game is selected again, the order kept.
    chooseWith(dialog, [&] { EXPECT_EQ(dialog.SelectedGameId(), GameIds::Klondike); });
    EXPECT_EQ(namesShown(dialog), names);
}

TEST(GameDlg, AutoPlayChoiceShowsOnlyForGamesWithAutomaticMovesAndIsStoredAtOnce)
{
    FakeHost host;
    TGameDlg dialog(host, nullptr);
    chooseWith(dialog, [&] {
        EXPECT_TRUE(dialog.AutoPlayGroup()->isVisible());
        auto buttons = dialog.AutoPlayGroup()->findChildren<QRadioButton *>();
        ASSERT_EQ(buttons.size(), 2);
        buttons[1]->click(); // "Off"
        EXPECT_FALSE(host.AutoplayOn(GameIds::Klondike));
        dialog.SelectGame(GameIds::Carpet);
        EXPECT_FALSE(dialog.AutoPlayGroup()->isVisible());
        QTest::keyClick(dialog.GameList(), Qt::Key_F1);
    });
    EXPECT_EQ(host.rulesShown, QList<int>{GameIds::Carpet});
}

TEST(GameDlg, TheStartMessageFillsTheListAndAsksForTheSelection)
{
    FakeHost host;
    TGameDlg dialog(host, nullptr);
    QSignalSpy start(&dialog, &TGameDlg::StartSelection);
    dialog.PostStartMessage();
    EXPECT_EQ(start.count(), 0);
    EXPECT_TRUE(start.wait(2000));
    EXPECT_EQ(dialog.GameList()->topLevelItemCount(), 12);
}

TEST(GameDlg, TheGameTypeListShowsFavouritesAndRecentlyPlayed)
{
    FakeHost host;
    TGameDlg dialog(host, nullptr);
    dialog.Fill();
    dialog.Groups.AddToFavorites(GameIds::Yukon);
    dialog.Groups.AddToRecentlyPlayed(GameIds::Nestor);
    dialog.Groups.AddToRecentlyPlayed(GameIds::Bisley);
    dialog.SetGameType(1);
    EXPECT_EQ(namesShown(dialog), QStringList{"Yukon"});
    dialog.SetGameType(2);
    EXPECT_EQ(namesShown(dialog), (QStringList{"Bisley", "Nestor"}));
    dialog.SetGameType(9);
    EXPECT_EQ(dialog.GameType(), 0);
}

TEST(GamePicture, IsDrawnFromTheGamesDealScaledOnGreen)
{
    GameDeals deals;
    int dealt = 0;
    // A deal as a game gives it: one pile with the pack, the top card turned up.
    deals.Set(GameIds::FreeCell, [&](GameTable &table) {
        ++dealt;
        TDeck *pile = table.Board()->NewDeck();
        pile->SetHostBoard(table.Board());
        pile->SetVLeft(10);
        pile->SetVTop(10);
        FillPack(table, pile, 52);
        pile->TopCard()->SetFace(true);
    });
    GamePictureMaker maker(deals, nullptr);
    const QImage picture = maker.Picture(GameIds::FreeCell, QSize(200, 150));
    ASSERT_EQ(picture.size(), QSize(200, 150));
    EXPECT_EQ(QColor(picture.pixel(0, 0)), GamePictureMaker::Background);
    EXPECT_NE(QColor(picture.pixel(100, 75)), GamePictureMaker::Background);
    maker.Picture(GameIds::FreeCell, QSize(200, 150));
    EXPECT_EQ(dealt, 1); // kept until the cards change
    maker.ClearCache();
    maker.Picture(GameIds::FreeCell, QSize(200, 150));
    EXPECT_EQ(dealt, 2);

    // A game without a deal shows its shuffled packs; the same picture every time.
    const QImage spider = maker.FullPicture(GameIds::SpiderTwoSuit);
    maker.ClearCache();
    EXPECT_EQ(maker.FullPicture(GameIds::SpiderTwoSuit), spider);
    EXPECT_FALSE(spider.isNull());
}

TEST(GamePicture, TheDialogKeepsOnlyThePictureOnShowAndLetsItGoWhenItCloses)
{
    GameDeals deals;
    registerDealtGames(deals);
    GamePictureMaker maker(deals, nullptr);
    // The picture as a full-size table scaled into the box, centred on green.
    GamePictureMaker reference(deals, nullptr);
    const auto expected = [&](int gameId, QSize box) {
        QImage result(box, QImage::Format_RGB32);
        result.fill(GamePictureMaker::Background);
        const QImage full = reference.FullPicture(gameId);
        const QImage scaled = full.width() > box.width() || full.height() > box.height()
            ? full.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : full;
        QPainter painter(&result);
        painter.drawImage((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2, scaled);
        return result;
    };

    FakeHost host;
    TGameDlg dialog(host, &maker);
    int shown = 0;
    chooseWith(dialog, [&] {
        QTreeWidget *list = dialog.GameList();
        const QSize box = dialog.PictureBox()->contentsRect().size();
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            list->setCurrentItem(list->topLevelItem(row));
            SCOPED_TRACE(list->topLevelItem(row)->text(0).toStdString());
            const QImage picture = dialog.PictureBox()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(picture.size(), box);
            EXPECT_EQ(picture, expected(dialog.SelectedGameId(), box));
            ++shown;
        }
        // Only the picture on show is kept.
        EXPECT_EQ(maker.CachedCount(), 1u);
    });
    EXPECT_EQ(shown, 12);
    EXPECT_EQ(maker.CachedCount(), 0u);
}

// Given the program's card sets, each picture is drawn with small cards of its own: the same
// layout as the full-size table scaled down (the cards cover the same places), while the
// table's own pictures keep their size.
TEST(GamePicture, SmallCardsDrawTheSameTableWithoutTouchingTheTablesPictures)
{
    GameDeals deals;
    registerDealtGames(deals);
    QTemporaryDir folder;
    CardSetEnvironment environment;
    environment.ProgramFolder = folder.path();
    environment.UserFolder = folder.path();
    CardSets programSets(cardPictures(), environment);
    ASSERT_TRUE(programSets.LoadSet(0, 1));
    const QSize tableCard(cardPictures().CardWidth(), cardPictures().CardHeight());

    GamePictureMaker small(deals, nullptr, &programSets);
    GamePictureMaker reference(deals, nullptr);
    const QSize box(260, 190);
    const auto covered = [](const QImage &picture, int x, int y) {
        return QColor(picture.pixel(x, y)) != GamePictureMaker::Background;
    };
    for (const int gameId : {GameIds::Klondike, GameIds::FreeCell, GameIds::Spider, GameIds::MonteCarlo,
                             GameIds::Bisley}) {
        SCOPED_TRACE(gameId);
        const QImage picture = small.Picture(gameId, box);
        ASSERT_EQ(picture.size(), box);
        const QImage full = reference.FullPicture(gameId).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QImage expected(box, QImage::Format_RGB32);
        expected.fill(GamePictureMaker::Background);
        QPainter(&expected).drawImage((box.width() - full.width()) / 2, (box.height() - full.height()) / 2, full);
        int both = 0, either = 0;
        QRect drawn, drawnExpected;
        for (int y = 0; y < box.height(); ++y)
            for (int x = 0; x < box.width(); ++x) {
                both += covered(picture, x, y) && covered(expected, x, y);
                either += covered(picture, x, y) || covered(expected, x, y);
                if (covered(picture, x, y))
                    drawn |= QRect(x, y, 1, 1);
                if (covered(expected, x, y))
                    drawnExpected |= QRect(x, y, 1, 1);
            }
        // Spreads round to other pixel steps at small sizes; a shifted or mis-sized layout
        // overlaps far less than this.
        ASSERT_GT(either, 0);
        EXPECT_GT(double(both) / either, 0.55);
        for (const int edge : {drawn.left() - drawnExpected.left(), drawn.top() - drawnExpected.top(),
                               drawn.right() - drawnExpected.right(), drawn.bottom() - drawnExpected.bottom()})
            EXPECT_LE(std::abs(edge), 12);
        EXPECT_EQ(QSize(cardPictures().CardWidth(), cardPictures().CardHeight()), tableCard);
    }
}

namespace {

// Whether the dialog, its picture and its buttons lie within the area, the picture in its
// own proportions and showing a picture of its own size.
void expectWithin(TGameDlg &dialog, const QRect &area)
{
    EXPECT_TRUE(area.contains(dialog.geometry())) << "dialog at " << dialog.geometry().x() << ","
                                                  << dialog.geometry().y() << " " << dialog.width() << "x"
                                                  << dialog.height();
    for (QWidget *part : {static_cast<QWidget *>(dialog.OkButton()), static_cast<QWidget *>(dialog.RulesButton()),
                          static_cast<QWidget *>(dialog.PictureBox()), static_cast<QWidget *>(dialog.GameList())}) {
        const QRect global(part->mapToGlobal(QPoint(0, 0)), part->size());
        EXPECT_TRUE(area.contains(global)) << part->objectName().toStdString();
        EXPECT_TRUE(part->isVisible()) << part->objectName().toStdString();
    }
    const QSize box = dialog.PictureBox()->size();
    EXPECT_LE(box.width(), 260);
    EXPECT_NEAR(box.width() * 190.0 / 260.0, box.height(), 1.0);
    EXPECT_EQ(dialog.PictureBox()->pixmap().size(), dialog.PictureBox()->contentsRect().size());
}

} // namespace

TEST(GameDlg, FitsTheAvailableAreaOfASmallScreen)
{
    const struct {
        const char *name;
        QRect area;
        bool fullPicture;
    } cases[] = {
        {"large screen", QRect(0, 0, 1280, 994), true},
        {"640 x 512 at ratio 2 of 1280 x 1024", QRect(0, 0, 640, 512), true},
        {"narrow area away from the corner", QRect(100, 40, 480, 400), true},
        {"low area", QRect(0, 0, 640, 300), false},
    };
    GameDeals deals;
    registerDealtGames(deals);
    GamePictureMaker maker(deals, nullptr);
    for (const auto &item : cases) {
        SCOPED_TRACE(item.name);
        FakeHost host;
        TGameDlg dialog(host, &maker);
        chooseWith(dialog, [&] {
            // Opened partly off the area's right edge.
            dialog.move(item.area.right() - 100, item.area.top());
            dialog.FitInto(item.area);
            QTest::qWait(0);
            // A new selection draws its picture at the box's new size.
            dialog.GameList()->setCurrentItem(dialog.GameList()->topLevelItem(3));
            expectWithin(dialog, item.area);
            EXPECT_EQ(dialog.PictureBox()->width() == 260, item.fullPicture);
        });
    }
}

TEST(GameDlg, OpensWithinTheScreenItIsShownOn)
{
    FakeHost host;
    TGameDlg dialog(host, nullptr);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    dialog.move(area.right() - 50, area.bottom() - 50);
    chooseWith(dialog, [&] {
        QTest::qWait(0);
        EXPECT_TRUE(area.contains(dialog.geometry()))
            << dialog.geometry().x() << "," << dialog.geometry().y() << " " << dialog.width() << "x" << dialog.height()
            << " in " << area.width() << "x" << area.height();
        const QRect ok(dialog.OkButton()->mapToGlobal(QPoint(0, 0)), dialog.OkButton()->size());
        EXPECT_TRUE(area.contains(ok));
    });
}
