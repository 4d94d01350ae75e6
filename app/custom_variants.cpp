#include "app/custom_variants.h"

#include "games/game_table.h"
#include "look/program_folder.h"
#include "store/game_groups.h"
#include "store/log_file.h"
#include "store/store_locations.h"

#include <cstdio>

GameRulesRecord VariantRules(const CustomGameRecord &record)
{
    GameRulesRecord rules = DefaultRulesRecord(record.BaseGameId);
    if (!rules.IsCustomisable())
        return rules;
    if (rules.RedealsEditable())
        rules.Redeals = record.Redeals;
    if (rules.StockDealEditable)
        rules.StockDeal = record.StockDeal;
    if (rules.TableauEditable)
        rules.TableauRule = record.TableauRule;
    if (rules.EmptyEditable)
        rules.EmptyTableau = record.EmptyTableau;
    if (rules.GroupEditable)
        rules.GroupMethod = record.GroupMove;
    if (rules.FoundationEditable) {
        // A base game that fixes the foundations' direction keeps it; only the method changes.
        const bool fixedDirection = rules.FoundationRule >= 128 && rules.FoundationRule < 144;
        rules.FoundationRule = fixedDirection ? 128 + record.FoundationRule % 32 : record.FoundationRule;
    }
    return rules;
}

std::optional<CustomGameInfo> CustomVariants::CustomGame(int index) const
{
    const CustomGameRecord *record = List.at(index);
    if (!record)
        return std::nullopt;
    return CustomGameInfo{record->Name, record->BaseGameId, VariantRules(*record)};
}

bool CustomVariants::NameTaken(const QString &name) const
{
    for (int gameId = 0; gameId < BuiltInGameCount; ++gameId)
        if (GameName(gameId) == name)
            return true;
    return List.indexOf(name) >= 0;
}

bool CustomVariants::Delete(int gameId, GameLog &log, GameGroups &groups)
{
    const CustomGameRecord *record = Record(gameId);
    if (!record)
        return false;
    const QString name = record->Name;
    List.remove(name);
    log.deleteGameRecords(gameId);
    groups.CustomGameRemoved(gameId);
    return true;
}

void CustomVariants::TakeLettersFrom(const GameGroups &groups)
{
    for (int index = 0; index < List.count(); ++index)
        List.at(index)->Groups = groups.Membership(CustomGameId(index));
}

void CustomVariants::GiveLettersTo(GameGroups &groups) const
{
    for (int index = 0; index < List.count(); ++index)
        groups.SetMembership(CustomGameId(index), List.at(index)->Groups);
}

void LoadVariantsForCommandLine(CustomVariants &variants)
{
    const StoreLocations locations = StoreLocations::fromSystem(programFolder());
    variants.List.loadVariants(locations.dataFile(QString::fromLatin1(DataFileName::CustgameDat)));
}

bool PrepareCommandLineTable(GameTable &table, CustomVariants &variants, int gameId)
{
    if (IsCustomGameId(gameId)) {
        LoadVariantsForCommandLine(variants);
        table.Customs = &variants;
    }
    if (IsKnownGameId(gameId, table.Customs))
        return true;
    std::fprintf(stderr, "unknown game id %d\n", gameId);
    return false;
}
