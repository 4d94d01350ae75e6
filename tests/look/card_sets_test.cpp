#include "look/art/card_art.h"
#include "look/art/jpeg_codec.h"
#include "look/card_set_package.h"
#include "look/card_sets.h"
#include "look/program_folder.h"
#include "look/support/package_builder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A program folder of its own with the packages a test puts there.
struct Fixture {
    QTemporaryDir folder;
    CardPictures table;
    QStringList messages;
    int nextRandom = 0;

    CardSetEnvironment environment(int depth = 32, qreal ratio = 1.0)
    {
        CardSetEnvironment result;
        result.ProgramFolder = folder.path();
        result.UserFolder = folder.filePath(QStringLiteral("user"));
        result.ColourDepth = depth;
        result.DevicePixelRatio = ratio;
        result.Inform = [this](const QString &text) { messages << text; };
        result.RandomIndex = [this](int) { return nextRandom; };
        return result;
    }

    bool write(const QString &name, const PackageBuilder &builder)
    {
        return builder.Write(folder.filePath(name));
    }

    bool copyShipped(const QString &name)
    {
        return QFile::copy(programFolder() + QLatin1Char('/') + name, folder.filePath(name));
    }
};

QSize cardOf(const CardPictures &table)
{
    return QSize(table.CardWidth(), table.CardHeight());
}

void expectCompleteTable(const CardPictures &table, qreal ratio = 1.0)
{
    const QSize pixels(qRound(table.CardWidth() * ratio), qRound(table.CardHeight() * ratio));
    for (int slot = 1; slot <= 90; ++slot) {
        if (slot == 66 || (slot >= 82 && slot <= 86))
            continue;
        const QImage &picture = table.Picture(slot);
        ASSERT_FALSE(picture.isNull()) << "slot " << slot;
        if (slot < 88) {
            EXPECT_EQ(picture.size(), pixels) << "slot " << slot;
        }
    }
    for (int slot : {1, 14, 52, 53, 65, 87})
        EXPECT_EQ(qAlpha(table.Picture(slot).pixel(0, 0)), 0) << "slot " << slot << " has a transparent corner";
}

// The same picture away from the rounded edge (where the card shape is applied once more).
bool sameInside(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 4; y < a.height() - 4; ++y)
        for (int x = 4; x < a.width() - 4; ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

PackageBuilder normalOnlySet(const QString &name)
{
    PackageBuilder builder;
    builder.AddSize(0, QSize(71, 96));
    builder.AddString(6717, name);
    return builder;
}

} // namespace

TEST(CardSets, DefaultSetAtNormalSizeIsTheProgramsOwnArt)
{
    Fixture fixture;
    CardSets sets(fixture.table, fixture.environment());
    EXPECT_TRUE(sets.LoadSet(0, 1));
    EXPECT_EQ(sets.CardDeck(), 0);
    EXPECT_EQ(sets.CardSize(), 1);
    EXPECT_EQ(cardOf(fixture.table), QSize(71, 96));
    expectCompleteTable(fixture.table);
    EXPECT_TRUE(sameInside(fixture.table.Picture(65), CardArt::Back(CardArt::Design::Standard, 13, QSize(71, 96), 1.0)));
    // Without "sdeck.dll" the default set offers the normal size only.
    EXPECT_EQ(sets.OfferedSizes(), (std::array<bool, 3>{false, true, false}));
    EXPECT_FALSE(sets.LoadSet(0, 1)); // nothing changes, nothing is loaded
}

TEST(CardSets, HiDpiScreensGetDenserPicturesOfTheSameCard)
{
    Fixture fixture;
    CardSets sets(fixture.table, fixture.environment(32, 2.0));
    sets.LoadSet(0, 1);
    EXPECT_EQ(cardOf(fixture.table), QSize(71, 96));
    EXPECT_EQ(fixture.table.Picture(1).size(), QSize(142, 192));
    EXPECT_DOUBLE_EQ(fixture.table.Picture(1).devicePixelRatio(), 2.0);
    expectCompleteTable(fixture.table, 2.0);
}

TEST(CardSets, FallbackChainEndsInTheDefaultSetAtNormalSize)
{
    PackageBuilder noLargeJoker;
    noLargeJoker.AddSize(12000, QSize(89, 120), {.joker = false});
    noLargeJoker.AddString(6717, QStringLiteral("Jokerless"));
    PackageBuilder mixedFaces = normalOnlySet(QStringLiteral("Mixed"));
    mixedFaces.AddSize(12000, QSize(89, 120));
    mixedFaces.AddPicture(12007, FlatPicture(QSize(71, 96), 7));
    PackageBuilder noMarksLarge;
    noMarksLarge.AddSize(12000, QSize(89, 120), {.marks = false});
    noMarksLarge.AddString(6717, QStringLiteral("Markless"));

    const struct {
        const char *name;
        const PackageBuilder *package;
        int set;
        int size;
        int expectedSet;
        int expectedSize;
    } cases[] = {
        {"missing file", nullptr, 3, 2, 0, 1},
        {"no joker at large size", &noLargeJoker, 3, 2, 0, 1},
        {"size not offered", &noLargeJoker, 3, 0, 0, 1},
        {"mismatched faces", &mixedFaces, 3, 2, 0, 1},
        {"no marks at large size", &noMarksLarge, 3, 2, 0, 1},
        {"mixed set at its sound size", &mixedFaces, 3, 1, 3, 1},
        {"default set small without sdeck.dll", nullptr, 0, 0, 0, 1},
    };
    for (const auto &item : cases) {
        SCOPED_TRACE(item.name);
        Fixture fixture;
        if (item.package) {
            ASSERT_TRUE(fixture.write(QStringLiteral("cdeck3.dll"), *item.package));
        }
        CardSets sets(fixture.table, fixture.environment());
        sets.LoadSet(item.set, item.size);
        EXPECT_EQ(sets.CardDeck(), item.expectedSet);
        EXPECT_EQ(sets.CardSize(), item.expectedSize);
        EXPECT_EQ(cardOf(fixture.table), CardArt::NominalCardSize(item.expectedSize));
        expectCompleteTable(fixture.table);
    }
}

TEST(CardSets, IncompleteSetOfTheStandardSizeBorrowsTheProgramsPictures)
{
    Fixture fixture;
    PackageBuilder builder;
    builder.AddSize(0, QSize(71, 96), {.joker = false, .marks = false, .setBack = false});
    builder.AddString(6717, QStringLiteral("Bare"));
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck5.dll"), builder));
    CardSets sets(fixture.table, fixture.environment());
    sets.LoadSet(5, 1);
    EXPECT_EQ(sets.CardDeck(), 5);
    expectCompleteTable(fixture.table);
    EXPECT_TRUE(sameInside(fixture.table.Picture(87), CardArt::Joker(CardArt::Design::Standard, QSize(71, 96), 1.0)));
    EXPECT_FALSE(sets.CarriesSetBack());
    // The set's own faces are used, cut to the card shape.
    EXPECT_EQ(fixture.table.Picture(20).pixel(35, 48), FlatPicture(QSize(71, 96), 20).pixel(35, 48));
}

TEST(CardSets, SetOfferingOnlyTheNormalSizeStaysThere)
{
    Fixture fixture;
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck2.dll"), normalOnlySet(QStringLiteral("Normal only"))));
    CardSets sets(fixture.table, fixture.environment());
    sets.LoadSet(2, 1);
    EXPECT_EQ(sets.OfferedSizes(), (std::array<bool, 3>{false, true, false}));
    EXPECT_TRUE(sets.CarriesSetBack());
    EXPECT_FALSE(sets.StepSize(+1));
    EXPECT_FALSE(sets.StepSize(-1));
    EXPECT_EQ(sets.CardSize(), 1);
    EXPECT_EQ(sets.CardDeck(), 2);
}

TEST(CardSets, MarksOfOtherSizesAreScaledToTheCard)
{
    Fixture fixture;
    PackageBuilder builder = normalOnlySet(QStringLiteral("Odd marks"));
    builder.AddPicture(67, FlatPicture(QSize(71, 50), 67)); // matches the card in one direction only
    builder.AddPicture(89, FlatPicture(QSize(142, 192), 89)); // larger: shrunk to the card
    builder.AddPicture(90, FlatPicture(QSize(40, 40), 90));   // smaller: kept for centring
    builder.AddPicture(88, FlatPicture(QSize(100, 40), 88));  // mixed: stretched to the card
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck2.dll"), builder));
    CardSets sets(fixture.table, fixture.environment());
    sets.LoadSet(2, 1);
    ASSERT_EQ(sets.CardDeck(), 2);
    EXPECT_EQ(fixture.table.Picture(67).size(), QSize(71, 96));
    EXPECT_EQ(fixture.table.Picture(89).size(), QSize(71, 96));
    EXPECT_EQ(fixture.table.Picture(90).size(), QSize(40, 40));
    EXPECT_EQ(fixture.table.Picture(88).size(), QSize(71, 96));
}

TEST(CardSets, ShippedSetsLoadAtEverySize)
{
    Fixture fixture;
    ASSERT_TRUE(fixture.copyShipped(QStringLiteral("sdeck.dll")));
    ASSERT_TRUE(fixture.copyShipped(QStringLiteral("cdeck1.dll")));
    CardSets sets(fixture.table, fixture.environment());
    for (int set : {0, 1}) {
        for (int size : {0, 1, 2, 0}) {
            SCOPED_TRACE(set * 10 + size);
            sets.LoadSet(set, size);
            EXPECT_EQ(sets.CardDeck(), set);
            EXPECT_EQ(sets.CardSize(), size);
            EXPECT_EQ(cardOf(fixture.table), CardArt::NominalCardSize(size));
            expectCompleteTable(fixture.table);
            EXPECT_TRUE(sets.CarriesSetBack());
        }
    }
    EXPECT_TRUE(sets.LastLoadChangedSet() == false);
    sets.LoadSet(0, 0);
    EXPECT_TRUE(sets.LastLoadChangedSet());
    EXPECT_TRUE(sets.StepSize(+1));
    EXPECT_EQ(sets.CardSize(), 1);
    EXPECT_TRUE(sets.StepSize(+1));
    EXPECT_EQ(sets.CardSize(), 2);
    EXPECT_FALSE(sets.StepSize(+1));
}

namespace {

// The largest difference of any channel between two pictures of the same size.
int largestDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            largest = std::max({largest, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                                qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q))});
        }
    return largest;
}

} // namespace

TEST(CardSets, DefaultSetAtFixedSizesIsDrawnAsTheShippedPicturesShowIt)
{
    // The same pictures read through the package path: "sdeck.dll" installed as a card set.
    Fixture fixture;
    ASSERT_TRUE(fixture.copyShipped(QStringLiteral("sdeck.dll")));
    ASSERT_TRUE(QFile::copy(fixture.folder.filePath(QStringLiteral("sdeck.dll")),
                            fixture.folder.filePath(QStringLiteral("cdeck7.dll"))));
    for (qreal ratio : {1.0, 2.0}) {
        for (int size : {0, 2}) {
            SCOPED_TRACE(QStringLiteral("size %1 ratio %2").arg(size).arg(ratio).toStdString());
            CardPictures drawn;
            CardSets drawnSets(drawn, fixture.environment(32, ratio));
            drawnSets.LoadSet(0, size);
            ASSERT_EQ(drawnSets.CardDeck(), 0);
            ASSERT_EQ(drawnSets.CardSize(), size);
            CardPictures read;
            CardSets readSets(read, fixture.environment(32, ratio));
            readSets.LoadSet(7, size);
            ASSERT_EQ(readSets.CardDeck(), 7);
            ASSERT_EQ(cardOf(drawn), cardOf(read));
            for (int slot : {1, 10, 13, 22, 27, 39, 40, 52, 53, 58, 65, 87, 67, 68, 69, 70, 71, 73, 75, 77, 79, 81, 88, 90}) {
                const QImage &mine = drawn.Picture(slot);
                const QImage &shipped = read.Picture(slot);
                ASSERT_EQ(mine.size(), shipped.size()) << "slot " << slot;
                EXPECT_DOUBLE_EQ(mine.devicePixelRatio(), shipped.devicePixelRatio()) << "slot " << slot;
                EXPECT_LE(largestDifference(mine, shipped), 2) << "slot " << slot;
            }
        }
    }
}

TEST(CardSets, SdeckDecidesWhichFixedSizesTheDefaultSetOffers)
{
    // A "sdeck.dll" with flat pictures at the small size only.
    Fixture fixture;
    PackageBuilder smallOnly;
    smallOnly.AddSize(11000, CardArt::NominalCardSize(0));
    smallOnly.AddString(6717, QStringLiteral("<Default>"));
    ASSERT_TRUE(fixture.write(QStringLiteral("sdeck.dll"), smallOnly));
    CardSets sets(fixture.table, fixture.environment());
    EXPECT_EQ(sets.DefaultOfferedSizes(), (std::array<bool, 3>{true, true, false}));
    sets.LoadSet(0, 2);
    EXPECT_EQ(sets.CardSize(), 1);
    sets.LoadSet(0, 0);
    EXPECT_EQ(sets.CardSize(), 0);
    EXPECT_EQ(cardOf(fixture.table), CardArt::NominalCardSize(0));
    expectCompleteTable(fixture.table);
    // The cards are our own art, whatever the package holds.
    EXPECT_TRUE(sameInside(fixture.table.Picture(65),
                           CardArt::Back(CardArt::Design::Standard, 13, CardArt::NominalCardSize(0), 1.0)));
}

TEST(CardSets, HighColourSetIsRefusedOnAPalettedDisplay)
{
    Fixture fixture;
    PackageBuilder eight = normalOnlySet(QStringLiteral("Eight"));
    eight.AddString(6721, QStringLiteral("8"));
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck2.dll"), normalOnlySet(QStringLiteral("Deep"))));
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck4.dll"), eight));
    CardSets sets(fixture.table, fixture.environment(8));
    sets.LoadSet(2, 1);
    EXPECT_EQ(sets.CardDeck(), 0);
    ASSERT_EQ(fixture.messages.size(), 1);
    EXPECT_EQ(fixture.messages[0], CardSets::ColourDepthMessage);
    sets.LoadSet(4, 1);
    EXPECT_EQ(sets.CardDeck(), 4);
    EXPECT_EQ(fixture.messages.size(), 1);
}

TEST(CardSets, PictureBackIsCutToTheCardAndFollowsTheCardSize)
{
    Fixture fixture;
    ASSERT_TRUE(fixture.copyShipped(QStringLiteral("sdeck.dll")));
    QImage photo(400, 500, QImage::Format_RGB32);
    photo.fill(QColor(30, 160, 200));
    const QString jpegPath = fixture.folder.filePath(QStringLiteral("photo.jpg"));
    const QString bmpPath = fixture.folder.filePath(QStringLiteral("photo.bmp"));
    {
        QFile file(jpegPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(JpegCodec::Encode(photo));
    }
    ASSERT_TRUE(photo.save(bmpPath, "BMP"));

    CardSets sets(fixture.table, fixture.environment());
    sets.LoadSet(0, 1);
    for (bool hideBorder : {false, true}) {
        for (const QString &path : {jpegPath, bmpPath}) {
            ASSERT_TRUE(sets.SetPictureBack(path, hideBorder));
            const QImage &back = fixture.table.CustomBack();
            EXPECT_EQ(back.size(), QSize(71, 96));
            EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
            EXPECT_NEAR(qBlue(back.pixel(35, 48)), 200, 6);
            // The border darkens the edge unless it is hidden.
            const bool darkEdge = qBlue(back.pixel(35, 0)) < 150;
            EXPECT_EQ(darkEdge, !hideBorder);
        }
    }
    sets.LoadSet(0, 2);
    EXPECT_EQ(fixture.table.CustomBack().size(), QSize(89, 120));
    EXPECT_EQ(sets.PictureBackFile(), bmpPath);

    // A JPEG cut short has no end marker and cannot be a back.
    QFile whole(jpegPath);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    whole.close();
    const QString cutPath = fixture.folder.filePath(QStringLiteral("cut.JPG"));
    QFile cut(cutPath);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 20));
    cut.close();
    EXPECT_FALSE(sets.SetPictureBack(cutPath, false));
    EXPECT_TRUE(fixture.table.CustomBack().isNull());
    EXPECT_FALSE(sets.SetPictureBack(fixture.folder.filePath(QStringLiteral("absent.bmp")), false));
}

TEST(CardSets, RandomSetChoosesAmongSetsOfferingTheCurrentSize)
{
    Fixture fixture;
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck2.dll"), normalOnlySet(QStringLiteral("Two"))));
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck7.dll"), normalOnlySet(QStringLiteral("Seven"))));
    PackageBuilder nameless;
    nameless.AddSize(0, QSize(71, 96));
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeck9.dll"), nameless));
    ASSERT_TRUE(fixture.write(QStringLiteral("cdeckx.dll"), normalOnlySet(QStringLiteral("No number"))));
    CardSets sets(fixture.table, fixture.environment());
    sets.LoadSet(0, 1);

    const QList<CardSetInfo> installed = sets.InstalledSets();
    ASSERT_EQ(installed.size(), 2);
    EXPECT_EQ(installed[0].Number, 2);
    EXPECT_EQ(installed[1].Name, QStringLiteral("Seven"));

    fixture.nextRandom = 2; // candidates: <Default>, 2, 7
    EXPECT_TRUE(sets.ChooseRandomSet());
    EXPECT_EQ(sets.CardDeck(), 7);
    EXPECT_FALSE(sets.ChooseRandomSet()); // the same set again: nothing to load
    fixture.nextRandom = 0;
    EXPECT_TRUE(sets.ChooseRandomSet());
    EXPECT_EQ(sets.CardDeck(), 0);
}

TEST(CardSets, RandomBackComesFromEitherBackFolder)
{
    Fixture fixture;
    QImage photo(80, 100, QImage::Format_RGB32);
    photo.fill(Qt::darkRed);
    ASSERT_TRUE(QDir().mkpath(fixture.folder.filePath(QStringLiteral("Decks/Nature"))));
    ASSERT_TRUE(QDir().mkpath(fixture.folder.filePath(QStringLiteral("user/Decks"))));
    ASSERT_TRUE(photo.save(fixture.folder.filePath(QStringLiteral("Decks/Nature/leaf.bmp")), "BMP"));
    ASSERT_TRUE(photo.save(fixture.folder.filePath(QStringLiteral("user/Decks/mine.bmp")), "BMP"));
    CardSets sets(fixture.table, fixture.environment());
    sets.LoadSet(0, 1);
    fixture.nextRandom = 0;
    EXPECT_TRUE(sets.ChooseRandomBack(false).endsWith(QStringLiteral("Decks/Nature/leaf.bmp")));
    fixture.nextRandom = 1;
    EXPECT_TRUE(sets.ChooseRandomBack(true).endsWith(QStringLiteral("user/Decks/mine.bmp")));
    EXPECT_FALSE(fixture.table.CustomBack().isNull());
}

TEST(CardSets, BackFollowsSetOnlyWhenEveryConditionHolds)
{
    const struct {
        bool changed, reset, carries;
        int back;
        bool started, expected;
    } cases[] = {
        {true, true, true, 1, true, true},    {false, true, true, 1, true, false},
        {true, false, true, 1, true, false},  {true, true, false, 1, true, false},
        {true, true, true, 13, true, false},  {true, true, true, 100, false, false},
        {true, true, true, 100, true, true},
    };
    for (const auto &item : cases)
        EXPECT_EQ(CardSets::BackFollowsSet(item.changed, item.reset, item.carries, item.back, item.started),
                  item.expected);
}
