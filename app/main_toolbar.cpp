// The main window's toolbar: its buttons and their items, its place beside the table, the
// customisation dialog, the statistics mode and the menus' pictures and presentation.
#include "app/Mainform.h"

#include "app/button_pictures.h"
#include "app/menu_style.h"
#include "app/program_session.h"
#include "app/toolbar.h"
#include "app/toolbar_customize.h"
#include "engine/Cardscmp.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

void TMain_F::createToolbar()
{
    CardsSettings &cards = program.Data().settings.Cards;
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    Toolbar2 = new MainToolbar(*this, cards, program.Display().colourDepth(), shown ? shown->logicalDotsPerInch() : 96);
    const std::pair<int, QAction *> commands[] = {
        {1, Game_MI},   {2, NewUndo1}, {3, NewRedo1},    {4, ShowNextMove1}, {5, Autoplay1},  {7, Options3},
        {8, GameHelp1}, {9, Deal_MI},  {10, Replay1},    {11, OpenGame1},    {12, SaveAs1},   {13, Exit_MI}};
    for (const auto &[code, item] : commands)
        Toolbar2->SetCommand(code, item);
    Toolbar2->Lists = ToolbarButtons::Lists::FromLayout(cards.tbconf);
    addToolBar(Qt::TopToolBarArea, Toolbar2);
    connect(Toolbar2, &MainToolbar::PlaceChanged, this, &TMain_F::toolbarPlaceChanged);
    connect(Toolbar2, &MainToolbar::LookChanged, this, &TMain_F::RebuildToolbar);
    connect(Toolbar2, &MainToolbar::CustomizeRequested, this, &TMain_F::CustomizeToolbar);
    RebuildToolbar();
    Toolbar2->LoadPosition(program.Data().locations.toolbarSettingsFile());
}

void TMain_F::RebuildToolbar()
{
    CardsSettings &cards = program.Data().settings.Cards;
    Toolbar2->Create();
    cards.CollectStatistics = ToolbarButtons::StatisticsMode(cards.CollectStatistics, Toolbar2->Lists.HoldsShowNextMove());
    // Results count only while the mode is exactly 1, from the moment it changes.
    StatisticsStore &statistics = program.Data().statistics;
    statistics.setRun(statistics.runNumber(), cards.recordsStatistics());
    Toolbar2->setVisible(cards.ToolBar);
    ToolBarMenu->setChecked(cards.ToolBar);
    applyMenuPictures();
    MenuStyle::Apply(*this, cards.MenuXP && program.Display().colourDepth() > 8);
    Toolbar2->ContextMenu()->setObjectName(cards.MenuXP ? QStringLiteral("pmExToolbar") : QStringLiteral("pmToolbar"));
    writeItemStates();
    toolbarPlaceChanged();
}

void TMain_F::applyMenuPictures()
{
    const CardsSettings &cards = program.Data().settings.Cards;
    const ButtonPictures::Set set = ButtonPictures::MenuSet(cards.OldTBStyle, program.Display().colourDepth());
    const std::pair<QAction *, int> pictures[] = {
        {Game_MI, 1},   {NewUndo1, 2}, {NewRedo1, 3},  {ShowNextMove1, 4}, {Autoplay1, 5}, {miStatistics, 6},
        {Options3, 7},  {GameHelp1, 8}, {Deal_MI, 9},  {Replay1, 10},      {OpenGame1, 11}, {SaveAs1, 12},
        {Exit_MI, 13},  {miLog, 14}};
    for (const auto &[item, code] : pictures)
        item->setIcon(cards.MenuIcons ? ButtonPictures::Icon(code, set) : QIcon());
}

void TMain_F::toolbarPlaceChanged()
{
    CardsSettings &cards = program.Data().settings.Cards;
    // A floating toolbar the player closed takes the item's check with it.
    if (Toolbar2->isHidden() && cards.ToolBar && !closeSequenceRan) {
        cards.ToolBar = false;
        ToolBarMenu->setChecked(false);
    }
    const int top = Toolbar2->TopOffset();
    const int left = Toolbar2->LeftOffset();
    if (top == Board1->VDelta && left == Board1->GDelta)
        return;
    Board1->VDelta = top;
    Board1->GDelta = left;
    fitTimer->start();
}

void TMain_F::ToolBarMenuClick()
{
    const bool shown = ToolBarMenu->isChecked();
    program.Data().settings.Cards.ToolBar = shown;
    Toolbar2->setVisible(shown);
}

QSize TMain_F::tableRoomShortfall() const
{
    // The client area is all below the menu bar: the table, the toolbar's docks and the status bar.
    const QWidget *menu = menuWidget();
    const QSize client(width(), height() - (menu && !menu->isHidden() ? menu->height() : 0));
    const int status = statusBar()->isHidden() ? 0 : statusBar()->height();
    // A toolbar at the bottom or the right takes room from the table as well.
    const bool docked = !Toolbar2->isHidden() && !Toolbar2->isFloating();
    const int bottom = docked && Toolbar2->DockArea() == Qt::BottomToolBarArea ? Toolbar2->height() : 0;
    const int right = docked && Toolbar2->DockArea() == Qt::RightToolBarArea ? Toolbar2->width() : 0;
    return {Board1->TableRight() + Board1->GDelta + right + 10 - client.width(),
            Board1->TableBottom() + Board1->VDelta + bottom + status + 25 - client.height()};
}

void TMain_F::CustomizeToolbar()
{
    CardsSettings &cards = program.Data().settings.Cards;
    const ButtonPictures::Set set = Toolbar2->PictureSet();
    TCustDlg dialog(Toolbar2->Lists, cards.CollectStatistics, set, set == ButtonPictures::Set::Large, cards.DW,
                    cards.EW, MessageOwner());
    if (dialog.exec() != QDialog::Accepted)
        return;
    cards.CollectStatistics = dialog.StatisticsMode();
    if (dialog.Changed()) {
        Toolbar2->Lists = dialog.Result();
        if (dialog.RestoredDefault())
            Toolbar2->Dock(Qt::TopToolBarArea);
    }
    RebuildToolbar();
}
