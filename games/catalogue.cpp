#include "games/catalogue.h"

#include "games/game_definitions.h"

#include <algorithm>

namespace {

// The names of the games without a deal; a dealt game is named by its definition.
const char *const gameNames[BuiltInGameCount] = {
    "Windmill",
    "Topsy-Turvy Queens",
    "King's Secrets",
    "Canfield",
    "In a Frame",
    "Obstacle Race",
    "King Albert",
    "Troika",
    "Sir Tommy",
    "Lady Betty",
    nullptr, // 10: dealt, named by its definition
    "One Pack",
    "Turncoats",
    "Pharaoh",
    nullptr, // 14: dealt, named by its definition
    "Diplomat",
    "Twelve Sleeping Maids",
    nullptr, // 17: dealt, named by its definition
    "Short Solitaire",
    "Steeplechase",
    "Elma",
    "Egyptian Pyramid",
    "Simple",
    "Carlton",
    "Shamrocks",
    "Napoleon Leaves Moscow",
    "Napoleon Takes Moscow",
    "Forty Thieves",
    "Castle",
    "Triple Union",
    "Three Fir-trees",
    "Binding",
    nullptr, // 32: dealt, named by its definition
    "Stacks",
    "Sultan",
    "Four Packs",
    "Josephine",
    "Martha",
    "Emperor",
    "Number Ten",
    "Indian",
    "Banner",
    "Masquerade",
    "Rectangle",
    "Desire",
    "Doubt",
    "Eight Sphinxes",
    "Braid",
    "Stairs",
    "Difficult Sequence",
    "Peppy",
    "New Manner",
    "Barricade",
    "Alternative",
    "Beautiful Lutecia",
    "Martha +",
    "Vassal",
    "Lucas",
    "Streets",
    "Brigade",
    "Cornfield",
    "Eight Off",
    "Voracious",
    "Accordion",
    "Alternations",
    "Aces Up",
    "Twelve Sleeping Maids II",
    "Pyramid",
    "Six By Six",
    "Thirteens",
    "Doublets",
    nullptr, // 71: dealt, named by its definition
    "Pairs",
    "Even and Odd",
    "Boulevard",
    "Confusion",
    "Napoleon's Square",
    "Corona",
    "Quadrangle",
    "Courtyard",
    "Grandfather",
    "Twenty",
    "Colorado",
    "Vertical",
    "Royal Family",
    "Divorce",
    "Strip",
    "Deck",
    "Caprice",
    "Complicated",
    "Chameleon",
    "Storehouse",
    "Old Friend",
    "Impatience",
    "Fourteens",
    "Ants",
    "Four Leaf Clovers",
    "Baker's Dozen",
    "Russian Solitaire",
    "Maria",
    "Raglan",
    "Overage",
    "King Solomon's Cave",
    "Kosynka",
    "Kosynka II",
    "Scarf",
    "White Scarf",
    "Scarf II",
    nullptr, // 108: dealt, named by its definition
    "Klondike II",
    "Intrigue",
    "Cruel",
    "Agnes",
    "Somerset",
    "Steps",
    "Blockade",
    "Giant",
    "Thumb and Pouch",
    "Constitution",
    "Eight Sages",
    "Star",
    "Masterpiece",
    "Stay-at-home",
    "Beleaguered Castle",
    "Favorite",
    "Beleaguered Castle II",
    "Fortress",
    "Citadel",
    "Streets and Alleys",
    "Chessboard",
    "Granny's Patience",
    "Guard of Honour",
    "Terrace",
    "Blondes and Brunettes",
    "Vague",
    "Good Measure",
    "Spanish Patience",
    "Castles in Spain",
    "Canister",
    "Scotch Patience",
    "Trefoil",
    "Stalactites",
    "Toad",
    "Depot",
    "Double Toad",
    "Baker's Game",
    "Avenue",
    "Rainbow",
    "Polish Patience",
    "Bureau",
    "Fortune's Favor",
    "Yeast Dough",
    "Locked Cards",
    "Swedish Patience",
    "Batsford",
    "Blind Alleys",
    "Whitehead",
    "Guards Collar",
    "Congress",
    "Sheaf",
    "Calculation",
    "Pythagor",
    "Four Kings",
    "Picture Gallery",
    "Picture Gallery II",
    "Hayfield",
    "EastHaven",
    "Limited",
    "Robert",
    "Westcliff",
    "Zigzag Course",
    "Cotillion",
    "Shifting Depots",
    "Ingenuous",
    "Dutchess",
    "Tournament",
    "Five Piles",
    "Simple Addition",
    "Royal Marriage",
    "Snowball",
    "Scorpion",
    nullptr, // 181: dealt, named by its definition
    "Spiderette",
    "Fan",
    "Inside Out",
    "Take Fourteen",
    nullptr, // 186: dealt, named by its definition
    "Double Klondike",
    "Phalanx",
    "Mount Olympus",
    "Travellers",
    "Kimberly",
    "Triangle",
    "Concentration",
    "Osmosis",
    "Peek",
    "Four Seasons",
    "Simplicity",
    "Little Windmill",
    "Florentine",
    "Floradora",
    "Forty and Eight",
    "Famous Fifty",
    "Club",
    "Red and Black",
    "Alhambra",
    "Peacock Tail",
    "British Square",
    "Square",
    "Deuces",
    "Royal Rendezvous",
    "Precedence",
    "Seven Devils",
    "Captive Queens",
    "Patriarchs",
    "Intelligence",
    "Royal Cotillion",
    "The Plot",
    "Block Ten",
    "Kingdom",
    "Horizon",
    nullptr, // 221: dealt, named by its definition
    "Wasp",
    "Open Spider",
    "Black Widow",
    "Open Scorpion",
    "Simple Simon",
    "German Patience",
    "Imperial Guards",
    "Giant II",
    "Double Canfield",
    "Marriages",
    "Devil's Bridge",
    "Midshipman",
    "Trusty Twelve",
    "Knotty Nines",
    "Big Forty",
    "Ali Baba",
    "Shady Lanes",
    "Twilight Zone",
    "Simple Pairs",
    "Dealer's Dozen",
    "Squared Away",
    "Thirty-Nine Steps",
    "Dutch Windmill",
    "Lucky Thirteen",
    "Little Spider",
    "Prisoner",
    "Criss-Cross",
    "Strategy",
    "Will o' the Wisp",
    "Tower of Pisa",
    "Perpetual Motion",
    "American Toad",
    "Superior Canfield",
    "Superior Canfield II",
    "Selective Canfield",
    "Solitaire Piquet",
    "Amazons",
    "Swiss",
    "Jamestown",
    "St. Helena",
    "Ninny",
    "The Wish",
    "Four Ways",
    "Gaps",
    "Gallery",
    "Long Trip",
    "Poker Solitaire",
    "Sixes and Sevens",
    "Saratoga",
    "Total Pair",
    "House in the Wood",
    "House on the Hill",
    "Single Rail",
    "Double Rail",
    "Pyramid Golf",
    "Double Fourteens",
    "Twenty Four Fans",
    "Buffalo Bill",
    "Persian Patience",
    "Reverse Order",
    "Super Flower Garden",
    "Falling Star",
    "Queen of Italy",
    "Harp",
    "Arizona",
    "Barrier",
    "Golf",
    "Journey",
    "Obstacle Race II",
    "Busy Aces",
    "Mrs Mop",
    "Crescent",
    "Seven in a Row",
    "Swallows",
    "Malaren",
    "Milligan Harp",
    "Downhill",
    "Victoria",
    "Bob's Scorpion",
    nullptr, // 301: dealt, named by its definition
    nullptr, // 302: dealt, named by its definition
    "Boomerang",
    "Solid Square",
    "Two Rings",
    "Colonel",
    "Open Crescent",
    "Box Kite",
    nullptr, // 309: dealt, named by its definition
    "Friday the Thirteenth",
    "Perseverance",
    "Fifteen in a Row",
    "Snake",
    "Kingsley",
    "Kingsley II",
    "Kings and Aces",
    "Forest Glade",
    "Napoleon the Great",
    "Giza",
    "Blind Patience",
    "Dress Parade",
    "Black Hole",
    "Bristol",
    "Chequers",
    "Cicely",
    "Cone",
    "Curds and Whey",
    "Demon Fan",
    "Dieppe",
    "Exit",
    "The Reserves",
    "Fly",
    "Pas Seul",
    "Fort",
    "Variegated Canfield",
    "Grandmother",
    "Backbone",
    "Spaces and Aces",
    "Mathematics",
    "Khedive",
    "King's Way",
    "Little Billee",
    "Maze",
    "Nationale",
    "New York",
    "Turkish Kerchief",
    "Penguin",
    "Picture Patience",
    "Puss in the Corner",
    "Q.C.",
    "Thirty-six",
    "Queens and Jacks",
    "'S'",
    "Senate",
    "Shifting",
    "The Spark",
    "Squadron",
    "Sudden Death",
    "Tam O'Shanter",
    "Seahaven Towers",
    "Big Freecell",
    "Baker's Game Two Decks",
    "Casket",
    "Algerian",
    "Prison",
    "Jubilee",
    "Louis",
    "Louisa",
    "Octave",
    "Lady Palk",
    "San Jose Hill",
    "Salic Law",
    "Faerie Queen",
    "Matrimony",
    "Glencoe",
    "Laggard Lady",
    "Kingsdown Eights",
    "Kaiser Bill",
    "Rittenhouse",
    "Empire",
    "Miss Milligan",
    "Adela",
    "Herring-Bone",
    "Triple Line",
    "Striptease",
    "Colours",
    "Czarina",
    "Display",
    "Heap",
    "Spoilt",
    "K.C.",
    "Heads and Tails",
    "Above and Below",
    "Cat's Tail",
    "Reversi",
    "Napoleon",
    "Three Blind Mice",
    "Push-Pin",
    "Exiled Kings",
    "Penelope's Web",
    "Double Scorpion",
    "Last Chance",
    "Double or Quits",
    "Light and Shade",
    "Little Picture Gallery",
    "Double Topsy-Turvy Queens",
    "Junction",
    "Parallels",
    "Fourfold Klondike",
};

constexpr int largeScreenBaseGames[] = {265, 266, 272, 273, 278, 279, 292, 295, 306, 342, 378};
constexpr int largeScreenCurrentGames[] = {310, 317, 318, 324, 327, 338};

template <std::size_t N>
bool contains(const int (&ids)[N], int id)
{
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

std::optional<CustomGameInfo> customGame(int gameId, const CustomGameSource *customs)
{
    if (!IsCustomGameId(gameId) || !customs)
        return std::nullopt;
    return customs->CustomGame(CustomGameIndex(gameId));
}

// The definition of a built-in id (nullptr for every other id).
const GameDefinition *definitionOf(int gameId)
{
    return IsBuiltInGameId(gameId) ? FindGameDefinition(gameId) : nullptr;
}

} // namespace

QString GameName(int gameId)
{
    if (const GameDefinition *game = definitionOf(gameId))
        return QString::fromLatin1(game->name);
    return IsBuiltInGameId(gameId) ? QString::fromLatin1(gameNames[gameId]) : QString();
}

QString GameName(int gameId, const CustomGameSource *customs)
{
    if (IsBuiltInGameId(gameId))
        return GameName(gameId);
    const std::optional<CustomGameInfo> custom = customGame(gameId, customs);
    return custom ? custom->Name : QString();
}

bool IsKnownGameId(int gameId, const CustomGameSource *customs)
{
    return IsBuiltInGameId(gameId) || customGame(gameId, customs).has_value();
}

int BaseGameId(int gameId, const CustomGameSource *customs)
{
    if (!IsCustomGameId(gameId))
        return gameId;
    const std::optional<CustomGameInfo> custom = customGame(gameId, customs);
    return custom ? custom->BaseGameId : 1;
}

GameRulesRecord DefaultRulesRecord(int gameId)
{
    const GameDefinition *game = definitionOf(gameId);
    return game ? RecordFromRules(game->rules) : GameRulesRecord{};
}

GameRules RulesForGame(int gameId, const CustomGameSource *customs)
{
    if (!IsCustomGameId(gameId)) {
        const GameDefinition *game = definitionOf(gameId);
        return game ? game->rules : GameRules{};
    }
    const std::optional<CustomGameInfo> custom = customGame(gameId, customs);
    return RulesFromRecord(custom ? custom->Rules : GameRulesRecord{});
}

bool MayBeCustomised(int gameId)
{
    const GameDefinition *game = definitionOf(gameId);
    return game && game->rules.customisable;
}

bool HasAutomaticPlay(int gameId, const CustomGameSource *customs)
{
    const GameDefinition *game = definitionOf(BaseGameId(gameId, customs));
    return game && game->automaticPlay;
}

bool NeedsLargeScreen(int currentGameId, int baseGameId)
{
    return contains(largeScreenBaseGames, baseGameId) || contains(largeScreenCurrentGames, currentGameId);
}

bool HasDeal(int baseGameId)
{
    return definitionOf(baseGameId) != nullptr;
}
