// The options dialog in the real main window: opened by Ctrl+T, untouched pages give every
// setting back unchanged, Cancel changes nothing, and each page's change reaches the table on
// OK and is still there after a restart.
#include "support/main_window_fixture.h"

#include "app/background_page.h"
#include "app/card_backs_page.h"
#include "app/card_sets_page.h"
#include "app/favorites_page.h"
#include "app/game_dlg.h"
#include "app/miscellaneous_page.h"
#include "app/graphics_page.h"
#include "app/options_dialog.h"
#include "app/preferences_page.h"
#include "app/toolbar_menu_page.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"
#include "look/table_background.h"
#include "store/settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void storeSettings(MainWindowFixture &fixture, const QList<std::pair<QString, QVariant>> &values)
{
    QSettings ini(fixture.locations.settingsFile(), QSettings::IniFormat);
    for (const auto &[name, value] : values)
        ini.setValue(QStringLiteral("Cards/") + name, value);
}

// Opens the dialog with Ctrl+T, lets `edit` work on it while it shows, then presses OK or Cancel.
void runOptions(TMain_F &window, const std::function<void(TOptions &)> &edit, bool ok = true)
{
    bool opened = false;
    window.RunOptions = [&](TOptions &dialog) {
        opened = true;
        dialog.show();
        QTest::qWait(20);
        edit(dialog);
        QTest::mouseClick(dialog.Buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel), Qt::LeftButton);
        return dialog.result();
    };
    window.show();
    // The offscreen platform leaves a closed dialog the active window.
    QApplication::setActiveWindow(&window);
    QTest::keyClick(window.Board1, Qt::Key_T, Qt::ControlModifier);
    window.RunOptions = nullptr;
    EXPECT_TRUE(opened);
}

void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

int backOfEveryCard(TMain_F &window)
{
    const int back = window.Table().Card(0)->CardBack();
    for (int index = 1; index < GameTable::CardCount; ++index)
        if (window.Table().Card(index)->CardBack() != back)
            return -1;
    return back;
}

} // namespace

// Whatever the stored values, OK without an edit leaves every one of them as it was, and
// Cancel after edits on every page leaves them too.
TEST(OptionsDialog, UntouchedOkAndCancelChangeNoSetting)
{
    const QList<QList<std::pair<QString, QVariant>>> stored = {
        {},
        {{"DragSteps", 9}, {"ClickSteps", 0}, {"ShadowStyle", 2}, {"ShadowEnabled", 0}, {"MaxLog", 20000},
         {"CollectStatistics", 0}, {"UndoOption", 1}, {"CardMovement", 0}, {"RightClick", 0}, {"Back", 5},
         {"Pattern_Type", 0}, {"Fade", 0}, {"Direction", 1}, {"BoardColor", 0x123456}, {"CardSize", 0},
         {"ScaleCards", 0}, {"AutoCardSizing", 0}, {"FittingMethod", 1}, {"SpreadCards", 0}, {"Play_Win_G", 0}},
        {{"Back", 13}, {"CustBackStyle", 7}, {"Pattern_Type", 1}, {"Pattern_Name", "Wood2"}, {"UndoOption", 5}},
    };
    for (int index = 0; index < stored.size(); ++index) {
        SCOPED_TRACE(index);
        MainWindowFixture fixture(false);
        storeSettings(fixture, stored[index]);
        TMain_F &window = fixture.Create();
        const CardsSettings &cards = window.Program().Data().settings.Cards;
        const CardsSettings before = cards;
        runOptions(window, [](TOptions &) {});
        EXPECT_TRUE(cards == before);
        runOptions(window, [](TOptions &dialog) {
            click(dialog.Preferences->Sound_CB);
            click(dialog.Preferences->CardMovement[1]);
            dialog.Graphics->DragSpeed->setValue(1);
            click(dialog.Background->SetColor);
            click(dialog.CardSets->cbScaleCards);
            click(dialog.ToolbarMenu->cbOldStyle);
        }, false);
        EXPECT_TRUE(cards == before);
    }
}

// "Play sound" shows all, some or none of the five sounds; a click on the grayed box turns
// every sound on, a click on the checked one every sound off.
TEST(OptionsDialog, PlaySoundBoxFollowsTheFiveSounds)
{
    const struct {
        bool shuffleOnly, allOff;
        Qt::CheckState shown, afterClick;
    } cases[] = {{false, false, Qt::Checked, Qt::Unchecked},
                 {true, false, Qt::PartiallyChecked, Qt::Checked},
                 {false, true, Qt::Unchecked, Qt::Checked}};
    for (const auto &test : cases) {
        MainWindowFixture fixture(false);
        if (test.shuffleOnly || test.allOff)
            storeSettings(fixture, {{"Play_Card_Move", 0}, {"Play_Deck_Over", 0}, {"Play_Card_Drag", 0},
                                    {"Play_Win_G", 0}, {"PlayShuffle", int(test.shuffleOnly)}});
        TMain_F &window = fixture.Create();
        runOptions(window, [&](TOptions &dialog) {
            QCheckBox *box = dialog.Preferences->Sound_CB;
            EXPECT_EQ(box->checkState(), test.shown);
            click(box);
            EXPECT_EQ(box->checkState(), test.afterClick);
        });
        const bool on = test.afterClick == Qt::Checked;
        EXPECT_EQ(window.AllSoundsOn(), on);
        EXPECT_EQ(window.Board1->MyPlayCardMove, on);
        EXPECT_EQ(window.Board1->MyPlayCardDrag, on);
    }
}

// Each page's change is on the table once OK is pressed, and again after a restart.
TEST(OptionsDialog, ChangesReachTheTableAndSurviveARestart)
{
    const struct {
        const char *name;
        std::function<void(TOptions &)> edit;
        std::function<bool(TMain_F &)> shows;
    } cases[] = {
        {"small cards",
         [](TOptions &dialog) {
             dialog.Pages->setCurrentWidget(dialog.CardSets);
             click(dialog.CardSets->cbScaleCards);
             if (dialog.CardSets->cbAutoSizing->isChecked())
                 click(dialog.CardSets->cbAutoSizing);
             click(dialog.CardSets->Size[0]);
         },
         [](TMain_F &window) {
             return !window.Program().Data().settings.Cards.ScaleCards && cardPictures().CardWidth() == 55
                    && cardPictures().CardHeight() == 74;
         }},
        {"card set back",
         [](TOptions &dialog) {
             dialog.Pages->setCurrentWidget(dialog.CardBacks);
             dialog.CardBacks->SelectFolder(QStringLiteral("Standard"));
             EXPECT_TRUE(dialog.CardBacks->SelectBack(QStringLiteral("Card set back")));
         },
         [](TMain_F &window) { return backOfEveryCard(window) == 13; }},
        {"plain colour",
         [](TOptions &dialog) {
             dialog.Pages->setCurrentWidget(dialog.Background);
             click(dialog.Background->SetColor);
             click(dialog.Background->cbFade);
         },
         [](TMain_F &window) {
             return window.Board1->Pattern_Type == 0 && window.Background().Choice().Pattern_Type == 0
                    && !window.Background().Choice().Fade;
         }},
        {"slow drops, quick clicks",
         [](TOptions &dialog) {
             dialog.Graphics->DragSpeed->setValue(7);
             dialog.Graphics->ClickSpeed->setValue(1);
         },
         [](TMain_F &) { return engineState().Options.DragSteps == 7 && engineState().Options.ClickSteps == 1; }},
        {"point and click only",
         [](TOptions &dialog) { click(dialog.Preferences->CardMovement[1]); },
         [](TMain_F &) { return !engineState().Options.DragEnabled() && engineState().Options.ClickEnabled(); }},
        {"every game a favourite", [](TOptions &dialog) { click(dialog.FavoriteGames->AddAll); },
         [](TMain_F &window) {
             const GameGroups &groups = window.GameDialog()->Groups;
             return groups.IsMember(108, FavoritesGroup) && groups.IsMember(32, FavoritesGroup);
         }},
        {"no scroll bars", [](TOptions &dialog) { click(dialog.Miscellaneous->cbScrollBars); },
         [](TMain_F &window) { return !window.Board1->ShowScrollBars; }},
        {"sounds off", [](TOptions &dialog) { click(dialog.Preferences->Sound_CB); },
         [](TMain_F &window) { return !window.AllSoundsOn() && !window.Board1->MyPlayDeckOver; }},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        MainWindowFixture fixture;
        TMain_F &window = fixture.Window();
        fixture.DealKlondike();
        EXPECT_FALSE(test.shows(window));
        runOptions(window, test.edit);
        EXPECT_TRUE(test.shows(window));
        window.close();
        ASSERT_TRUE(window.Saved());
        fixture.DestroyWindow();
        TMain_F &again = fixture.Create();
        fixture.DealKlondike();
        EXPECT_TRUE(test.shows(again));
    }
}

// A picture back whose file goes while the dialog is open leaves back 1 after OK.
TEST(OptionsDialog, BackFileDeletedWhileOpenGivesBackOne)
{
    MainWindowFixture fixture(false);
    const QString file = fixture.folder.filePath(QStringLiteral("mine.bmp"));
    QImage picture(71, 96, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    ASSERT_TRUE(picture.save(file));
    storeSettings(fixture, {{"Back", 100}, {"CustBackFile", file}});
    TMain_F &window = fixture.Create();
    ASSERT_EQ(window.Program().Data().settings.Cards.Back, 100);
    runOptions(window, [&](TOptions &) { QFile::remove(file); });
    EXPECT_EQ(window.Program().Data().settings.Cards.Back, 1);
    EXPECT_EQ(backOfEveryCard(window), 1);
}

// The card-set preview: 52 faces in four rows on green, drawn off the interface thread.
TEST(OptionsDialog, CardSetPreviewShowsTheFacesOnGreen)
{
    MainWindowFixture fixture;
    runOptions(fixture.Window(), [](TOptions &dialog) {
        dialog.Pages->setCurrentWidget(dialog.CardSets);
        CardSetsPage &page = *dialog.CardSets;
        ASSERT_TRUE(QTest::qWaitFor([&] { return page.PreviewReady(); }, 10000));
        const QImage preview = page.Preview->pixmap().toImage();
        const QSize card(cardPictures().CardWidth(), cardPictures().CardHeight());
        ASSERT_GE(preview.width(), 13 * card.width());
        EXPECT_EQ(preview.pixelColor(1, 1), QColor(0, 128, 0));
        // Mid-card pixels are the faces' white, not the green.
        for (int row = 0; row < 4; ++row)
            EXPECT_NE(preview.pixelColor(4 + card.width() / 2, 4 + row * (card.height() + 4) + 8), QColor(0, 128, 0));
    });
}
