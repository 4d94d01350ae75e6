#include "store/binary_stream.h"
#include "store/saved_game_file.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

SavedGame gameWith(int entries, int position)
{
    SavedGame game;
    game.GameId = 108;
    game.GameNumber = 4000000000u;
    game.JournalPos = position;
    game.StartTime = 45352.25;
    game.SaveTime = 45352.75;
    game.MoveCount = 11;
    for (int index = 0; index < entries; ++index) {
        SavedGame::Record record{};
        record[12] = quint8(index % 4);
        record[17] = quint8(index + 1);
        game.Journal.push_back(record);
    }
    return game;
}

void putInt32(QByteArray &bytes, int offset, qint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char(quint32(value) >> (8 * i));
}

} // namespace

TEST(SavedGameFile, ThirtySevenEntriesMakeTheFileOf1088BytesAndReadBackWhole)
{
    const SavedGame game = gameWith(37, 20);
    const QByteArray bytes = encodeSavedGame(game);
    EXPECT_EQ(bytes.size(), 1088);
    const SavedGame again = decodeSavedGame(bytes);
    EXPECT_EQ(encodeSavedGame(again), bytes);
    EXPECT_EQ(again.JournalPos, 20);
    EXPECT_EQ(defaultSavedGameName(QStringLiteral("Flower Garden"), 1234567), QStringLiteral("Flower_Garden_1234567.qel"));
}

// Every damage is refused before the journal is built: no allocation from a claimed count,
// no position outside the journal, no missing end mark.
TEST(SavedGameFile, DamagedFilesAreRefused)
{
    const QByteArray whole = encodeSavedGame(gameWith(5, 2));
    const struct {
        const char *name;
        std::function<void(QByteArray &)> damage;
    } cases[] = {
        {"2^31 - 1 entries claimed", [](QByteArray &b) { putInt32(b, 8, 0x7fffffff); }},
        {"a negative count", [](QByteArray &b) { putInt32(b, 8, -1); }},
        {"one entry more than the file holds", [](QByteArray &b) { putInt32(b, 8, 6); }},
        {"position J", [](QByteArray &b) { putInt32(b, 12, 5); }},
        {"position -2", [](QByteArray &b) { putInt32(b, 12, -2); }},
        {"end mark 199", [](QByteArray &b) { putInt32(b, int(b.size()) - 4, 199); }},
        {"a byte too many", [](QByteArray &b) { b.append('\0'); }},
    };
    for (const auto &c : cases) {
        QByteArray bytes = whole;
        c.damage(bytes);
        EXPECT_THROW(decodeSavedGame(bytes), DamagedData) << c.name;
    }
    for (qsizetype length = 0; length < whole.size(); ++length)
        EXPECT_THROW(decodeSavedGame(whole.first(length)), DamagedData) << "cut to " << length;
}
