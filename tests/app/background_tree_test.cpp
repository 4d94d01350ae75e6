#include "app/background_page.h"

#include <gtest/gtest.h>

TEST(BackgroundTree, TextureDisplayNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Shapes____hedera", "Hedera"},
        {"Landscapes____Lake__in__the__dusk", "Lake In the dusk"},
        {"Paper4", "Paper4"},
        {"Lens__flare", "Lens Flare"},
        {"Ornaments____ornament_1", "Ornament-1"},
        {"Misc____a____b", "A  b"},
    };
    for (const auto &[texture, shown] : cases)
        EXPECT_EQ(BackgroundPage::TextureDisplayName(QString::fromLatin1(texture)), QString::fromLatin1(shown)) << texture;
}

// Folders and categories first, "Custom" next, then the rest; trailing numbers by value.
TEST(BackgroundTree, SortingOrder)
{
    using K = BackgroundKind;
    const struct {
        K kindA;
        const char *a;
        K kindB;
        const char *b;
        bool before;
    } cases[] = {
        {K::Texture, "Wood2", K::Texture, "Wood10", true},
        {K::Texture, "wood10", K::Texture, "Wood2", false},
        {K::Texture, "apple", K::Texture, "Banana", true},
        {K::Texture, "Aaa", K::CustomFolder, "Custom", false},
        {K::CustomFolder, "Custom", K::Folder, "Zebra", false},
        {K::Folder, "Zebra", K::OtherFile, "Alpha", true},
        {K::CustomFile, "Alpha", K::Texture, "Beta", true},
        {K::Folder, "Marble", K::Folder, "Cloth", false},
    };
    for (const auto &test : cases)
        EXPECT_EQ(BackgroundPage::SortsBefore(test.kindA, QString::fromLatin1(test.a), test.kindB, QString::fromLatin1(test.b)),
                  test.before)
            << test.a << " " << test.b;
}
