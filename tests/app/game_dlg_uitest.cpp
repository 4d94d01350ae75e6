#include "app/game_dlg.h"
#include "app/game_picture.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/table_builders.h"
#include "engine/Cardscmp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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
