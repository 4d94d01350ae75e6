// The options dialog from the main window: opening it over the current state, and on OK
// taking back every value and applying it to the table, the cards and the window.
#include "app/Mainform.h"

#include "app/background_page.h"
#include "app/card_appearance.h"
#include "app/card_backs_page.h"
#include "app/game_dlg.h"
#include "app/game_list.h"
#include "app/game_picture.h"
#include "app/options_dialog.h"
#include "app/status_indicator.h"
#include "app/program_launchers.h"
#include "app/program_session.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"
#include "look/program_folder.h"
#include "look/table_background.h"
#include "store/data_store.h"
#include "store/settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr char PictureFilter[] = "All (*.bmp *.jpg *.jpeg);;Bitmaps (*.bmp);;JPEG (*.jpg *.jpeg)";

// The name dialog of a new background; it stays open until the name is accepted.
bool askBackgroundName(QWidget *owner, const QString &proposed, const std::function<bool(const QString &)> &accept)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(QString::fromLatin1(BackgroundText::NameCaption));
    auto *name = new QLineEdit(proposed, &dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(name);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        if (accept(name->text()))
            dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return dialog.exec() == QDialog::Accepted;
}

bool backgroundChanged(const CardsSettings &a, const CardsSettings &b)
{
    return a.Pattern_Type != b.Pattern_Type || a.Pattern_Name != b.Pattern_Name || a.Pattern_File != b.Pattern_File
           || a.BoardColor != b.BoardColor || a.Fade != b.Fade || a.Direction != b.Direction;
}

} // namespace

OptionsContext TMain_F::optionsContext()
{
    DataStore &data = program.Data();
    const CardSets &sets = appearance->Sets();
    OptionsContext context;
    context.ColourDepth = program.Display().colourDepth();
    context.ProgramFolder = programFolder();
    context.CustomBackgroundFolder = data.locations.userBackgroundsFolder();
    context.BuiltInBackFolder = sets.BuiltInBackFolder();
    context.CustomBackFolder = sets.CustomBackFolder();
    context.Environment = sets.Environment();
    context.Sets = sets.InstalledSets() + sets.DesktopSets();
    context.DefaultSizes = sets.DefaultOfferedSizes();
    GameListSource source;
    source.customs = table->Customs;
    source.customCount = variants ? CustomGameCount() : 0;
    source.dealAvailable = [this](int baseGameId) { return deals.Has(baseGameId); };
    for (const GameRow &row : buildGameRows(source)) {
        context.Games.append({row.GameId, row.Name});
        if (gameDialog->Groups.IsMember(row.GameId, FavoritesGroup))
            context.Favorites << row.GameId;
    }
    context.DesktopIcon = ProgramLaunchers::Exists(data.locations.desktopFolder);
    context.StartMenuIcon = ProgramLaunchers::Exists(ProgramLaunchers::StartMenuFolder());
    context.Inform = [this](const QString &text) { prompts.inform(text); };
    context.AskYesNo = [this](const QString &text) {
        return QMessageBox::question(MessageOwner(), QStringLiteral("Tarnwick"), text) == QMessageBox::Yes;
    };
    context.ChoosePicture = [this](const QString &folder) {
        return QFileDialog::getOpenFileName(MessageOwner(), QString(), folder, QString::fromLatin1(PictureFilter));
    };
    context.AskName = [this](const QString &proposed, const std::function<bool(const QString &)> &accept) {
        return askBackgroundName(MessageOwner(), proposed, accept);
    };
    context.MakeCardBack = [this](const QString &file) { return RunCardBackMaker(file); };
    context.CustomizeToolbar = [this] { CustomizeToolbar(); };
    context.ClearStatistics = [this] {
        if (QMessageBox::question(MessageOwner(), QStringLiteral("Tarnwick"),
                                  QStringLiteral("Do you want to clear the statistics of every game?"))
            != QMessageBox::Yes)
            return;
        QList<int> ids;
        for (int id = 0; id < GameGroups::BuiltInCount; ++id)
            ids << id;
        StatisticsStore &statistics = program.Data().statistics;
        statistics.clearStatistics(statistics.Players.currentIndex(), ids);
    };
    context.SetAutoplayForAll = [this](bool on) {
        for (int id = 0; id < GameGroups::BuiltInCount; ++id)
            SetAutoplayOn(id, on);
        for (int index = 0; index < CustomGameCount(); ++index)
            SetAutoplayOn(CustomGameId(index), on);
    };
    context.ClearRecentGames = [this] { gameDialog->Groups.ClearRecentlyPlayed(); };
    return context;
}

void TMain_F::Options3Click()
{
    CardsSettings &cards = program.Data().settings.Cards;
    if (paused)
        Resume();
    const bool cycleRan = Board1->AutoTimer() && Board1->AutoTimer()->isActive();
    if (cycleRan)
        Board1->StopAutoTimer();
    // The dialog shows a back that can be drawn.
    if ((cards.Back < 1 || cards.Back > 13) && cards.Back != CardSets::PictureBack)
        cards.Back = 1;
    if (cards.Back == CardSets::PictureBack && cardPictures().CustomBack().isNull()) {
        cards.Back = 1;
        cards.CustBackFile.clear();
    }
    const bool oldStyle = cards.OldTBStyle;
    bool customised = false;
    {
        TOptions dialog(cards, optionsContext(), this);
        const int result = RunOptions ? RunOptions(dialog) : dialog.exec();
        if (result == QDialog::Accepted)
            applyOptions(dialog);
        customised = dialog.ToolbarCustomised();
    }
    if (customised || cards.OldTBStyle != oldStyle)
        connect(ToolBarTimer, &QTimer::timeout, this, &TMain_F::RebuildToolbar, Qt::SingleShotConnection);
    writeItemStates();
    if (cycleRan)
        Board1->StartAutoTimer();
    RefreshStatus();
    ToolBarTimer->start();
}

void TMain_F::applyOptions(const TOptions &dialog)
{
    CardsSettings &cards = program.Data().settings.Cards;
    const CardsSettings before = cards;
    cards = dialog.Settings();

    // Cards: a set or size that cannot be loaded falls back, and the rest still applies.
    if (dialog.CardSetTouched() || cards.AutoCardSizing != before.AutoCardSizing
        || cards.ScaleCards != before.ScaleCards) {
        const int chosenSet = cards.CardDeck;
        appearance->LoadChosenSet(chosenSet, table->BaseGameId, ScrollBox1->size(), program.Display().screenSize());
        cards.CardDeck = appearance->Sets().CardDeck();
        if (cards.CardDeck != chosenSet)
            cards.CardSize = appearance->Sets().CardSize();
    }
    applySettingsToTable();
    Sound1->setChecked(AllSoundsOn());
    statusBar()->setVisible(cards.StatusBar);
    // The game status indicator follows its box at once.
    StatusIndicator().ApplySetting();

    if (backgroundChanged(cards, before)) {
        applyBackground();
        // A picture that could not be read leaves the colour.
        cards.Pattern_Type = background->Choice().Pattern_Type;
    }
    if (cards.Back != before.Back || cards.CustBackFile != before.CustBackFile
        || cards.CustBackStyle != before.CustBackStyle) {
        if (cards.Back == CardSets::PictureBack)
            appearance->Sets().ClearPictureBack();
        appearance->ApplyBack();
    }

    const DataStore &data = program.Data();
    if (dialog.DesktopIcon() != ProgramLaunchers::Exists(data.locations.desktopFolder))
        ProgramLaunchers::Set(data.locations.desktopFolder, dialog.DesktopIcon(), QCoreApplication::applicationFilePath());
    if (dialog.StartMenuIcon() != ProgramLaunchers::Exists(ProgramLaunchers::StartMenuFolder()))
        ProgramLaunchers::Set(ProgramLaunchers::StartMenuFolder(), dialog.StartMenuIcon(),
                              QCoreApplication::applicationFilePath());

    const QList<int> favourites = dialog.Favorites();
    GameGroups &groups = gameDialog->Groups;
    for (int id : dialog.ListedGames()) {
        const bool favourite = favourites.contains(id);
        if (favourite != groups.IsMember(id, FavoritesGroup))
            favourite ? groups.AddToFavorites(id) : groups.DeleteFromFavorites(id);
    }
    gameDialog->ShowGroups();

    layoutPanels();
    TableAreaChanged();
    Board1->update();
}
