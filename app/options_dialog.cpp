#include "app/options_dialog.h"

#include "app/background_page.h"
#include "app/card_backs_page.h"
#include "app/card_sets_page.h"
#include "app/favorites_page.h"
#include "app/graphics_page.h"
#include "app/miscellaneous_page.h"
#include "app/preferences_page.h"
#include "app/toolbar_menu_page.h"
#include "store/settings.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

TOptions::TOptions(const CardsSettings &current, OptionsContext context, QWidget *parent)
    : QDialog(parent), settings(std::make_unique<CardsSettings>(current))
{
    setObjectName(QStringLiteral("TOptions"));
    setWindowTitle(QStringLiteral("Options"));
    Pages = new QTabWidget(this);
    Preferences = new PreferencesPage(context, Pages);
    Background = new BackgroundPage(context, Pages);
    CardBacks = new CardBacksPage(context, Pages);
    CardSets = new CardSetsPage(context, Pages);
    ToolbarMenu = new ToolbarMenuPage(context, Pages);
    Graphics = new GraphicsPage(context, Pages);
    FavoriteGames = new FavoritesPage(context, Pages);
    Miscellaneous = new MiscellaneousPage(context, Pages);
    const std::pair<OptionsPage *, const char *> pages[] = {
        {Preferences, "Preferences"},      {Background, "Background"}, {CardBacks, "Card Backs"},
        {CardSets, "Card Sets"},           {ToolbarMenu, "Toolbar && Menu"}, {Graphics, "Graphics"},
        {FavoriteGames, "Favorites"},      {Miscellaneous, "Miscellaneous"},
    };
    for (const auto &[page, caption] : pages) {
        page->Fill(*settings);
        Pages->addTab(page, QString::fromLatin1(caption));
    }
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(Buttons);
    // Wide enough for every tab and four columns of backs.
    resize(900, 660);
}

TOptions::~TOptions() = default;

void TOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (shown)
        return;
    shown = true;
    CardSets->StartLoading();
}

void TOptions::done(int result)
{
    // The drawing threads end before the dialog's result is used.
    CardSets->StopLoading();
    CardBacks->StopLoading();
    QDialog::done(result);
}

CardsSettings TOptions::Settings() const
{
    CardsSettings result = *settings;
    for (const OptionsPage *page : std::initializer_list<const OptionsPage *>{
             Preferences, Background, CardBacks, CardSets, ToolbarMenu, Graphics, FavoriteGames, Miscellaneous})
        page->Read(result);
    return result;
}

bool TOptions::ToolbarCustomised() const
{
    return ToolbarMenu->Customised();
}

bool TOptions::CardSetTouched() const
{
    return CardSets->Touched();
}

QList<int> TOptions::Favorites() const
{
    return FavoriteGames->Favorites();
}

bool TOptions::DesktopIcon() const
{
    return Preferences->DesktopIcon();
}

bool TOptions::StartMenuIcon() const
{
    return Preferences->StartMenuIcon();
}

QList<int> TOptions::ListedGames() const
{
    return FavoriteGames->Games();
}
