#pragma once

#include <QString>
#include <array>
#include <cstdint>
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

// The default building rules of a game: twelve signed 32-bit fields, 48 bytes in files.
struct GameRulesRecord {
    std::int32_t Flags = 0;               // byte 0: customisable; byte 1: redeals editable
    std::int32_t Redeals = 0;             // 1..8 passes - 1; -2 no limit; -1 no redeal
    std::int32_t StockDealEditable = 0;
    std::int32_t StockDeal = 0;           // cards turned per click, 1 or 3
    std::int32_t TableauEditable = 0;
    std::int32_t TableauRule = 0;         // rule code
    std::int32_t EmptyEditable = 0;
    std::int32_t EmptyTableau = 0;        // 0 nothing, 1 any card or group, 2 the rank next to the base
    std::int32_t GroupEditable = 0;
    std::int32_t GroupMethod = 0;         // method part; 8 single cards only, 9 any face-up group
    std::int32_t FoundationEditable = 0;
    std::int32_t FoundationRule = 0;      // rule code; direction part 128 fixes the direction

    static constexpr int FieldCount = 12;
    std::array<std::int32_t, FieldCount> Fields() const;
    static GameRulesRecord FromFields(const std::array<std::int32_t, FieldCount> &fields);
    bool IsCustomisable() const { return (Flags & 0xFF) != 0; }
    bool RedealsEditable() const { return ((Flags >> 8) & 0xFF) != 0; }
    bool operator==(const GameRulesRecord &) const = default;
};

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

// The built-in game a game id is dealt as: the id itself below 1000, else the custom
// record's base id, or 1 when that record cannot be read.
int BaseGameId(int gameId, const CustomGameSource *customs);

// The default rules of a built-in game; the all-zero record for any other id.
const GameRulesRecord &GameRules(int gameId);
// The rules a game is built with: a custom id's own record (all zero when unreadable),
// else the built-in record.
GameRulesRecord RulesForGame(int gameId, const CustomGameSource *customs);

// True when the id is a built-in game whose rules the player may customise.
bool MayBeCustomised(int gameId);

// The built-in game whose deal a base id runs: Spider for the Spider suit variants (301,
// 302), which have no deal of their own; every other id is its own.
int DealtGameId(int baseGameId);

// True when the game that is dealt for the id (through its base id) offers automatic play.
bool HasAutomaticPlay(int gameId, const CustomGameSource *customs);

// True when the game needs a screen of at least 1024 x 768 pixels.
bool NeedsLargeScreen(int currentGameId, int baseGameId);

// True when this edition has a deal of its own for the base id.
bool HasDeal(int baseGameId);
