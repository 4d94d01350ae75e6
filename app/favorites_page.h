#pragma once

#include "app/options_page.h"

class QListWidget;
class QPushButton;

// The page "Favorites": every game at the left, the favourite ones at the right, moved
// across one at a time ("->", "<-") or all at once ("->>", "<<-").
class FavoritesPage : public OptionsPage {
    Q_OBJECT
public:
    explicit FavoritesPage(const OptionsContext &context, QWidget *parent = nullptr);
    void Fill(const CardsSettings &) override {}
    void Read(CardsSettings &) const override {}
    // The favourite games in the order listed.
    QList<int> Favorites() const;
    QList<int> Games() const;

    QListWidget *AllGames = nullptr, *FavoriteGames = nullptr;
    QPushButton *AddOne = nullptr, *AddAll = nullptr, *RemoveOne = nullptr, *RemoveAll = nullptr;

private:
    void move(QListWidget *from, QListWidget *to, bool all);
};
