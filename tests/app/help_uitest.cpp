#include "support/main_window_fixture.h"

#include "app/about_box.h"
#include "app/context_help.h"
#include "app/help_window.h"
#include "app/tip_of_the_day.h"
#include "app/url_label.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QString pageOf(TMain_F &window)
{
    return window.Help().Browser()->source().toString();
}

// Clicks the first link of the page whose text is `text`.
void clickLink(QTextBrowser *browser, const QString &text)
{
    const QTextCursor found = browser->document()->find(text);
    ASSERT_FALSE(found.isNull()) << qPrintable(text);
    QTextCursor inside = found;
    inside.setPosition(found.selectionStart() + 1);
    const QPoint at = browser->cursorRect(inside).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
}

class OneCustomGame : public CustomGameSource {
public:
    std::optional<CustomGameInfo> CustomGame(int index) const override
    {
        if (index != 0)
            return std::nullopt;
        return CustomGameInfo{QStringLiteral("My FreeCell"), GameIds::FreeCell, {}};
    }
};

} // namespace

TEST(Help, EveryHelpRequestOpensItsPage)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    ASSERT_TRUE(fixture.ShowActive());
    fixture.DealKlondike();
    const struct {
        const char *name;
        std::function<void()> ask;
        const char *page;
    } cases[] = {
        {"F1 at the table", [&] { QTest::keyClick(window.Board1, Qt::Key_F1); }, "qrc:/help/klondike.html"},
        {"Contents", [&] { window.Contents_MI->trigger(); }, "qrc:/help/contents.html"},
        {"Quick Start", [&] { window.HelpMenuItem->trigger(); }, "qrc:/help/quick_start.html"},
        {"How To", [&] { window.HowTo1->trigger(); }, "qrc:/help/how_to.html"},
        {"the game's Help item", [&] { window.GameHelp1->trigger(); }, "qrc:/help/klondike.html"},
        {"an unknown topic", [&] { window.ShowHelpTopic(4711); }, "qrc:/help/not_available.html"},
        {"a variant: its base game", [&] {
             OneCustomGame customs;
             ShowGameRules(window.Help(), FirstCustomGameId, &customs);
         }, "qrc:/help/freecell.html"},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        if (window.Help().isVisible())
            window.Help().hide();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        test.ask();
        EXPECT_TRUE(window.Help().isVisible());
        EXPECT_EQ(pageOf(window).toStdString(), test.page);
    }
    // Every item of the Help menu can be chosen.
    window.RefreshItemStates();
    for (QAction *item : {window.Contents_MI, window.GameHelp1, window.HelpMenuItem, window.HowTo1, window.About1})
        EXPECT_TRUE(item->isEnabled()) << qPrintable(item->objectName());
}

TEST(Help, LinksBackForwardAndSearch)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    HelpWindow &help = window.Help();
    help.ShowTopic(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_FALSE(help.BackButton()->isEnabled());
    clickLink(help.Browser(), QStringLiteral("Monte Carlo"));
    EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/monte_carlo.html"));
    QTest::mouseClick(help.BackButton(), Qt::LeftButton);
    EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/contents.html"));
    QTest::mouseClick(help.ForwardButton(), Qt::LeftButton);
    EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/monte_carlo.html"));

    // A word of one page lists that page, whose link opens it; a missing word says so.
    help.SearchBox()->setText(QStringLiteral("REARRANGE"));
    QTest::keyClick(help.SearchBox(), Qt::Key_Return);
    const QStringList lines = help.Browser()->toPlainText().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 3) << "heading, line, one page";
    EXPECT_EQ(lines.last(), QStringLiteral("Monte Carlo"));
    clickLink(help.Browser(), QStringLiteral("Monte Carlo"));
    EXPECT_EQ(help.Browser()->source().toString(), QStringLiteral("qrc:/help/monte_carlo.html"));
    help.Search(QStringLiteral("no such words here"));
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("No page of the help contains")));
}

TEST(Help, TheWindowKeepsItsSizeAndShowsKlondikesLayout)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    window.ShowRules(GameIds::Klondike);
    HelpWindow *help = &window.Help();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    help->resize(700, 520);
    QApplication::processEvents();
    EXPECT_EQ(fixture.session->Data().settings.Cards.HelpWidth, 700);
    EXPECT_EQ(fixture.session->Data().settings.Cards.HelpHeight, 520);
    delete help;
    window.ShowRules(GameIds::Klondike);
    ASSERT_NE(&window.Help(), help);
    EXPECT_EQ(window.Help().size(), QSize(700, 520));

    // The picture of the deal is on the page: green table, white cards.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Help()));
    const QImage shot = window.Help().Browser()->viewport()->grab().toImage();
    int green = 0, white = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) {
            const QColor colour = shot.pixelColor(x, y);
            green += colour == QColor(0, 128, 0);
            white += colour == QColor(Qt::white);
        }
    EXPECT_GT(green, 5000);
    EXPECT_GT(white, 1000);
    EXPECT_TRUE(window.Help().Browser()->toPlainText().startsWith(QStringLiteral("Klondike")));
}

TEST(Help, F1InTheGameSelectionOpensTheSelectedGameOrTheControlsTopic)
{
    MainWindowFixture fixture;
    TMain_F &window = fixture.Window();
    TGameDlg &dialog = *window.GameDialog();
    QString listPage, buttonPage;
    bool usable = false;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.SelectGame(GameIds::FreeCell);
        dialog.GameList()->setFocus();
        QTest::keyClick(dialog.GameList(), Qt::Key_F1);
        listPage = pageOf(window);
        // Opened over a modal dialog, the help still takes the player's input.
        usable = !QApplication::activeModalWidget() || window.Help().isAncestorOf(QApplication::activeModalWidget())
            || window.Help().parentWidget() == QApplication::activeModalWidget();
        dialog.RulesButton()->setFocus();
        QTest::keyClick(dialog.RulesButton(), Qt::Key_F1);
        buttonPage = pageOf(window);
        dialog.reject();
    });
    dialog.Choose();
    EXPECT_EQ(listPage.toStdString(), "qrc:/help/freecell.html");
    EXPECT_EQ(buttonPage.toStdString(), "qrc:/help/game_selection.html#rules");
    EXPECT_TRUE(usable);
    // Once the dialog is closed the help stays open and belongs to the main window again.
    EXPECT_EQ(window.Help().parentWidget(), &window);
    EXPECT_TRUE(window.Help().isVisible());
}

TEST(TipOfTheDay, CyclesAndShowsAtStartWhenTicked)
{
    QTemporaryDir programFolder;
    {
        QFile tips(QDir(programFolder.path()).filePath(QStringLiteral("qeltips.dat")));
        ASSERT_TRUE(tips.open(QIODevice::WriteOnly));
        tips.write("first tip\nsecond tip\nthird tip\n");
    }
    // Tip 3 of 3, then the first; Close hands the number and the box back.
    TfmTipOfTheDay tips(QDir(programFolder.path()).filePath(QStringLiteral("qeltips.dat")), 3, true);
    EXPECT_EQ(tips.windowTitle(), QStringLiteral("Tip of the Day"));
    EXPECT_EQ(tips.TipLabel()->text(), QStringLiteral("third tip"));
    EXPECT_EQ(tips.TipNumber(), 1);
    QTest::mouseClick(tips.NextTipButton(), Qt::LeftButton);
    EXPECT_EQ(tips.TipLabel()->text(), QStringLiteral("first tip"));
    EXPECT_EQ(tips.TipNumber(), 2);

    const struct {
        const char *name;
        bool tipsFile;
        bool showAtStartup;
        bool shown;
    } cases[] = {
        {"ticked", true, true, true},
        {"not ticked", true, false, false},
        {"no tips file", false, true, false},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        MainWindowFixture fixture(false);
        fixture.locations.programFolder = test.tipsFile ? programFolder.path() : QString();
        TMain_F &window = fixture.Create();
        CardsSettings &cards = fixture.session->Data().settings.Cards;
        cards.TipShowAtStartup = test.showAtStartup;
        cards.Tip = 2;
        window.RefreshItemStates();
        EXPECT_EQ(window.ItemShown(window.miTipOfTheDay), test.tipsFile);
        QString shownTip;
        bool selected = false;
        // The game selection first (cancelled here), then the tip, whose box the player unticks.
        QTimer answer;
        answer.setInterval(10);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *dialog = qobject_cast<TGameDlg *>(modal)) {
                selected = true;
                dialog->reject();
            } else if (auto *tip = qobject_cast<TfmTipOfTheDay *>(modal)) {
                shownTip = tip->TipLabel()->text();
                tip->ShowAtStartupBox()->setChecked(false);
                tip->accept();
            }
        });
        answer.start();
        window.show();
        window.GameDialog()->PostStartMessage();
        ASSERT_TRUE(QTest::qWaitFor([&] { return selected && !QApplication::activeModalWidget(); }, 3000));
        QTest::qWait(100);
        answer.stop();
        EXPECT_EQ(shownTip, test.shown ? QStringLiteral("second tip") : QString());
        EXPECT_EQ(cards.Tip, test.shown ? 3 : 2);
        EXPECT_EQ(cards.TipShowAtStartup, test.shown ? false : test.showAtStartup);
    }
}

TEST(AboutBox, TheLinkLabelOpensCopiesAndShowsItsURL)
{
    AboutBox about;
    TQelURLLabel *link = about.HomePageLink();
    const QUrl home(QString::fromLatin1(AboutText::HomePage));
    EXPECT_EQ(link->URL(), home);
    EXPECT_EQ(link->toolTip(), home.toString());
    EXPECT_TRUE(link->font().underline());
    QList<QUrl> opened;
    link->Open = [&](const QUrl &url) {
        opened << url;
        return true;
    };
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), link->NormalColor);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(link, &enter);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), link->HoverColor);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(opened, QList<QUrl>{home});
    EXPECT_TRUE(link->Visited());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), link->VisitedColor);

    // The popup: "&Jump to URL" opens, "&Copy URL" puts the URL on the clipboard.
    const QList<QAction *> items = link->PopupMenu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Jump to URL"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("&Copy URL"));
    QGuiApplication::clipboard()->clear();
    items[1]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), home.toString());
    items[0]->trigger();
    EXPECT_EQ(opened.size(), 2);
    // A disabled label opens nothing; only web addresses are ever opened.
    link->setEnabled(false);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(opened.size(), 2);
    for (const char *refused : {"file:///etc/passwd", "javascript:alert(1)", "ftp://example.org/", "not a url"})
        EXPECT_FALSE(OpenWebPage(QUrl(QString::fromLatin1(refused)))) << refused;
}
