#include "store/settings.h"
#include "store/toolbar_layout.h"

#include <gtest/gtest.h>

TEST(ToolbarLayout, ItemsBecomeTwoDigitCodesAndBack)
{
    const QStringList defaultItems = {
        QStringLiteral("New Game"), QStringLiteral("Select Solitaire"), QStringLiteral("Separator"),
        QStringLiteral("Undo"), QStringLiteral("Redo"), QStringLiteral("Separator"), QStringLiteral("Autoplay"),
        QStringLiteral("Separator"), QStringLiteral("Options"), QStringLiteral("Help"), QStringLiteral("Separator"),
        QStringLiteral("Exit")};
    EXPECT_EQ(toolbarLayoutString(defaultItems), QString::fromLatin1(DefaultToolbarLayout));
    EXPECT_EQ(toolbarItemsOf(QString::fromLatin1(DefaultToolbarLayout)), defaultItems);
    EXPECT_EQ(toolbarLayoutString({QStringLiteral("Restart Game"), QStringLiteral("Juggle"), QStringLiteral("Save Game")}),
              QStringLiteral("10,,12"));
    EXPECT_EQ(toolbarLayoutString({}), QString());
}

TEST(ToolbarLayout, UnknownCodesAreSkipped)
{
    EXPECT_EQ(toolbarItemsOf(QStringLiteral("14,1,-1,xx,,04,006")), QStringList{QStringLiteral("Show Next Move")});
    EXPECT_TRUE(toolbarItemsOf(QString()).isEmpty());
}
