#include "store/binary_stream.h"
#include "store/custom_games.h"
#include "support/store_fixtures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr double Today = 45352.0;

// One framed variant record, written from the byte table of the format.
QByteArray variantBytes(qint32 baseId, const char *name, qint32 tableau, qint32 foundation = 0, qint32 redeals = -2)
{
    return Bytes(92)
        .i32(0, baseId).str(4, name)
        .i16(34, 40).i16(36, 50).i16(38, 600).i16(40, 800).i16(42, 1)
        .i32(48, redeals).i32(52, 1).i32(60, tableau).i32(64, 2).i32(68, 9).i32(76, foundation)
        .str(80, "IJ");
}

QByteArray framed(const QList<QByteArray> &records, bool tail = true)
{
    QByteArray bytes = Bytes(8).i32(0, 10).i32(4, 2);
    for (const QByteArray &record : records)
        bytes += QByteArray(Bytes(4).i32(0, 21)) + record + QByteArray(Bytes(4).i32(0, 31));
    if (tail)
        bytes += QByteArray(Bytes(4).i32(0, 99));
    return bytes;
}

QByteArray statsBytes(const char *variant, const char *player, qint16 won)
{
    return Bytes(352).str(0, variant).str(30, player).i16(288 + 2, won).f64(288 + 16, Today);
}

} // namespace

TEST(CustomGamesFile, ReadsTheLayoutAndWritesItBackByteForByte)
{
    const QByteArray file = framed({variantBytes(108, "Easy Klondike", 34), variantBytes(32, "Suited FreeCell", 32, 128)});
    TCustomGamesList list;
    list.decodeVariants(file);
    ASSERT_EQ(list.count(), 2);
    const CustomGameRecord &first = *list.at(0);
    EXPECT_EQ(first.BaseGameId, 108);
    EXPECT_EQ(first.Name, QStringLiteral("Easy Klondike"));
    EXPECT_EQ(first.Window, (GameWindowRecord{40, 50, 600, 800, 1}));
    EXPECT_EQ(first.Redeals, -2);
    EXPECT_EQ(first.StockDeal, 1);
    EXPECT_EQ(first.TableauRule, 34);
    EXPECT_EQ(first.EmptyTableau, 2);
    EXPECT_EQ(first.GroupMove, 9);
    EXPECT_EQ(first.Groups, QStringLiteral("IJ"));
    EXPECT_EQ(list.at(1)->FoundationRule, 128);
    EXPECT_EQ(list.encodeVariants(), file);
    EXPECT_EQ(list.indexOf(QStringLiteral("Suited FreeCell")), 1);
    EXPECT_EQ(list.indexOf(QStringLiteral("suited freecell")), -1);
    EXPECT_THROW(list.get(2), std::out_of_range);
}

TEST(CustomGamesFile, HostileFilesLoadWhatIsSoundAndNothingElse)
{
    const QByteArray good = variantBytes(108, "Good", 34);
    QByteArray longCount = framed({good});
    longCount.insert(8, QByteArray(Bytes(4).i32(0, 21)) + QByteArray(40, 'x')); // a record cut short
    const QByteArray badEnd = framed({good}, false) + QByteArray(Bytes(4).i32(0, 21)) + variantBytes(108, "Next", 34)
        + QByteArray(Bytes(4).i32(0, 30)) + QByteArray(Bytes(4).i32(0, 99));
    struct Case {
        const char *what;
        QByteArray bytes;
        int loaded;
    } cases[] = {
        {"foreign head", Bytes(12).i32(0, 11).i32(4, 2), 0},
        {"empty", QByteArray(), 0},
        {"no tail", framed({good}, false), 1},
        {"damaged frame ends the reading", badEnd, 1},
        {"cut record", longCount, 0},
        {"base id outside the catalogue", framed({variantBytes(410, "Far", 34), good}), 1},
        {"negative base id", framed({variantBytes(-1, "Neg", 34), good}), 1},
        {"tableau code without rule", framed({good, variantBytes(108, "Odd", 37)}), 1},
        {"foundation direction on a tableau", framed({variantBytes(108, "Fixed", 128), good}), 1},
        {"redeals out of range", framed({variantBytes(108, "Many", 34, 0, 9), good}), 1},
        {"repeated name", framed({good, good}), 1},
        {"nameless", framed({variantBytes(108, "", 34), good}), 1},
        {"name length beyond its field", framed({Bytes(92).raw(0, good).u8(4, 200), good}), 2},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.what);
        TCustomGamesList list;
        list.decodeVariants(test.bytes);
        EXPECT_EQ(list.count(), test.loaded);
        for (int index = 0; index < list.count(); ++index)
            EXPECT_LE(list.at(index)->Name.size(), CustomGameRecord::NameLength);
    }
}

TEST(CustomGamesFile, StatisticsFollowPlayersAndVariants)
{
    TCustomGamesList list;
    list.decodeVariants(framed({variantBytes(108, "Easy Klondike", 34), variantBytes(32, "Suited FreeCell", 32)}));
    const QByteArray file = framed({statsBytes("Easy Klondike", "Ann", 3), statsBytes("Easy Klondike", "Gone", 5),
                                    statsBytes("Vanished", "Ann", 7)});
    list.decodeStatistics(file, {QStringLiteral("Ann"), QStringLiteral("Bob")}, Today);
    // The record of a player who left and of a variant that is gone are dropped; every
    // player has one record per variant.
    ASSERT_EQ(list.statistics().size(), 4u);
    EXPECT_EQ(list.findStatistics(QStringLiteral("Easy Klondike"), QStringLiteral("Ann"), Today).AllTime.Won, 3);
    EXPECT_EQ(list.findStatistics(QStringLiteral("Suited FreeCell"), QStringLiteral("Bob"), Today).AllTime.Won, 0);
    EXPECT_EQ(list.encodeStatistics().left(8 + 4 + 352 + 4), framed({statsBytes("Easy Klondike", "Ann", 3)}).left(8 + 4 + 352 + 4));

    list.addStatisticsForPlayer(QStringLiteral("Cy"), Today);
    list.renamePlayer(QStringLiteral("Ann"), QStringLiteral("Anne"));
    list.deletePlayerStatistics(QStringLiteral("Bob"));
    list.remove(QStringLiteral("Suited FreeCell"));
    QStringList kept;
    for (const CustomStatsRecord &record : list.statistics())
        kept << record.VariantName + '/' + record.PlayerName;
    EXPECT_EQ(kept, (QStringList{"Easy Klondike/Anne", "Easy Klondike/Cy"}));
    EXPECT_EQ(list.findStatistics(QStringLiteral("Easy Klondike"), QStringLiteral("Anne"), Today).AllTime.Won, 3);
}

TEST(CustomGamesFile, SavingIsAtomicAndKeepsADamagedFileAside)
{
    TempFolders folders;
    const QString path = folders.path(QStringLiteral("custgame.dat"));
    const QByteArray damaged = framed({variantBytes(108, "Kept", 34), variantBytes(999, "Bad", 34)});
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    TCustomGamesList list;
    EXPECT_TRUE(list.loadVariants(path));
    ASSERT_EQ(list.count(), 1);
    list.saveVariants(path);
    QFile aside(path + QStringLiteral(".bad"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), damaged);

    // A write that fails leaves the file as it was.
    const QByteArray before = readWholeFile(path, 1 << 20);
    for (int index = 0; index < 50; ++index) {
        CustomGameRecord record;
        record.Name = QStringLiteral("Variant %1").arg(index);
        list.add(record);
    }
    {
        FileSizeLimit limit(1000);
        EXPECT_THROW(list.saveVariants(path), FileError);
    }
    EXPECT_EQ(readWholeFile(path, 1 << 20), before);
    EXPECT_FALSE(TCustomGamesList().loadVariants(folders.path(QStringLiteral("missing.dat"))));
}

TEST(CustomGamesFile, TheListHoldsEightHundredVariants)
{
    TCustomGamesList list;
    CustomGameRecord record;
    for (int index = 0; index < TCustomGamesList::Capacity; ++index)
        ASSERT_TRUE(list.add(record));
    EXPECT_FALSE(list.add(record));
    EXPECT_EQ(list.count(), TCustomGamesList::Capacity);
}
