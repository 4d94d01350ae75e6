#pragma once

#include "games/catalogue.h"
#include "store/custom_games.h"

class GameTable;
class GameGroups;
class GameLog;
class QString;

// The rules a variant is dealt with: its base game's rules, with the values the base game
// lets the player change taken from the variant. A base game that allows no change keeps
// its own rules whole.
GameRulesRecord VariantRules(const CustomGameRecord &record);

// The player's variants as the games see them (ids 1000 + index).
class CustomVariants : public CustomGameSource {
public:
    TCustomGamesList List;

    std::optional<CustomGameInfo> CustomGame(int index) const override;
    int Count() const { return List.count(); }
    // The stored record of a custom id; null for any other id.
    CustomGameRecord *Record(int gameId) { return List.at(CustomGameIndex(gameId)); }
    const CustomGameRecord *Record(int gameId) const { return List.at(CustomGameIndex(gameId)); }

    // True when a built-in game or a variant has exactly this name.
    bool NameTaken(const QString &name) const;

    // Removes a variant with its statistics records and log records; later variants move
    // down one id in the log and the groups. False when there is no such variant.
    bool Delete(int gameId, GameLog &log, GameGroups &groups);

    // Copies the membership letters between the groups and the variants' own records.
    void TakeLettersFrom(const GameGroups &groups);
    void GiveLettersTo(GameGroups &groups) const;
};

// Reads custgame.dat of the player's data folder for a command-line deal of a variant.
void LoadVariantsForCommandLine(CustomVariants &variants);
// The command-line tools' table for a game id: a variant is dealt by the rules the player
// saved for it (the table is given variants), an unknown id is told on the error stream.
// False for an id that is neither in the catalogue nor among the player's variants.
bool PrepareCommandLineTable(GameTable &table, CustomVariants &variants, int gameId);
