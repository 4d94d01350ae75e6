#include "app/clear_stats_form.h"

#include "store/clear_statistics.h"
#include "store/statistics_store.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TCStatF::TCStatF(StatisticsContext &context, int playerIndex, QWidget *parent) : QDialog(parent), context(context)
{
    setObjectName(QStringLiteral("TCStatF"));
    setWindowTitle(QString::fromLatin1(ClearText::Caption));
    auto *layout = new QVBoxLayout(this);
    PlayerBox = new QComboBox(this);
    PlayerBox->addItems(context.statistics.Players.names());
    PlayerBox->setCurrentIndex(playerIndex >= 0 ? playerIndex : context.statistics.Players.currentIndex());
    layout->addWidget(PlayerBox);
    layout->addWidget(new QLabel(QStringLiteral("List of games"), this));
    Games = new QListWidget(this);
    Games->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const ListedGame &game : context.games) {
        auto *item = new QListWidgetItem(game.name, Games);
        item->setData(Qt::UserRole, game.gameId);
    }
    Games->sortItems();
    for (int row = 0; row < Games->count(); ++row)
        if (Games->item(row)->data(Qt::UserRole).toInt() == context.currentGameId) {
            Games->item(row)->setSelected(true);
            Games->scrollToItem(Games->item(row));
        }
    layout->addWidget(Games, 1);
    auto *choice = new QGroupBox(QStringLiteral("Clear statistics"), this);
    auto *choiceLayout = new QVBoxLayout(choice);
    SelectedGames = new QRadioButton(QStringLiteral("for selected games"), choice);
    AllGames = new QRadioButton(QStringLiteral("for all games"), choice);
    SelectedGames->setChecked(true);
    choiceLayout->addWidget(SelectedGames);
    choiceLayout->addWidget(AllGames);
    layout->addWidget(choice);
    ClearLog = new QCheckBox(QStringLiteral("Clear log records"), this);
    layout->addWidget(ClearLog);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &TCStatF::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(AllGames, &QRadioButton::toggled, Games, &QWidget::setDisabled);
}

void TCStatF::OkClick()
{
    ClearRequest request;
    request.playerIndex = PlayerBox->currentIndex();
    request.allGames = AllGames->isChecked();
    request.clearLog = ClearLog->isChecked();
    if (request.allGames) {
        // Every built-in block is cleared anyway; the variants are named one by one.
        for (const ListedGame &game : context.games)
            if (game.gameId >= RecordedGameIds)
                request.gameIds.append(game.gameId);
    } else {
        for (const QListWidgetItem *item : Games->selectedItems())
            request.gameIds.append(item->data(Qt::UserRole).toInt());
    }
    if (!request.allGames && request.gameIds.isEmpty())
        return;
    const QString name = context.statistics.Players.at(request.playerIndex).Name;
    const char *question = request.allGames ? ClearText::AskAll : ClearText::AskSelected;
    if (!context.confirm(QString::fromLatin1(question).arg(name), QString::fromLatin1(ClearText::QuestionCaption)))
        return;
    clearStatistics(context.statistics, context.log, request);
    accept();
}
