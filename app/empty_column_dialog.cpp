#include "app/empty_column_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>

TEmptyColDlg::TEmptyColDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Move to empty column..."));
    auto *layout = new QHBoxLayout(this);
    const auto addButton = [&](const QString &caption, int result) {
        auto *button = new QPushButton(caption, this);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        return button;
    };
    addButton(QStringLiteral("Move &column"), EmptyColumnChooser::MoveColumn)->setDefault(true);
    addButton(QStringLiteral("Move &single card"), EmptyColumnChooser::MoveSingleCard);
    addButton(QStringLiteral("Cancel"), EmptyColumnChooser::Cancel);
}

int EmptyColumnDialogChooser::ChooseEmptyColumnMove()
{
    TEmptyColDlg dialog(parent);
    const int result = dialog.exec();
    // Closing the window counts as Cancel.
    return result == EmptyColumnChooser::MoveColumn || result == EmptyColumnChooser::MoveSingleCard
        ? result
        : EmptyColumnChooser::Cancel;
}
