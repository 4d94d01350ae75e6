#include "store/game_window_records.h"
#include "store/settings.h"
#include "support/store_fixtures.h"

#include <QSettings>
#include <gtest/gtest.h>

namespace {

const QRect WorkArea(0, 0, 1280, 984);

// goptions.dat from the byte table: the mark, then 501 records of five int16 values.
Bytes goptionsFile()
{
    Bytes bytes(5014);
    bytes.raw(0, "\x03" "6.1");
    for (int gameId = 0; gameId < 501; ++gameId) {
        const qsizetype record = 4 + 10 * gameId;
        bytes.i16(record, qint16(gameId)).i16(record + 2, 7).i16(record + 4, 600).i16(record + 6, 800)
            .i16(record + 8, gameId % 2);
    }
    return bytes;
}

} // namespace

TEST(GameWindowRecords, ReadsEveryRecordAndWritesTheFileBack)
{
    GameWindowRecords records(WorkArea);
    records.decodeFile(goptionsFile());
    EXPECT_EQ(*records.record(0), (GameWindowRecord{0, 7, 600, 800, 0}));
    EXPECT_EQ(*records.record(500), (GameWindowRecord{500, 7, 600, 800, 0}));
    EXPECT_EQ(records.record(221)->AutoplayOff, 1);
    EXPECT_EQ(records.record(501), nullptr);
    EXPECT_EQ(records.record(-1), nullptr);
    EXPECT_EQ(records.encodeFile(), goptionsFile().data());
}

TEST(GameWindowRecords, ZeroSizesTakeTheDefaultSize)
{
    Bytes bytes = goptionsFile();
    bytes.i16(4 + 10 * 3 + 4, 0).i16(4 + 10 * 4 + 6, 0).i16(4 + 10 * 5 + 4, -40);
    GameWindowRecords records(WorkArea);
    records.decodeFile(bytes);
    EXPECT_EQ(records.record(3)->Height, 984 - 20);
    EXPECT_EQ(records.record(3)->Width, 800);
    EXPECT_EQ(records.record(4)->Width, 1280 - 20);
    EXPECT_EQ(records.record(5)->Height, 984 - 20);
}

TEST(GameWindowRecords, EveryTruncatedFileIsRefusedAndLoadFallsBackToDefaults)
{
    const QByteArray full = goptionsFile();
    for (qsizetype length = 0; length < full.size(); length += (length < 100 ? 1 : 37)) {
        GameWindowRecords records(WorkArea);
        EXPECT_THROW(records.decodeFile(full.left(length)), std::runtime_error) << length;
    }
    TempFolders folders;
    FixedDisplayInfo display = testDisplay();
    Settings settings(folders.locations(), display);
    const QString path = folders.path(QStringLiteral("goptions.dat"));
    writeFile(path, full.left(5013));
    GameWindowRecords records(WorkArea);
    records.load(path, settings);
    EXPECT_EQ(*records.record(10), records.defaultRecord());
    EXPECT_EQ(records.defaultRecord(), (GameWindowRecord{4, 4, 964, 1260, 0}));
}

TEST(GameWindowRecords, OlderSettingsValuesAreReadOnceAndRemoved)
{
    TempFolders folders;
    FixedDisplayInfo display = testDisplay();
    Settings settings(folders.locations(), display);
    const QString path = folders.path(QStringLiteral("goptions.dat"));
    writeFile(path, goptionsFile());
    {
        QSettings ini(settings.path(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Game_Options"), goptionsFile().data().mid(4, 2010));
        ini.setValue(QStringLiteral("GameOptions"), QByteArray(5010, '\0'));
    }
    GameWindowRecords records(WorkArea);
    records.load(path, settings);
    // The oldest value wins over goptions.dat and covers ids 0 to 200 only.
    EXPECT_EQ(records.record(200)->Top, 200);
    EXPECT_EQ(*records.record(201), records.defaultRecord());
    EXPECT_FALSE(QSettings(settings.path(), QSettings::IniFormat).contains(QStringLiteral("Game_Options")));

    // Next start: goptions.dat wins over "GameOptions", which stays untouched.
    records.load(path, settings);
    EXPECT_EQ(records.record(201)->Top, 201);

    QFile::remove(path);
    records.load(path, settings);
    EXPECT_EQ(*records.record(7), (GameWindowRecord{0, 0, 964, 1260, 0})); // stored zeros; sizes defaulted
    EXPECT_FALSE(QSettings(settings.path(), QSettings::IniFormat).contains(QStringLiteral("GameOptions")));
}

TEST(GameWindowRecords, StoringAMaximisedWindowKeepsThePlacementButNotTheAutoplay)
{
    GameWindowRecord record{10, 20, 500, 700, 0};
    GameWindowRecords::storePlacement(record, QRect(0, 0, 1280, 984), {1, 1}, true, false);
    EXPECT_EQ(record, (GameWindowRecord{10, 20, 500, 700, 1}));
    GameWindowRecords::storePlacement(record, QRect(30, 40, 1001, 801), {2, 2}, false, true);
    EXPECT_EQ(record, (GameWindowRecord{40, 30, 400, 500, 0})); // 400.5 and 500.5 round to even
}

TEST(GameWindowRecords, PlacementIsScaledAndLimitedByTheWorkArea)
{
    GameWindowRecords records(WorkArea);
    const GameWindowRecord record{12, 34, 600, 700, 0};
    WindowPlacement placement = records.placement(record, {2, 2}, false);
    EXPECT_EQ(placement.size, QSize(1280, 984));
    EXPECT_FALSE(placement.topLeft);
    placement = records.placement(record, {1, 1}, true);
    EXPECT_EQ(placement.size, QSize(700, 600));
    EXPECT_EQ(placement.topLeft, QPoint(34, 12));
}

