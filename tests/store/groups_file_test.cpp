#include "store/groups_file.h"
#include "support/store_fixtures.h"

#include <gtest/gtest.h>

namespace {

struct Section {
    const char *name;
    qint32 number;
    QList<QPair<qint32, qint32>> entries; // key, value
};

// qelcust.dat written from the byte table of the format.
QByteArray groupsFile(const QList<Section> &sections, qint32 count = -1)
{
    QByteArray bytes = Bytes(4).i32(0, count < 0 ? qint32(sections.size()) : count);
    for (const Section &section : sections)
        bytes += Bytes(256).str(0, section.name).data();
    for (const Section &section : sections) {
        bytes += Bytes(324).str(20, section.name).i32(276, section.number).i32(300, qint32(section.entries.size())).data();
        for (const auto &[key, value] : section.entries)
            bytes += Bytes(24).i32(0, key).i32(4, value).data();
    }
    return bytes;
}

const auto variantsUpTo1001 = [](int gameId) { return gameId == 1000 || gameId == 1001; };

QString favouriteIds(const GameGroups &groups)
{
    QStringList ids;
    for (int gameId = 0; gameId < GameGroups::BuiltInCount; ++gameId)
        if (groups.IsMember(gameId, FavoritesGroup))
            ids << QString::number(gameId);
    return ids.join(',');
}

} // namespace

TEST(GroupsFile, ReadsTheLayoutAndWritesItBackByteForByte)
{
    const QByteArray file = groupsFile({{"Favorite Games", 1, {{32, 1}, {108, 1}}},
                                        {"Recently Played Games", 2, {{0, 1001}, {1, 32}}},
                                        {"Mine", 3, {{14, 1}}}});
    GameGroups groups;
    ASSERT_TRUE(decodeGroupsFile(file, groups, variantsUpTo1001));
    EXPECT_EQ(groups.Groups().size(), 3u);
    EXPECT_EQ(groups.Groups()[2], (GameGroup{QStringLiteral("Mine"), 3}));
    EXPECT_EQ(groups.RecentlyPlayed(), (QList<int>{1001, 32}));
    EXPECT_EQ(groups.Membership(32), QStringLiteral("GH"));
    EXPECT_EQ(groups.Membership(1001), QStringLiteral("H"));
    EXPECT_EQ(groups.Membership(14), QStringLiteral("I"));
    EXPECT_EQ(encodeGroupsFile(groups), file);
}

TEST(GroupsFile, DamagedOrPlaceholderFilesFallBack)
{
    const Section favourites{"Favorite Games", 1, {{32, 1}}};
    const Section recent{"Recently Played Games", 2, {}};
    QByteArray huge = groupsFile({favourites, recent});
    huge.replace(4 + 2 * 256 + 300, 4, Bytes(4).i32(0, 0x7fffffff).data()); // the first member count
    struct Case {
        const char *what;
        QByteArray bytes;
        bool loaded;
        int groupCount;
        const char *favourites;
    } cases[] = {
        {"placeholder", groupsFile({{"XXXXXXXX", 1, {{32, 1}}}}), true, 2, "1,2,4,5,16,18,32"},
        {"group count beyond the file", groupsFile({favourites, recent}, 50), false, 2, "1,2,4,5,16,18"},
        {"member count beyond the file", huge, false, 2, "1,2,4,5,16,18"},
        {"variant that no longer exists", groupsFile({{"Favorite Games", 1, {{32, 1}, {1002, 1}}}, recent}), false, 2,
         "1,2,4,5,16,18,32"},
        {"catalogue id out of range", groupsFile({favourites, recent, {"Odd", 3, {{-5, 1}}}}), false, 2,
         "1,2,4,5,16,18,32"},
        {"cut short", groupsFile({favourites, recent}).chopped(30), false, 2, "1,2,4,5,16,18,32"},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.what);
        GameGroups groups;
        EXPECT_EQ(decodeGroupsFile(test.bytes, groups, variantsUpTo1001), test.loaded);
        EXPECT_EQ(int(groups.Groups().size()), test.groupCount);
        EXPECT_EQ(groups.Groups()[1].Name, QStringLiteral("Recently Played Games"));
        EXPECT_EQ(favouriteIds(groups), QString::fromLatin1(test.favourites));
    }
}

TEST(GroupsFile, FifteenRecentGamesAndTheGroupsAfterThemSurvive)
{
    GameGroups groups;
    for (int gameId = 0; gameId < 17; ++gameId)
        groups.AddToRecentlyPlayed(gameId);
    groups.AddToRecentlyPlayed(1000);
    groups.AddToRecentlyPlayed(14); // third: moves to the front
    const int mine = groups.CreateGroup(QStringLiteral("Mine"));
    groups.AddToGroup(200, mine);
    ASSERT_EQ(groups.RecentlyPlayed().size(), 15);
    EXPECT_FALSE(groups.IsMember(2, RecentlyPlayedGroup));
    EXPECT_TRUE(groups.IsMember(3, RecentlyPlayedGroup));

    GameGroups again;
    ASSERT_TRUE(decodeGroupsFile(encodeGroupsFile(groups), again, variantsUpTo1001));
    EXPECT_EQ(again.RecentlyPlayed(), groups.RecentlyPlayed());
    EXPECT_EQ(again.RecentlyPlayed().first(), 14);
    EXPECT_TRUE(again.IsMember(200, mine));
    EXPECT_EQ(again.Groups(), groups.Groups());
}

TEST(GroupsFile, OlderFormTakesNamesFromTheSettings)
{
    const QByteArray sections = groupsFile({{"", 1, {{10, 1}}}, {"", 2, {{108, 0}, {32, 1}}}}).mid(4 + 2 * 256);
    GameGroups groups;
    EXPECT_TRUE(decodeOlderGroups(sections, {QStringLiteral("Favorite Games"), QStringLiteral("Recently Played Games")},
                                  groups));
    EXPECT_EQ(groups.RecentlyPlayed(), (QList<int>{108, 32}));
    EXPECT_EQ(favouriteIds(groups), QStringLiteral("10"));
    GameGroups placeholder;
    EXPECT_TRUE(decodeOlderGroups(sections.left(324 + 24), {QStringLiteral("XXXXXXXX")}, placeholder));
    EXPECT_EQ(placeholder.Groups().size(), 2u);
    EXPECT_EQ(favouriteIds(placeholder), QStringLiteral("1,2,4,5,10,16,18"));
}

TEST(GameGroups, PlayersGroupsKeepTheirGamesWhenOneBeforeThemGoes)
{
    GameGroups groups;
    const int first = groups.CreateGroup(QStringLiteral("First"));
    const int second = groups.CreateGroup(QStringLiteral("Second"));
    EXPECT_EQ(groups.CreateGroup(QStringLiteral("Second")), 0);
    EXPECT_EQ(groups.CreateGroup(QStringLiteral("XXXXXXXX")), 0); // the placeholder name of the file
    groups.AddToGroup(32, first);
    groups.AddToGroup(32, second);
    groups.AddToGroup(1004, second);
    EXPECT_TRUE(groups.RenameGroup(second, QStringLiteral("Later")));
    EXPECT_FALSE(groups.DeleteGroup(RecentlyPlayedGroup));
    ASSERT_TRUE(groups.DeleteGroup(first));
    ASSERT_EQ(groups.Groups().size(), 3u);
    EXPECT_EQ(groups.Groups()[2], (GameGroup{QStringLiteral("Later"), 3}));
    EXPECT_EQ(groups.Membership(32), QString(groupLetter(3)));
    EXPECT_TRUE(groups.IsMember(1004, 3));

    // A game in eight groups joins no ninth.
    for (int group = 3; group <= 10; ++group)
        groups.AddToGroup(50, group < 4 ? group : groups.CreateGroup(QStringLiteral("G%1").arg(group)));
    const int ninth = groups.CreateGroup(QStringLiteral("Ninth"));
    EXPECT_FALSE(groups.AddToGroup(50, ninth));
    EXPECT_EQ(groups.Membership(50).size(), GameGroups::MaxLetters);
}
