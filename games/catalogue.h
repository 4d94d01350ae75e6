#pragma once

#include "games/rules_record.h"

#include <QString>
#include <optional>

// Game ids: 0..409 are the built-in games; 1000 + n is the player's custom variant n.
constexpr int BuiltInGameCount = 410;
constexpr int FirstCustomGameId = 1000;
// The longest game name the catalogue stores (one length byte and 29 characters).
constexpr int GameNameCapacity = 29;

// Ids of the dealt games.
namespace GameIds {
constexpr int Windmill = 0;
constexpr int Bisley = 10;
constexpr int FlowerGarden = 14;
constexpr int Carpet = 17;
constexpr int FreeCell = 32;
constexpr int Nestor = 71;
constexpr int Klondike = 108;
constexpr int Spider = 181;
constexpr int MonteCarlo = 186;
constexpr int Yukon = 221;
constexpr int SpiderTwoSuit = 301;
constexpr int SpiderOneSuit = 302;
constexpr int Bouquet = 309;
} // namespace GameIds

// What the program knows of one custom variant.
struct CustomGameInfo {
    QString Name;
    int BaseGameId = 1;
    GameRulesRecord Rules;
};

// The player's custom variants, supplied by the variants store. Answers nothing for an
// index it has no readable record for.
class CustomGameSource {
public:
    virtual ~CustomGameSource() = default;
    virtual std::optional<CustomGameInfo> CustomGame(int index) const = 0;
};

inline bool IsBuiltInGameId(int gameId)
{
    return gameId >= 0 && gameId < BuiltInGameCount;
}
inline bool IsCustomGameId(int gameId)
{
    return gameId >= FirstCustomGameId;
}
inline int CustomGameId(int index)
{
    return FirstCustomGameId + index;
}
inline int CustomGameIndex(int gameId)
{
    return gameId - FirstCustomGameId;
}

// The name of a built-in game; empty for any other id.
QString GameName(int gameId);
// The name of any game: built-in from the catalogue, custom from its record (empty when
// the record cannot be read or no source is given).
QString GameName(int gameId, const CustomGameSource *customs);

// True for an id of the catalogue and for a custom variant the source has a record of.
bool IsKnownGameId(int gameId, const CustomGameSource *customs);

// The built-in game a game id is dealt as: the id itself below 1000, else the custom
// record's base id, or 1 when that record cannot be read.
int BaseGameId(int gameId, const CustomGameSource *customs);

// The default rules of a built-in game as a record; all zero for a game without rules of
// its own and for any other id.
GameRulesRecord DefaultRulesRecord(int gameId);
// The rules a game is built with: a custom id's own record (all zero when unreadable),
// else the built-in game's default rules.
GameRules RulesForGame(int gameId, const CustomGameSource *customs);

// True when the id is a built-in game whose rules the player may customise.
bool MayBeCustomised(int gameId);

// True when the game that is dealt for the id (through its base id) offers automatic play.
bool HasAutomaticPlay(int gameId, const CustomGameSource *customs);

// True when the game needs a screen of at least 1024 x 768 pixels.
bool NeedsLargeScreen(int currentGameId, int baseGameId);

// True when this edition has a definition, and so a deal, for the base id.
bool HasDeal(int baseGameId);
