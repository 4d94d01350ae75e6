#pragma once

#include <cstdint>

// A game's building rules by name. The codes are those of the rules record and the custom
// variant files: a building rule is a direction part plus a method.

// How cards build on a pile: direction part 0 up, 32 down, 64 up or down, 128 up in a
// direction the rules editor may not change; method 0 in suit, 1 same colour, 2 alternate
// colour, 3 regardless of suit, 4 any suit but the same.
enum class Rule : std::int32_t {
    UpInSuit = 0,
    UpSameColour = 1,
    UpAlternateColour = 2,
    UpAnySuit = 3,
    UpOtherSuit = 4,
    DownInSuit = 32,
    DownSameColour = 33,
    DownAlternateColour = 34,
    DownAnySuit = 35,
    DownOtherSuit = 36,
    UpOrDownInSuit = 64,
    UpOrDownSameColour = 65,
    UpOrDownAlternateColour = 66,
    UpOrDownAnySuit = 67,
    UpOrDownOtherSuit = 68,
    FixedUpInSuit = 128,
    FixedUpSameColour = 129,
    FixedUpAlternateColour = 130,
    FixedUpAnySuit = 131,
    FixedUpOtherSuit = 132,
};

// What may be moved from one tableau pile to another as a unit: a group in sequence by one
// of the building methods (in the tableau's direction), single cards only, or any face-up group.
enum class GroupMove : std::int32_t {
    InSuit = 0,
    SameColour = 1,
    AlternateColour = 2,
    AnySuit = 3,
    OtherSuit = 4,
    SingleCard = 8,
    AnyFaceUpGroup = 9,
};

// What an empty tableau pile takes. KingOnly is the rank before the base in the tableau's
// building direction: a King for a tableau built down on foundations from the Ace.
enum class EmptyTableau : std::int32_t {
    Nothing = 0,
    AnyCard = 1,
    KingOnly = 2,
};

// Redeal settings besides a number of redeals from 1 to 8.
namespace Redeals {
inline constexpr std::int32_t None = -1;
inline constexpr std::int32_t Unlimited = -2;
} // namespace Redeals

struct StockRules {
    std::int32_t redeals = 0;       // 1..8, Redeals::None or Redeals::Unlimited
    std::int32_t cardsPerClick = 0; // 1 or 3 (3 lays out a waste fan); 0 without a stock
    bool operator==(const StockRules &) const = default;
};

struct TableauRules {
    Rule build = Rule::UpInSuit;
    EmptyTableau emptyTakes = EmptyTableau::Nothing;
    GroupMove groupMove = GroupMove::InSuit;
    bool operator==(const TableauRules &) const = default;
};

struct FoundationRules {
    Rule build = Rule::UpInSuit;
    bool operator==(const FoundationRules &) const = default;
};

// The choices "Customize Rules" offers for a game.
struct EditableRules {
    bool redeals = false;
    bool cardsPerClick = false;
    bool tableauBuild = false;
    bool emptyTakes = false;
    bool groupMove = false;
    bool foundationBuild = false;
    bool operator==(const EditableRules &) const = default;
};

// Every choice.
inline constexpr EditableRules EveryRuleEditable = {
    .redeals = true,
    .cardsPerClick = true,
    .tableauBuild = true,
    .emptyTakes = true,
    .groupMove = true,
    .foundationBuild = true,
};
// How the tableau and the foundations build, what fills an empty tableau pile and what
// moves as a group, but nothing of the stock.
inline constexpr EditableRules TableauAndFoundationsEditable = {
    .tableauBuild = true,
    .emptyTakes = true,
    .groupMove = true,
    .foundationBuild = true,
};

// A game's rules. A game that is not customisable builds its piles from its deal alone and
// leaves every field at its default.
struct GameRules {
    bool customisable = false;
    StockRules stock = {};
    TableauRules tableau = {};
    FoundationRules foundations = {};
    EditableRules editable = {};
    bool operator==(const GameRules &) const = default;
};

inline constexpr std::int32_t CodeOf(Rule rule)
{
    return static_cast<std::int32_t>(rule);
}

// The direction part of a rule code: 0, 32, 64 or 128 (any other multiple of 16 for
// codes no rule has).
inline constexpr std::int32_t DirectionPartOf(Rule rule)
{
    return CodeOf(rule) / 16 * 16;
}
