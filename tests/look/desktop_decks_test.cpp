#include "engine/card_pictures.h"
#include "look/card_sets.h"
#include "look/desktop_decks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

const char *const Ranks[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"};
const char *const Suits[] = {"club", "diamond", "heart", "spade"};

QColor faceColour(int slot) { return QColor(slot * 4, 255 - slot * 4, 128); }
const QColor BackColour(20, 40, 200);

// A deck in the desktop's layout: every card a coloured rectangle of its own, laid out in a
// grid so that only the asked element fits the card; written plain or compressed, whole,
// without one card ("queen_heart"), or cut short.
enum class Damage { None, FaceMissing, CutShort };
void writeDeck(const QString &folder, const QString &name, Damage damage = Damage::None, QString svgName = "deck.svg")
{
    QDir().mkpath(folder);
    QString svg = QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='1400' height='600'>");
    for (int place = 0; place <= 52; ++place) {
        const QString id = place == 52 ? "back" : QStringLiteral("%1_%2").arg(Ranks[place % 13], Suits[place / 13]);
        if (id != "queen_heart" || damage != Damage::FaceMissing)
            svg += QStringLiteral("<g id='%1'><rect x='%2' y='%3' width='100' height='140' fill='%4'/></g>")
                       .arg(id).arg(place % 13 * 105).arg(place / 13 * 145)
                       .arg((place == 52 ? BackColour : faceColour(place + 1)).name());
    }
    const QByteArray text = (svg + "</svg>").toUtf8();
    const QString path = folder + "/" + svgName;
    if (svgName.endsWith(".svgz")) {
        gzFile packed = gzopen(QFile::encodeName(path).constData(), "wb");
        gzwrite(packed, text.constData(), unsigned(text.size()));
        gzclose(packed);
    } else {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
    if (damage == Damage::CutShort)
        QFile(path).resize(QFileInfo(path).size() / 2);
    QFile index(folder + "/index.desktop");
    index.open(QIODevice::WriteOnly);
    index.write(QStringLiteral("[KDE Backdeck]\nName=%1\nName[de]=Andere\nSVG=%2\n").arg(name, svgName).toUtf8());
}

bool near(QColor a, QColor b) { return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 12; }

QColor centre(const QImage &picture) { return picture.pixelColor(picture.width() / 2, picture.height() / 2); }

} // namespace

// The desktop's decks become card sets after our own, by folder name, each card drawn from
// its own element at exactly the card size and ratio asked, with the deck's back as back 13;
// a deck that cannot be drawn whole gives the default set at normal size.
TEST(DesktopDecks, DecksAreSetsDrawnAtTheAskedSizeOrFallBack)
{
    QTemporaryDir root;
    const QString first = root.filePath("first"), second = root.filePath("second");
    writeDeck(first + "/svg-b-good", "Good");
    writeDeck(first + "/svg-a-broken", "Broken", Damage::CutShort);
    writeDeck(first + "/svg-c-short", "Short", Damage::FaceMissing);
    writeDeck(second + "/svg-b-good", "Hidden");
    writeDeck(second + "/svg-d-outside", "Outside", Damage::None, "../deck.svg");
    writeDeck(second + "/svg-e-packed", "Packed", Damage::None, "deck.svgz");
    writeDeck(second + "/svg-f-cut", "Cut", Damage::CutShort, "deck.svgz");
    const struct {
        const char *name;
        int set, size;
        QSize exact;
        qreal ratio;
        int loadedSet;
        QSize card;
        int depth = 32;
    } cases[] = {
        {"good at large size", 1002, 2, {}, 1.0, 1002, {89, 120}},
        {"good at a window's size, ratio 2", 1002, 1, {100, 135}, 2.0, 1002, {100, 135}},
        {"unparsable picture", 1001, 2, {}, 1.0, 0, {71, 96}},
        {"a face missing", 1003, 0, {}, 1.0, 0, {71, 96}},
        {"compressed", 1004, 2, {}, 1.0, 1004, {89, 120}},
        {"compressed, cut short", 1005, 2, {}, 1.0, 0, {71, 96}},
        {"beyond the decks", 1006, 2, {}, 1.0, 0, {71, 96}},
        {"good, on a display of 256 colours", 1002, 1, {}, 1.0, 0, {71, 96}, 8},
    };
    for (const auto &test : cases) {
        SCOPED_TRACE(test.name);
        CardPictures pictures;
        CardSetEnvironment environment;
        environment.DeckFolders = {first, second};
        environment.DevicePixelRatio = test.ratio;
        environment.ColourDepth = test.depth;
        QStringList told;
        environment.Inform = [&](const QString &text) { told << text; };
        CardSets sets(pictures, environment);
        const QList<CardSetInfo> listed = sets.DesktopSets();
        ASSERT_EQ(listed.size(), 5);
        EXPECT_EQ(listed[1].Number, 1002);
        EXPECT_EQ(listed[1].Name, "Good");
        ASSERT_TRUE(sets.LoadSet(test.set, test.size, test.exact));
        EXPECT_EQ(sets.CardDeck(), test.loadedSet);
        EXPECT_EQ(QSize(pictures.CardWidth(), pictures.CardHeight()), test.card);
        for (int slot = 1; slot <= 52; slot += 7) {
            const QImage &face = pictures.Picture(slot);
            EXPECT_EQ(face.size(), test.card * test.ratio);
            EXPECT_EQ(near(centre(face), faceColour(slot)), test.loadedSet != 0) << slot;
        }
        EXPECT_EQ(near(centre(pictures.Picture(CardPictures::LastBack)), BackColour), test.loadedSet != 0);
        EXPECT_FALSE(pictures.Picture(CardPictures::RedCross).isNull());
        EXPECT_FALSE(pictures.Picture(CardPictures::Joker).isNull());
        EXPECT_EQ(told, test.depth > 8 ? QStringList() : QStringList{CardSets::ColourDepthMessage});
    }
}
