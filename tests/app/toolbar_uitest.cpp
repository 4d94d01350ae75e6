// The toolbar as the player meets it: its buttons and their states, its place beside the table
// and after a restart, its pictures, the customisation dialog and the statistics notices.
#include "support/main_window_fixture.h"

#include "app/button_pictures.h"
#include "app/game_session.h"
#include "app/stat_warn_dialog.h"
#include "app/toolbar.h"
#include "app/toolbar_customize.h"
#include "engine/Cardscmp.h"
#include "store/settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The toolbar left to right: button codes, "|" for a separator.
QString toolbarItems(const MainToolbar &toolbar)
{
    QStringList items;
    for (const QAction *action : toolbar.actions())
        items << (action->isSeparator() ? QStringLiteral("|") : QString::number(action->data().toInt()));
    return items.join(u' ');
}

QToolButton *buttonOf(const MainToolbar &toolbar, int code)
{
    return qobject_cast<QToolButton *>(toolbar.widgetForAction(toolbar.Button(code)));
}

void writeSettings(MainWindowFixture &fixture, const QString &file, const QString &group,
                   const std::map<QString, QVariant> &values)
{
    QSettings store(QDir(fixture.locations.configFolder).filePath(file), QSettings::IniFormat);
    store.beginGroup(group);
    for (const auto &[name, value] : values)
        store.setValue(name, value);
}

// Closes the window (which saves) and opens it again, after `between` when given.
void restart(MainWindowFixture &fixture, const std::function<void()> &between = {})
{
    fixture.window->close();
    fixture.DestroyWindow();
    if (between)
        between();
    fixture.Create();
    ASSERT_TRUE(fixture.ShowActive());
    QTest::qWait(20);
}

// Runs `act` on the modal dialog of type T once it shows.
template <typename T>
void whenShown(std::function<void(T &)> act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<T *>(widget); dialog && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        ADD_FAILURE() << "no dialog shown";
    });
}

QStringList namesOf(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

void selectName(QListWidget *list, const char *name)
{
    list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0));
}

// Drags a row of one list of the dialog onto a row of a list (past its end for row -1).
void dragRow(QListWidget *from, int row, QListWidget *onto, int ontoRow)
{
    QWidget *source = from->viewport();
    const QPoint start = from->visualItemRect(from->item(row)).center();
    const QRect target = ontoRow < 0 ? QRect(QPoint(10, onto->viewport()->height() - 3), QSize(1, 1))
                                     : onto->visualItemRect(onto->item(ontoRow));
    const QPoint end = source->mapFromGlobal(onto->viewport()->mapToGlobal(target.center()));
    QTest::mousePress(source, Qt::LeftButton, {}, start);
    QTest::mouseMove(source, start + QPoint(0, 12));
    QTest::mouseMove(source, end);
    QTest::mouseRelease(source, Qt::LeftButton, {}, end);
}

// The share of a picture's visible pixels that are partly transparent: the edges.
double edgeShare(const QImage &picture)
{
    int partial = 0, visible = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const int alpha = qAlpha(picture.pixel(x, y));
            visible += alpha > 0;
            partial += alpha > 0 && alpha < 255;
        }
    return visible ? double(partial) / visible : 1.0;
}

} // namespace

TEST(Toolbar, ShowsTheDefaultButtonsRunningAndFollowingTheirItems)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    MainToolbar &toolbar = *window.Toolbar2;
    EXPECT_TRUE(toolbar.isVisible());
    EXPECT_EQ(toolbar.DockArea(), Qt::TopToolBarArea);
    EXPECT_EQ(toolbarItems(toolbar), QStringLiteral("9 1 | 2 3 | 5 | 7 8 | 13"));
    EXPECT_EQ(buttonOf(toolbar, 2)->toolTip(), QStringLiteral("Undo"));

    fixture.DealKlondike();
    EXPECT_FALSE(toolbar.Button(2)->isEnabled());
    QTest::keyClick(window.Board1, Qt::Key_Space);
    EXPECT_TRUE(toolbar.Button(2)->isEnabled());
    QTest::mouseClick(buttonOf(toolbar, 2), Qt::LeftButton);
    EXPECT_EQ(window.Board1->JournalPos, -1) << "Undo took the move back";
    EXPECT_TRUE(toolbar.Button(3)->isEnabled());
    // Autoplay is a two-state button that is down while the item is checked.
    const bool autoplay = window.Autoplay1->isChecked();
    EXPECT_EQ(toolbar.Button(5)->isChecked(), autoplay);
    QTest::mouseClick(buttonOf(toolbar, 5), Qt::LeftButton);
    EXPECT_EQ(window.Autoplay1->isChecked(), !autoplay);
    window.Autoplay1->trigger();
    EXPECT_EQ(toolbar.Button(5)->isChecked(), autoplay);
    // The "&Toolbar" item hides and shows it.
    window.ToolBarMenu->trigger();
    EXPECT_TRUE(toolbar.isHidden());
    EXPECT_FALSE(fixture.session->Data().settings.Cards.ToolBar);
    window.ToolBarMenu->trigger();
    EXPECT_TRUE(toolbar.isVisible());
    // Closing it while it floats unchecks the item.
    toolbar.Float(QPoint(50, 50));
    toolbar.close();
    EXPECT_FALSE(window.ToolBarMenu->isChecked());
    EXPECT_FALSE(fixture.session->Data().settings.Cards.ToolBar);
}

TEST(Toolbar, TheTableIsToldTheRoomTheToolbarTakesAtTheTopOrLeft)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    MainToolbar &toolbar = *window.Toolbar2;
    const struct {
        const char *place;
        std::function<void()> put;
        bool top, left;
    } cases[] = {
        {"top", [&] { toolbar.Dock(Qt::TopToolBarArea); }, true, false},
        {"left", [&] { toolbar.Dock(Qt::LeftToolBarArea); }, false, true},
        {"right", [&] { toolbar.Dock(Qt::RightToolBarArea); }, false, false},
        {"bottom", [&] { toolbar.Dock(Qt::BottomToolBarArea); }, false, false},
        {"floating", [&] { toolbar.Float(QPoint(40, 40)); }, false, false},
        {"hidden at the left", [&] { toolbar.Dock(Qt::LeftToolBarArea); window.ToolBarMenu->trigger(); }, false, false},
    };
    const int thickness = fixture.session->Data().settings.Cards.LargeButtons ? toolbar.LargeSize() + 4 : 27;
    for (const auto &test : cases) {
        if (!window.ToolBarMenu->isChecked())
            window.ToolBarMenu->trigger();
        test.put();
        QTest::qWait(10);
        EXPECT_EQ(window.Board1->VDelta, test.top ? thickness : 0) << test.place;
        EXPECT_EQ(window.Board1->GDelta, test.left ? thickness : 0) << test.place;
    }
}

TEST(Toolbar, ComesBackInItsPlaceAndLookAfterARestartAndStaysOnScreen)
{
    MainWindowFixture fixture;
    ASSERT_TRUE(fixture.ShowActive());
    fixture.window->Toolbar2->Dock(Qt::LeftToolBarArea);
    fixture.window->Toolbar2->LargeItem->trigger();
    restart(fixture);
    MainToolbar *toolbar = fixture.window->Toolbar2;
    EXPECT_EQ(toolbar->DockArea(), Qt::LeftToolBarArea);
    EXPECT_EQ(buttonOf(*toolbar, 9)->size(), QSize(toolbar->LargeSize() + 1, toolbar->LargeSize()));

    toolbar->Float(QPoint(300, 200));
    restart(fixture);
    toolbar = fixture.window->Toolbar2;
    EXPECT_TRUE(toolbar->isFloating());
    EXPECT_EQ(toolbar->pos(), QPoint(300, 200));

    // A place from a larger screen, or one that names no dock.
    const QString file = QStringLiteral("Quillon Cards.ini"), group = QStringLiteral("Toolbar2");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    restart(fixture, [&] { writeSettings(fixture, file, group, {{"DockedTo", ""}, {"FloatLeft", 5000}, {"FloatTop", -3000}}); });
    toolbar = fixture.window->Toolbar2;
    EXPECT_TRUE(toolbar->isFloating());
    EXPECT_TRUE(screen.contains(toolbar->frameGeometry())) << toolbar->pos().x() << "," << toolbar->pos().y();
    restart(fixture, [&] { writeSettings(fixture, file, group, {{"DockedTo", "Dock999"}, {"FloatLeft", "x"}}); });
    EXPECT_FALSE(fixture.window->Toolbar2->isFloating());
    EXPECT_EQ(fixture.window->Toolbar2->DockArea(), Qt::TopToolBarArea);
}

TEST(Toolbar, ShowNextMoveOnTheToolbarStopsTheStatisticsWithTheNotices)
{
    MainWindowFixture fixture(false);
    writeSettings(fixture, QStringLiteral("Tarnwick.ini"), QStringLiteral("Cards"),
                  {{"CollectStatistics", 1}, {"tbconf", "04,00,13"}});
    fixture.Create();
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    DataStore &data = fixture.session->Data();
    CardsSettings &cards = data.settings.Cards;
    EXPECT_EQ(cards.CollectStatistics, 3);
    EXPECT_FALSE(data.statistics.collecting());

    // Taken off: the statistics come back, with the notice; "Don't show" switches "EW" off.
    QStringList notices;
    const auto answerNotice = [&notices](bool dontShow) {
        whenShown<TStatWarnD>([&notices, dontShow](TStatWarnD &notice) {
            notices << notice.windowTitle() + u':' + notice.Message->text();
            notice.DontShow->setChecked(dontShow);
            notice.accept();
        });
    };
    whenShown<TCustDlg>([&](TCustDlg &dialog) {
        selectName(dialog.DstList, "Show Next Move");
        answerNotice(true);
        QTest::mouseClick(dialog.RemoveButton, Qt::LeftButton);
        QTest::mouseClick(dialog.OkButton, Qt::LeftButton);
    });
    window.CustomizeToolbar();
    EXPECT_EQ(notices, QStringList{QStringLiteral("Tarnwick:") + QString::fromLatin1(StatWarnText::ButtonRemoved)});
    EXPECT_FALSE(cards.EW);
    EXPECT_EQ(cards.CollectStatistics, 1);
    EXPECT_TRUE(data.statistics.collecting());
    EXPECT_EQ(toolbarItems(*window.Toolbar2), QStringLiteral("| 13"));

    // Put back by a double-click: the other notice; then Cancel changes nothing.
    notices.clear();
    whenShown<TCustDlg>([&](TCustDlg &dialog) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        answerNotice(false);
        QListWidgetItem *next = dialog.SrcList->findItems(QStringLiteral("Show Next Move"), Qt::MatchExactly).value(0);
        const QPoint at = dialog.SrcList->visualItemRect(next).center();
        QTest::mouseClick(dialog.SrcList->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dialog.SrcList->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(dialog.StatisticsMode(), 3);
        QTest::mouseClick(dialog.CancelButton, Qt::LeftButton);
    });
    window.CustomizeToolbar();
    EXPECT_EQ(notices, QStringList{QStringLiteral("Tarnwick:") + QString::fromLatin1(StatWarnText::ButtonAdded)});
    EXPECT_TRUE(cards.DW);
    EXPECT_EQ(cards.CollectStatistics, 1);
    EXPECT_EQ(toolbarItems(*window.Toolbar2), QStringLiteral("| 13"));

    // The effective value is the one saved.
    cards.tbconf = QStringLiteral("04");
    window.Toolbar2->Lists = ToolbarButtons::Lists::FromLayout(cards.tbconf);
    window.RebuildToolbar();
    window.close();
    EXPECT_EQ(QSettings(data.settings.path(), QSettings::IniFormat).value("Cards/CollectStatistics").toInt(), 3);
}

TEST(CustDlg, MovesRowsByItsButtonsAndByDraggingAndRestoresTheDefault)
{
    bool showAdded = false, showRemoved = false;
    const ToolbarButtons::Lists lists = ToolbarButtons::Lists::FromLayout(QStringLiteral("09,00,02"));
    TCustDlg dialog(lists, 1, ButtonPictures::Set::Small, false, showAdded, showRemoved);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QListWidget *left = dialog.SrcList, *right = dialog.DstList;
    const struct {
        const char *step;
        std::function<void()> act;
        const char *toolbar;
    } steps[] = {
        {"-> with no row chosen on the right inserts first",
         [&] { right->setCurrentRow(-1); selectName(left, "Restart Game"); QTest::mouseClick(dialog.AddButton, Qt::LeftButton); },
         "Restart Game/New Game/Separator/Undo"},
        {"a separator is copied, before the chosen row",
         [&] { right->setCurrentRow(3); selectName(left, "Separator"); QTest::mouseClick(dialog.AddButton, Qt::LeftButton); },
         "Restart Game/New Game/Separator/Separator/Undo"},
        {"<- takes a separator away",
         [&] { right->setCurrentRow(2); QTest::mouseClick(dialog.RemoveButton, Qt::LeftButton); },
         "Restart Game/New Game/Separator/Undo"},
        {"Up", [&] { right->setCurrentRow(1); QTest::mouseClick(dialog.UpButton, Qt::LeftButton); },
         "New Game/Restart Game/Separator/Undo"},
        {"Down", [&] { right->setCurrentRow(0); QTest::mouseClick(dialog.DownButton, Qt::LeftButton); },
         "Restart Game/New Game/Separator/Undo"},
        {"dragged onto the toolbar's row 1", [&] { dragRow(left, left->row(left->findItems("Open Game", Qt::MatchExactly)[0]), right, 1); },
         "Restart Game/Open Game/New Game/Separator/Undo"},
        {"dragged within the toolbar", [&] { dragRow(right, 0, right, 3); }, "Open Game/New Game/Separator/Restart Game/Undo"},
        {"dragged past the toolbar's last row", [&] { dragRow(right, 0, right, -1); }, "New Game/Separator/Restart Game/Undo/Open Game"},
        {"dragged back to the available list", [&] { dragRow(right, 2, left, 0); }, "New Game/Separator/Undo/Open Game"},
    };
    for (const auto &step : steps) {
        step.act();
        EXPECT_EQ(namesOf(right).join(u'/').toStdString(), step.toolbar) << step.step;
    }
    EXPECT_EQ(left->findItems(QStringLiteral("Separator"), Qt::MatchExactly).size(), 1);
    EXPECT_TRUE(left->findItems(QStringLiteral("Restart Game"), Qt::MatchExactly).size() == 1);
    right->setCurrentRow(0);
    EXPECT_FALSE(dialog.UpButton->isEnabled());
    right->setCurrentRow(right->count() - 1);
    EXPECT_FALSE(dialog.DownButton->isEnabled());
    EXPECT_TRUE(dialog.Changed());

    QTest::mouseClick(dialog.RestoreButton, Qt::LeftButton);
    EXPECT_EQ(namesOf(right), ToolbarButtons::DefaultButtonNames());
    const ToolbarButtons::Lists result = dialog.Result();
    EXPECT_EQ(result.current, ToolbarButtons::DefaultButtonNames());
    EXPECT_EQ(QSet<QString>(result.available.begin(), result.available.end()),
              (QSet<QString>{"Show Next Move", "Restart Game", "Open Game", "Save Game"}));
    EXPECT_TRUE(dialog.RestoredDefault());
}

TEST(ToolbarPictures, BothSizesShowTheirOwnCrispPictures)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    MainToolbar &toolbar = *window.Toolbar2;
    CardsSettings &cards = fixture.session->Data().settings.Cards;
    const qreal ratio = window.devicePixelRatioF();
    for (const bool large : {false, true}) {
        cards.LargeButtons = large;
        window.RebuildToolbar();
        QTest::qWait(10);
        const int size = toolbar.LargeSize();
        EXPECT_EQ(toolbar.height(), large ? size + 4 : 27);
        const QImage grabbed = toolbar.grab().toImage();
        EXPECT_EQ(grabbed.devicePixelRatio(), ratio);
        QList<QImage> seen;
        for (const int code : {9, 1, 2, 3, 5, 7, 8, 13}) {
            QToolButton *button = buttonOf(toolbar, code);
            EXPECT_EQ(button->size(), large ? QSize(size + 1, size) : QSize(25, 24)) << code;
            const QRect area(button->geometry().topLeft() * ratio, button->size() * ratio);
            const QImage picture = grabbed.copy(area);
            EXPECT_FALSE(seen.contains(picture)) << "button " << code << " looks like another";
            seen << picture;
        }
        // The pictures the buttons show are drawn at the screen's ratio, not enlarged: at twice the
        // pixels their soft edges are a far smaller share of them.
        const QSize glyph = toolbar.iconSize();
        for (const int code : {9, 2, 13}) {
            const QIcon icon = toolbar.Button(code)->icon();
            const QImage sharp = icon.pixmap(glyph, 2.0).toImage();
            EXPECT_EQ(sharp.size(), glyph * 2) << code;
            EXPECT_LT(edgeShare(sharp), 0.75 * edgeShare(icon.pixmap(glyph, 1.0).toImage())) << code;
            EXPECT_NE(icon.pixmap(glyph, ratio, QIcon::Disabled).toImage(), icon.pixmap(glyph, ratio).toImage()) << code;
        }
    }
}

TEST(ToolbarPictures, APaletteDisplayShowsOnlyItsSixteenColoursAndNoOldStyleChoice)
{
    MainWindowFixture fixture(false);
    fixture.display = FixedDisplayInfo(8, QSize(1280, 1024), QRect(0, 0, 1280, 990));
    fixture.Create();
    MainToolbar &toolbar = *fixture.window->Toolbar2;
    Q_EMIT toolbar.ContextMenu()->aboutToShow();
    EXPECT_FALSE(toolbar.OldStyleItem->isEnabled());
    EXPECT_EQ(toolbar.PictureSet(), ButtonPictures::Set::Palette);
    QSet<QRgb> colours;
    for (const int code : {9, 1, 2, 13}) {
        const QImage picture = toolbar.Button(code)->icon().pixmap(QSize(16, 16), 1.0).toImage();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qAlpha(picture.pixel(x, y)) != 0)
                    colours << picture.pixel(x, y);
    }
    const QSet<QRgb> sixteen = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                                0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
    for (const QRgb colour : colours)
        EXPECT_TRUE(sixteen.contains(colour)) << std::hex << colour;
    EXPECT_LE(colours.size(), 16);
}

TEST(MenuPresentation, FlatOrPlainTheMenusAreTheSameItemsWithTheirPictures)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    CardsSettings &cards = fixture.session->Data().settings.Cards;
    const QList<QAction *> plainBar = window.menuBar()->actions();
    const QImage plain = window.Game1->grab().toImage();
    cards.MenuXP = true;
    window.RebuildToolbar();
    EXPECT_EQ(window.menuBar()->actions(), plainBar);
    EXPECT_FALSE(window.Game1->styleSheet().isEmpty());
    EXPECT_EQ(window.Toolbar2->ContextMenu()->styleSheet(), window.Game1->styleSheet());
    EXPECT_NE(window.Game1->grab().toImage(), plain);
    EXPECT_FALSE(window.Deal_MI->icon().isNull());
    cards.MenuXP = false;
    cards.MenuIcons = false;
    window.RebuildToolbar();
    EXPECT_TRUE(window.Game1->styleSheet().isEmpty());
    EXPECT_TRUE(window.Deal_MI->icon().isNull());
}
