#include "games/shuffle_form.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

TEST(SelectShuffle, NumbersOutsideTheRangeAreRefused)
{
    const struct {
        const char *text;
        std::optional<quint32> number;
    } cases[] = {
        {"0", 0u},
        {"4294967295", 4294967295u},
        {"4294967296", std::nullopt},
        {"-1", std::nullopt},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {" 42 ", 42u},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShuffleNumberFromText(QString::fromLatin1(c.text)), c.number) << c.text;
}

TEST(SelectShuffle, OnlyDigitsAndEditingKeysAreTyped)
{
    EXPECT_TRUE(IsShuffleKeyAllowed(Qt::Key_7, Qt::NoModifier, QStringLiteral("7")));
    EXPECT_TRUE(IsShuffleKeyAllowed(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")));
    EXPECT_TRUE(IsShuffleKeyAllowed(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
    EXPECT_TRUE(IsShuffleKeyAllowed(Qt::Key_V, Qt::ControlModifier, QString()));
    EXPECT_FALSE(IsShuffleKeyAllowed(Qt::Key_A, Qt::ControlModifier, QString()));
    EXPECT_FALSE(IsShuffleKeyAllowed(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    EXPECT_FALSE(IsShuffleKeyAllowed(Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-")));
}

TEST(SelectShuffle, OkKeepsTheDialogOpenOnABadNumberAndPutsAGoodOneFirst)
{
    QStringList recent;
    for (int i = 1; i <= 12; ++i)
        recent << QString::number(i);
    TShuffle_Form form(recent);
    QStringList messages;
    form.ShowMessage = [&messages](const QString &text) { messages << text; };
    EXPECT_EQ(form.Shuffle_CB->count(), TShuffle_Form::ListLimit);
    EXPECT_EQ(form.Shuffle_CB->currentText(), QStringLiteral("1"));
    form.Shuffle_CB->setEditText(QStringLiteral("5000000000"));
    form.accept();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Game number doesn't fit the range 0..4294967295")});
    EXPECT_NE(form.result(), QDialog::Accepted);
    form.Shuffle_CB->setEditText(QStringLiteral("7"));
    form.accept();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Number(), 7u);
    EXPECT_EQ(form.Shuffle_CB->itemText(0), QStringLiteral("7"));
    EXPECT_EQ(form.Shuffle_CB->findText(QStringLiteral("7"), Qt::MatchExactly), 0);
    EXPECT_EQ(form.Shuffle_CB->count(), TShuffle_Form::ListLimit);
}

} // namespace
