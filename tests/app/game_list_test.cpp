#include "app/game_list.h"
#include "games/catalogue.h"

#include <gtest/gtest.h>
#include <map>

namespace {

QList<int> idsOf(const std::vector<GameRow> &rows)
{
    QList<int> ids;
    for (const GameRow &row : rows)
        ids.append(row.GameId);
    return ids;
}

class Variants : public CustomGameSource {
public:
    std::map<int, CustomGameInfo> games;
    std::optional<CustomGameInfo> CustomGame(int index) const override
    {
        const auto found = games.find(index);
        return found == games.end() ? std::nullopt : std::optional(found->second);
    }
};

} // namespace

TEST(GameRows, EveryDealtGameIsListedWithItsDifficultyAndDecks)
{
    const std::vector<GameRow> rows = buildGameRows({});
    ASSERT_EQ(rows.size(), 12u);
    const std::map<int, std::pair<QString, QString>> expected = {
        {10, {"Difficult", "1"}}, {14, {"Difficult", "1"}}, {17, {"Easy", "1"}},     {32, {"Average", "1"}},
        {71, {"Easy", "1"}},      {108, {"Difficult", "1"}}, {181, {"Average", "2"}}, {186, {"Easy", "1"}},
        {221, {"Average", "1"}},  {301, {"Average", "2"}},   {302, {"Average", "2"}}, {309, {"Difficult", "1"}},
    };
    for (const GameRow &row : rows) {
        ASSERT_TRUE(expected.count(row.GameId)) << row.GameId;
        EXPECT_EQ(row.Name, GameName(row.GameId));
        EXPECT_EQ(row.Difficulty, expected.at(row.GameId).first) << row.GameId;
        EXPECT_EQ(row.Decks, expected.at(row.GameId).second) << row.GameId;
    }
}

TEST(GameRows, OnlyGamesWhoseDealIsAvailableAreListed)
{
    GameListSource source;
    source.dealAvailable = [](int baseId) { return baseId == GameIds::Klondike || baseId == GameIds::SpiderOneSuit; };
    EXPECT_EQ(idsOf(buildGameRows(source)), (QList<int>{108, 302}));
    source.dealAvailable = [](int) { return false; };
    EXPECT_TRUE(buildGameRows(source).empty());
}

TEST(GameRows, CustomVariantsFollowAsModifiedWithTheirBaseGamesDecks)
{
    Variants variants;
    variants.games[0] = {QStringLiteral("My Spider"), GameIds::Spider, {}};
    variants.games[2] = {QStringLiteral("Easy Klondike"), GameIds::Klondike, {}};
    GameListSource source;
    source.customs = &variants;
    source.customCount = 3; // index 1 cannot be read
    const std::vector<GameRow> rows = buildGameRows(source);
    ASSERT_EQ(rows.size(), 14u);
    EXPECT_EQ(rows[12], (GameRow{1000, QStringLiteral("My Spider"), QStringLiteral("Modified"), QStringLiteral("2")}));
    EXPECT_EQ(rows[13], (GameRow{1002, QStringLiteral("Easy Klondike"), QStringLiteral("Modified"), QStringLiteral("1")}));
}

TEST(GameRows, SortingByNameByDecksAndReversed)
{
    std::vector<GameRow> rows = buildGameRows({});
    sortGameRows(rows, DefaultSortState);
    EXPECT_EQ(idsOf(rows), (QList<int>{10, 309, 17, 14, 32, 108, 186, 71, 181, 302, 301, 221}));

    int state = nextSortState(DefaultSortState, 3);
    EXPECT_EQ(state, 3);
    state = nextSortState(state, 3);
    EXPECT_EQ(state, -3);
    sortGameRows(rows, state);
    // Descending by the deck text: the two-pack games first, ties in their previous order.
    EXPECT_EQ(idsOf(rows).mid(0, 3), (QList<int>{181, 302, 301}));
    EXPECT_EQ(nextSortState(-3, 2), 2);
    EXPECT_EQ(nextSortState(2, 7), 2);
}

TEST(GameGroups, RecentlyPlayedKeepsFifteenMostRecentFirst)
{
    GameGroups groups;
    for (int id = 0; id < 16; ++id)
        groups.AddToRecentlyPlayed(id);
    EXPECT_EQ(groups.RecentlyPlayed().size(), 15);
    EXPECT_EQ(groups.RecentlyPlayed().first(), 15);
    EXPECT_FALSE(groups.RecentlyPlayed().contains(0));
    EXPECT_FALSE(groups.IsMember(0, RecentlyPlayedGroup));
    EXPECT_TRUE(groups.IsMember(1, RecentlyPlayedGroup));

    // A game third in the list moves to the front; the length stays.
    groups.AddToRecentlyPlayed(13);
    EXPECT_EQ(groups.RecentlyPlayed().mid(0, 3), (QList<int>{13, 15, 14}));
    EXPECT_EQ(groups.RecentlyPlayed().size(), 15);

    groups.ClearRecentlyPlayed();
    EXPECT_TRUE(groups.RecentlyPlayed().isEmpty());
    EXPECT_FALSE(groups.IsMember(13, RecentlyPlayedGroup));
}

TEST(GameGroups, FavouritesUseTheLetterGAndAGameJoinsAtMostEightGroups)
{
    GameGroups groups;
    groups.AddToFavorites(108);
    groups.AddToFavorites(108);
    EXPECT_EQ(groups.Membership(108), QStringLiteral("G"));
    groups.DeleteFromFavorites(108);
    EXPECT_EQ(groups.Membership(108), QString());

    groups.SetMembership(32, QStringLiteral("HIJKLMNO"));
    groups.AddToFavorites(32);
    EXPECT_FALSE(groups.IsMember(32, FavoritesGroup));
    groups.AddToFavorites(-5);
    EXPECT_EQ(groups.Membership(-5), QString());
}

TEST(GameGroups, RemovingAVariantRenumbersTheLaterOnes)
{
    GameGroups groups;
    groups.AddToFavorites(1000);
    groups.AddToFavorites(1002);
    groups.AddToRecentlyPlayed(1002);
    groups.AddToRecentlyPlayed(1001);
    groups.AddToRecentlyPlayed(108);
    groups.CustomGameRemoved(1001);
    EXPECT_EQ(groups.RecentlyPlayed(), (QList<int>{108, 1001}));
    EXPECT_TRUE(groups.IsMember(1000, FavoritesGroup));
    EXPECT_TRUE(groups.IsMember(1001, FavoritesGroup));
    EXPECT_EQ(groups.Membership(1002), QString());
}
