// The table background in the real main window: the green paper at a first start, the
// colour when the texture or file cannot be read, a large picture stretched again after a
// resize, and a picture chosen at random at a new game.
#include "support/main_window_fixture.h"

#include "engine/Cardscmp.h"
#include "look/table_background.h"

#include <QFile>
#include <QScrollArea>
#include <QSet>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void storeSettings(MainWindowFixture &fixture, const QList<std::pair<QString, QVariant>> &values)
{
    QSettings ini(fixture.locations.settingsFile(), QSettings::IniFormat);
    for (const auto &[name, value] : values)
        ini.setValue(QStringLiteral("Cards/") + name, value);
    ini.sync();
}

QImage shownTable(MainWindowFixture &fixture, QSize size = QSize(700, 500))
{
    TMain_F &window = fixture.Window();
    window.setWindowState(Qt::WindowNoState);
    window.show();
    window.resize(size);
    QTest::qWait(30);
    QApplication::processEvents();
    return window.Board1->grab(QRect(QPoint(0, 0), window.ScrollBox1->viewport()->size())).toImage();
}

} // namespace

TEST(TableBackgroundWindow, AFirstStartShowsTheGreenPaper)
{
    MainWindowFixture fixture;
    const QImage table = shownTable(fixture).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(fixture.Window().Board1->Pattern_Type, 1);
    QSet<QRgb> colours;
    int green = 0, pixels = 0;
    for (int y = 0; y < table.height(); y += 3)
        for (int x = 0; x < table.width(); x += 3) {
            const QColor colour = table.pixelColor(x, y);
            colours.insert(colour.rgb());
            green += colour.green() > 2 * colour.red() && colour.green() > 2 * colour.blue();
            ++pixels;
        }
    // A textured table (many shades), green nearly everywhere but under the note.
    EXPECT_GT(colours.size(), 30);
    EXPECT_GT(green, pixels * 9 / 10);
}

TEST(TableBackgroundWindow, WhatCannotBeReadLeavesTheColour)
{
    const struct {
        int type;
        const char *name;
        const char *file;
        bool fade;
    } cases[] = {{1, "Nosuchtexture", "", true}, {1, "Nosuchtexture", "", false}, {2, "", "broken.jpg", true}};
    for (const auto &test : cases) {
        MainWindowFixture fixture(false);
        QString file;
        if (*test.file) {
            file = fixture.folder.filePath(QString::fromLatin1(test.file));
            QFile broken(file);
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write("\xFF\xD8 cut short"); // no end marker
        }
        storeSettings(fixture, {{"Pattern_Type", test.type}, {"Pattern_Name", test.name}, {"Pattern_File", file},
                                {"Fade", int(test.fade)}, {"BoardColor", 0x00A000}});
        fixture.Create();
        const QImage table = shownTable(fixture);
        EXPECT_EQ(fixture.Window().Board1->Pattern_Type, 0);
        // A damaged JPEG file is forgotten at start.
        EXPECT_EQ(fixture.session->Data().settings.Cards.Pattern_File, QString());
        EXPECT_EQ(table.pixelColor(2, 2), QColor(0, 160, 0));
        const QColor low = table.pixelColor(2, table.height() - 3);
        EXPECT_EQ(low.green() < 150, test.fade) << low.green();
    }
}

TEST(TableBackgroundWindow, ALargePictureIsStretchedAgainAfterAResize)
{
    MainWindowFixture fixture(false);
    const QString file = fixture.folder.filePath(QStringLiteral("harbour.jpg"));
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(30, 60, 90));
    for (int y = 470; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            picture.setPixelColor(x, y, QColor(200, 180, 40)); // a yellow band at the bottom
    ASSERT_TRUE(picture.save(file, "JPEG", 100));
    storeSettings(fixture, {{"Pattern_Type", 2}, {"Pattern_File", file}});
    fixture.Create();
    for (const QSize size : {QSize(700, 500), QSize(900, 650)}) {
        const QImage table = shownTable(fixture, size);
        fixture.Window().TableAreaChanged();
        EXPECT_EQ(fixture.Window().Background().Tile().size(), fixture.Window().ScrollBox1->viewport()->size());
        const QImage again = fixture.Window().Board1->grab(QRect(QPoint(0, 0), table.size())).toImage();
        // The picture's bottom band lies on the table's bottom edge.
        const QColor bottom = again.pixelColor(again.width() / 2, again.height() - 1);
        EXPECT_GT(bottom.red(), 120) << size.width();
    }
}

TEST(TableBackgroundWindow, ARandomBackgroundAtEveryNewGame)
{
    MainWindowFixture fixture(false);
    storeSettings(fixture, {{"RandomBackground", 1}, {"Pattern_Type", 1}, {"Pattern_Name", "Paper4"}});
    fixture.Create();
    QSet<QString> shown;
    for (quint32 number = 1; number <= 6; ++number) {
        fixture.DealKlondike(number);
        const CardsSettings &cards = fixture.session->Data().settings.Cards;
        const BackgroundChoice &choice = fixture.Window().Background().Choice();
        // A texture or one of the program's pictures, shown and on record.
        EXPECT_NE(choice.Pattern_Type, 0);
        EXPECT_EQ(cards.Pattern_Type, choice.Pattern_Type);
        EXPECT_EQ(cards.Pattern_Name, choice.Pattern_Name);
        EXPECT_EQ(cards.Pattern_File, choice.Pattern_File);
        shown.insert(choice.Pattern_Name + choice.Pattern_File);
    }
    EXPECT_GT(shown.size(), 1);
}
