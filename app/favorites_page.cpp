#include "app/favorites_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

FavoritesPage::FavoritesPage(const OptionsContext &context, QWidget *parent) : OptionsPage(parent)
{
    AllGames = new QListWidget(this);
    FavoriteGames = new QListWidget(this);
    for (QListWidget *list : {AllGames, FavoriteGames}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setSortingEnabled(true);
    }
    for (const auto &[id, name] : context.Games) {
        auto *item = new QListWidgetItem(name, context.Favorites.contains(id) ? FavoriteGames : AllGames);
        item->setData(Qt::UserRole, id);
    }
    AddOne = new QPushButton(QStringLiteral("->"), this);
    AddAll = new QPushButton(QStringLiteral("->>"), this);
    RemoveOne = new QPushButton(QStringLiteral("<-"), this);
    RemoveAll = new QPushButton(QStringLiteral("<<-"), this);
    connect(AddOne, &QPushButton::clicked, this, [this] { move(AllGames, FavoriteGames, false); });
    connect(AddAll, &QPushButton::clicked, this, [this] { move(AllGames, FavoriteGames, true); });
    connect(RemoveOne, &QPushButton::clicked, this, [this] { move(FavoriteGames, AllGames, false); });
    connect(RemoveAll, &QPushButton::clicked, this, [this] { move(FavoriteGames, AllGames, true); });

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("All games:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Favorite games:"), this), 0, 2);
    grid->addWidget(AllGames, 1, 0);
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {AddOne, AddAll, RemoveOne, RemoveAll})
        buttons->addWidget(button);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(FavoriteGames, 1, 2);
}

void FavoritesPage::move(QListWidget *from, QListWidget *to, bool all)
{
    for (int row = from->count() - 1; row >= 0; --row)
        if (all || from->item(row)->isSelected())
            to->addItem(from->takeItem(row));
}

QList<int> FavoritesPage::Favorites() const
{
    QList<int> ids;
    for (int row = 0; row < FavoriteGames->count(); ++row)
        ids << FavoriteGames->item(row)->data(Qt::UserRole).toInt();
    return ids;
}

QList<int> FavoritesPage::Games() const
{
    QList<int> ids = Favorites();
    for (int row = 0; row < AllGames->count(); ++row)
        ids << AllGames->item(row)->data(Qt::UserRole).toInt();
    return ids;
}
