#include "support/main_window_fixture.h"

#include "engine/Cardscmp.h"
#include "games/game_table.h"

#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A deck whose every card is one flat colour (distinct per card), in the desktop's layout.
QColor faceColour(int slot) { return QColor(slot * 4, 255 - slot * 4, 128); }

void writeDeck(const QString &folder, bool whole)
{
    const char *ranks[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"};
    const char *suits[] = {"club", "diamond", "heart", "spade"};
    QString svg = "<svg xmlns='http://www.w3.org/2000/svg' width='1400' height='600'>";
    for (int slot = 1; slot <= (whole ? 53 : 51); ++slot)
        svg += QStringLiteral("<rect id='%1' x='%2' y='%3' width='100' height='140' fill='%4'/>")
                   .arg(slot == 53 ? QStringLiteral("back") : QStringLiteral("%1_%2").arg(ranks[(slot - 1) % 13], suits[(slot - 1) / 13]))
                   .arg((slot - 1) % 13 * 105).arg((slot - 1) / 13 * 145).arg(faceColour(slot).name());
    QDir().mkpath(folder);
    QFile picture(folder + "/deck.svg"), index(folder + "/index.desktop");
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly) && index.open(QIODevice::WriteOnly));
    picture.write((svg + "</svg>").toUtf8());
    index.write("[KDE Backdeck]\nName=Flat\nSVG=deck.svg\n");
}

} // namespace

// A desktop deck chosen by its set number shows on the table once drawn, and stays the
// player's choice; one that cannot be drawn leaves the default set on the table and on record.
TEST(DesktopDeck, ChosenByNumberShowsOnTheTableOrFallsBack)
{
    for (bool whole : {true, false}) {
        SCOPED_TRACE(whole ? "whole deck" : "a face missing");
        MainWindowFixture fixture(false);
        writeDeck(fixture.folder.filePath("share/carddecks/svg-flat"), whole);
        qputenv("XDG_DATA_DIRS", fixture.folder.filePath("share").toUtf8());
        QSettings(fixture.locations.settingsFile(), QSettings::IniFormat).setValue("Cards/CardDeck", 1001);
        TMain_F &window = fixture.Create();
        ASSERT_TRUE(fixture.ShowActive());
        fixture.DealKlondike();
        const CardsSettings &cards = fixture.session->Data().settings.Cards;
        TCard *top = window.Table().Tableau[7]->TopCard();
        ASSERT_TRUE(top && top->Face());
        const QColor deckColour = faceColour(top->CardFace() / 256 * 13 - 13 + top->CardFace() % 256);
        const auto shown = [&] {
            const QImage table = window.Board1->grab().toImage();
            const QColor seen = table.pixelColor(top->BoundsRect().center() * table.devicePixelRatio());
            return std::abs(seen.red() - deckColour.red()) + std::abs(seen.green() - deckColour.green()) < 12;
        };
        EXPECT_EQ(QTest::qWaitFor(shown, whole ? 10000 : 1000), whole);
        EXPECT_TRUE(QTest::qWaitFor([&] { return cards.CardDeck == (whole ? 1001 : 0); }, 5000));
        qunsetenv("XDG_DATA_DIRS");
    }
}
