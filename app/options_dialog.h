#pragma once

#include "app/options_page.h"

#include <QDialog>

class BackgroundPage;
class CardBacksPage;
class CardSetsPage;
class FavoritesPage;
class GraphicsPage;
class MiscellaneousPage;
class PreferencesPage;
class QDialogButtonBox;
class QTabWidget;
class ToolbarMenuPage;

// `TOptions`: every preference of the program on eight pages. It edits a copy of the
// settings; the window takes them back on OK and applies them.
class TOptions : public QDialog {
    Q_OBJECT
public:
    TOptions(const CardsSettings &settings, OptionsContext context, QWidget *parent = nullptr);
    ~TOptions() override;

    // The settings as the pages now hold them (the copy it was given, where untouched).
    CardsSettings Settings() const;
    bool ToolbarCustomised() const;
    bool CardSetTouched() const;
    QList<int> Favorites() const;
    // Every game the favourites page lists.
    QList<int> ListedGames() const;
    bool DesktopIcon() const;
    bool StartMenuIcon() const;

    QTabWidget *Pages = nullptr;
    PreferencesPage *Preferences = nullptr;
    BackgroundPage *Background = nullptr;
    CardBacksPage *CardBacks = nullptr;
    CardSetsPage *CardSets = nullptr;
    ToolbarMenuPage *ToolbarMenu = nullptr;
    GraphicsPage *Graphics = nullptr;
    FavoritesPage *FavoriteGames = nullptr;
    MiscellaneousPage *Miscellaneous = nullptr;
    QDialogButtonBox *Buttons = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    std::unique_ptr<CardsSettings> settings;
    bool shown = false;
};
