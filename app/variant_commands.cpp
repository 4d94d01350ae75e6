// The main window's part in custom variants and game groups: loading and saving them with
// the player's data, the rules editor, the rules window and deleting a variant.
#include "app/context_help.h"
#include "app/Mainform.h"

#include "app/custom_help.h"
#include "app/custom_rules_form.h"
#include "app/custom_variants.h"
#include "app/game_dlg.h"
#include "app/game_picture.h"
#include "app/game_session.h"
#include "app/program_session.h"
#include "app/tarnwick_application.h"
#include "games/game_table.h"
#include "store/groups_file.h"

#include <QAction>

namespace {

QString dataFile(DataStore &data, const char *name)
{
    return data.locations.dataFile(QString::fromLatin1(name));
}

} // namespace

void TMain_F::loadVariantsAndGroups(StartSteps &steps)
{
    variants = std::make_unique<CustomVariants>();
    loadedGroups = std::make_unique<GameGroups>();
    DataStore &data = program.Data();
    steps.loadCustomVariants = [this, &data] {
        variants->List.loadVariants(dataFile(data, DataFileName::CustgameDat));
        variants->List.loadStatistics(dataFile(data, DataFileName::CuststatDat), data.statistics.Players.names(),
                                      data.statistics.today());
        data.statistics.CustomGameStats = [this, &data](int gameId, const QString &player) -> GameStats * {
            const CustomGameRecord *record = variants->Record(gameId);
            return record ? &variants->List.findStatistics(record->Name, player, data.statistics.today()) : nullptr;
        };
    };
    steps.loadGroups = [this, &data] {
        variants->GiveLettersTo(*loadedGroups);
        const auto exists = [this](int gameId) { return variants->Record(gameId) != nullptr; };
        groupsDamaged = !loadGroups(*loadedGroups, dataFile(data, DataFileName::QelcustDat),
                                    dataFile(data, DataFileName::CustomDat), data.settings.Players.Customs,
                                    data.settings.legacyGroupNames(), exists);
    };
}

void TMain_F::saveVariantsAndGroups(CloseSteps &steps)
{
    DataStore &data = program.Data();
    steps.saveCustomVariants = [this, &data] {
        data.locations.createDataFolder();
        variants->TakeLettersFrom(gameDialog->Groups);
        variants->List.saveVariants(dataFile(data, DataFileName::CustgameDat));
        variants->List.saveStatistics(dataFile(data, DataFileName::CuststatDat));
    };
    steps.saveGroups = [this, &data] {
        saveGroups(gameDialog->Groups, dataFile(data, DataFileName::QelcustDat), groupsDamaged);
        groupsDamaged = false;
    };
}

GameWindowRecord *TMain_F::windowRecord(int gameId) const
{
    if (IsCustomGameId(gameId)) {
        CustomGameRecord *variant = variants->Record(gameId);
        if (!variant)
            return nullptr;
        // A record without a usable size (a damaged file) takes the default size.
        if (variant->Window.Height <= 0 || variant->Window.Width <= 0) {
            const GameWindowRecord standard = program.Data().windowRecords.defaultRecord();
            variant->Window.Height = standard.Height;
            variant->Window.Width = standard.Width;
        }
        return &variant->Window;
    }
    return program.Data().windowRecords.record(gameId);
}

const CustomGameSource *TMain_F::CustomGames() const
{
    return variants.get();
}

int TMain_F::CustomGameCount() const
{
    return variants->Count();
}

bool TMain_F::DeleteCustomGame(int gameId)
{
    if (!variants->Record(gameId))
        return false;
    const int baseId = BaseGameId(gameId, variants.get());
    const bool current = table->CurrentGameId == gameId;
    if (current) {
        // The game on the table ends with its variant.
        session->EndAbandonedGame();
        session->ClearTable();
    }
    variants->Delete(gameId, program.Data().log, gameDialog->Groups);
    for (int *id : {&table->CurrentGameId, &table->PreviousGameId}) {
        if (*id == gameId)
            *id = baseId;
        else if (*id > gameId)
            --*id;
    }
    table->BaseGameId = BaseGameId(table->CurrentGameId, variants.get());
    if (pictures)
        pictures->ClearCache();
    if (current) {
        ApplyGameSettings(table->CurrentGameId);
        SetCaption(session->Caption());
        RefreshStatus();
    }
    writeItemStates();
    return true;
}

void TMain_F::CustomizeRulesClick()
{
    if (paused)
        Resume();
    DataStore &data = program.Data();
    const int baseId = BaseGameId(table->CurrentGameId, variants.get());
    const GameWindowRecord *baseWindow = data.windowRecords.record(baseId);
    TCustomRulesForm form(table->CurrentGameId, *variants, gameDialog->Groups, data.statistics.Players.names(),
                          data.statistics.today(), baseWindow ? *baseWindow : data.windowRecords.defaultRecord(), this);
    if (RunRulesForm)
        RunRulesForm(form);
    else
        form.exec();
    if (form.CreatedGameId() < 0)
        return;
    gameDialog->Fill();
    gameDialog->PreselectGame(form.CreatedGameId());
    SelectSolitaire();
}

void TMain_F::GameHelp1Click()
{
    ShowRules(table->CurrentGameId);
}

void TMain_F::ShowRules(int gameId)
{
    QWidget *over = gameDialog->isVisible() ? static_cast<QWidget *>(gameDialog.get()) : this;
    if (const CustomGameRecord *variant = variants->Record(gameId)) {
        const int baseId = variant->BaseGameId;
        TCustomHelp window(*variant, [this, baseId] { ShowRules(baseId); }, over);
        if (RunRulesWindow)
            RunRulesWindow(window);
        else
            window.exec();
        return;
    }
    ShowGameRules(Help(), gameId, table->Customs);
}
