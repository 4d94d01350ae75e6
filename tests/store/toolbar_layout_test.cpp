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

TEST(ToolbarLayout, OnlyTwoDigitCodesOfItemsAreReadAndNoMoreThan64Entries)
{
    const QString next = QStringLiteral("Show Next Move"), separator = QStringLiteral("Separator");
    const struct {
        QString layout;
        QStringList expected;
    } cases[] = {
        {QStringLiteral("14,1,-1,xx,,04,006"), {next}},
        {QStringLiteral("+4,04, 04,04 ,4,0x04"), {next}},
        {QStringLiteral("\u0660\u0664,04"), {next}}, // other scripts' digits are not codes
        {QString(), {}},
        {QStringLiteral(",,,"), {}},
        {QStringLiteral("00,").repeated(200) + QStringLiteral("04"), QStringList(64, separator)},
        {QStringLiteral(",").repeated(63) + QStringLiteral("04"), {next}},
        {QStringLiteral(",").repeated(64) + QStringLiteral("04"), {}},
    };
    for (const auto &test : cases)
        EXPECT_EQ(toolbarItemsOf(test.layout), test.expected) << test.layout.left(40).toStdString();
}
