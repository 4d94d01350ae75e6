#include "app/empty_column_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Presses the button with the caption as soon as the dialog shows.
void pressWhenShown(const QString &caption)
{
    QTimer::singleShot(0, [caption] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<TEmptyColDlg *>(widget);
            if (!dialog || !dialog->isVisible())
                continue;
            for (QPushButton *button : dialog->findChildren<QPushButton *>())
                if (button->text() == caption)
                    QTest::mouseClick(button, Qt::LeftButton);
        }
    });
}

TEST(EmptyColumnDialog, EachButtonGivesItsChoice)
{
    const std::pair<QString, int> buttons[] = {
        {"Move &column", EmptyColumnChooser::MoveColumn},
        {"Move &single card", EmptyColumnChooser::MoveSingleCard},
        {"Cancel", EmptyColumnChooser::Cancel},
    };
    EmptyColumnDialogChooser chooser(nullptr);
    for (const auto &[caption, choice] : buttons) {
        pressWhenShown(caption);
        EXPECT_EQ(chooser.ChooseEmptyColumnMove(), choice) << caption.toStdString();
    }
}

TEST(EmptyColumnDialog, ClosingTheWindowCancels)
{
    QTimer::singleShot(0, [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<TEmptyColDlg *>(widget); dialog && dialog->isVisible())
                dialog->reject();
    });
    EmptyColumnDialogChooser chooser(nullptr);
    EXPECT_EQ(chooser.ChooseEmptyColumnMove(), EmptyColumnChooser::Cancel);
}

TEST(EmptyColumnDialog, HasItsCaption)
{
    TEmptyColDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Move to empty column...");
}

} // namespace
