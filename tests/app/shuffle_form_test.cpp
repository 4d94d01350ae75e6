#include "app/shuffle_form.h"

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
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *text;
        bool kept;
    } cases[] = {
        {Qt::Key_7, Qt::NoModifier, "7", true},
        {Qt::Key_0, Qt::KeypadModifier, "0", true},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", true},
        {Qt::Key_Return, Qt::NoModifier, "\r", true},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", true},
        {Qt::Key_C, Qt::ControlModifier, "\x03", true},
        {Qt::Key_V, Qt::ControlModifier, "", true},
        {Qt::Key_X, Qt::ControlModifier, "x", true},
        // Keys that type nothing keep their work.
        {Qt::Key_Left, Qt::NoModifier, "", true},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", true},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", true},
        {Qt::Key_Tab, Qt::NoModifier, "\t", true},
        // Everything else that types is discarded.
        {Qt::Key_A, Qt::NoModifier, "a", false},
        {Qt::Key_A, Qt::ShiftModifier, "A", false},
        {Qt::Key_A, Qt::ControlModifier, "\x01", false},
        {Qt::Key_Z, Qt::ControlModifier, "", false},
        {Qt::Key_7, Qt::ControlModifier, "7", false},
        {Qt::Key_Minus, Qt::NoModifier, "-", false},
        {Qt::Key_Space, Qt::NoModifier, " ", false},
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", false},
        {0x0439, Qt::NoModifier, "\u0439", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsShuffleKeyAllowed(c.key, c.modifiers, QString::fromUtf8(c.text)), c.kept)
            << std::hex << c.key << " " << int(c.modifiers);
}

TEST(SelectShuffle, OkKeepsTheDialogOpenOnABadNumberAndPutsAGoodOneFirst)
{
    QStringList recent;
    for (int i = 1; i <= 12; ++i)
        recent << QString::number(i);
    TShuffle_Form form(recent);
    QStringList messages;
    form.ShowMessage = [&messages](const QString &text) { messages << text; };
    EXPECT_EQ(form.Shuffle_CB->count(), recent.size());
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
