#include "solve/game_readers.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "games/game_table.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <algorithm>
#include <array>

namespace {

constexpr int ColumnCount = 7;
constexpr int ColumnDepth = 52; // Yukon moves any group: a column may hold any cards
constexpr int TalonSize = 24;
constexpr int WastePlace = 7;
constexpr int Home = 8;

struct KlondikeState {
    std::array<std::array<SolverCard, ColumnDepth>, ColumnCount> columns{};
    std::array<std::uint8_t, ColumnCount> length{};
    std::array<std::uint8_t, ColumnCount> faceDown{}; // the lowest cards of the column lie face down
    std::array<SolverCard, TalonSize> stock{};        // top card last
    std::array<SolverCard, TalonSize> waste{};        // top card last; the fan's cards on top
    std::uint8_t stockCount = 0;
    std::uint8_t wasteCount = 0;
    std::uint8_t fanCount = 0; // how many of the waste's top cards lie in the fan (names only)
    std::uint8_t redealsLeft = 0;
    std::array<std::uint8_t, 4> home{};
};

enum class Kind : std::uint8_t { ToHome, ToColumn };

// From: a column 0..6 or the waste (7); to: a column or the foundations (8). A card from
// the waste is played after `clicks` clicks on the stock (deals, or a redeal when the stock
// is empty), so that the stock's turning never makes a position of its own.
struct KlondikeMove {
    Kind kind;
    std::uint8_t from;
    std::uint8_t to;
    std::uint8_t count;
    std::uint8_t clicks = 0;
};

// Most clicks ahead that the moves look through the stock: three passes of eight deals.
constexpr int ClickHorizon = 3 * 9;

// One click on the stock; false when it would change nothing.
bool clickStock(KlondikeState &s)
{
    if (s.stockCount > 0) {
        s.fanCount = 0;
        while (s.fanCount < 3 && s.stockCount > 0) {
            s.waste[s.wasteCount++] = s.stock[--s.stockCount];
            ++s.fanCount;
        }
        return true;
    }
    if (s.wasteCount == 0 || s.redealsLeft == 0)
        return false;
    while (s.wasteCount > 0)
        s.stock[s.stockCount++] = s.waste[--s.wasteCount];
    s.fanCount = 0;
    --s.redealsLeft;
    return true;
}

SolverCard topOf(const KlondikeState &s, int place)
{
    if (place == WastePlace)
        return s.wasteCount ? s.waste[s.wasteCount - 1] : 0;
    return s.length[place] ? s.columns[place][s.length[place] - 1] : 0;
}

bool goesHome(const KlondikeState &s, SolverCard card)
{
    return card && RankOf(card) == s.home[SuitIndexOf(card)] + 1;
}

// A card bound for its foundation that no card could still need to lie on. Where only
// runs in sequence move, that holds too when each card of the other colour one rank lower
// is home or goes home as soon as it is on top, and so does every card of this colour two
// ranks lower that could lie on one of those: any run such a card carries can go home
// instead. Yukon's groups may carry any cards, so there only the first test holds.
bool safeHome(const KlondikeState &s, SolverCard card, bool anyGroup)
{
    const int rank = RankOf(card);
    if (SafeHomeAlternate(s.home.data(), card))
        return true;
    if (anyGroup)
        return false;
    const int partner = s.home[3 - SuitIndexOf(card)]; // the other suit of the same colour
    return rank <= LowestOtherColourHome(s.home.data(), card) + 2 && rank <= partner + 3;
}

// Klondike, and Yukon: the same columns without the stock, where any face-up card moves
// with the cards on it when it fits.
class KlondikeGame {
public:
    explicit KlondikeGame(bool anyGroup) : anyGroup(anyGroup) {}

    using State = KlondikeState;
    using Move = KlondikeMove;

    bool Won(const State &s) const { return s.home[0] == 13 && s.home[1] == 13 && s.home[2] == 13 && s.home[3] == 13; }

    void Apply(State &s, const Move &m) const
    {
        for (int click = 0; click < m.clicks; ++click)
            clickStock(s);
        SolverCard moved[ColumnDepth] = {};
        int count = m.count;
        if (m.from == WastePlace) {
            moved[0] = s.waste[--s.wasteCount];
            if (s.fanCount > 0)
                --s.fanCount;
            count = 1;
        } else {
            auto &column = s.columns[m.from];
            s.length[m.from] = std::uint8_t(s.length[m.from] - count);
            std::copy_n(column.begin() + s.length[m.from], count, moved);
            // The card left on top turns face up.
            if (s.faceDown[m.from] >= s.length[m.from] && s.faceDown[m.from] > 0)
                s.faceDown[m.from] = std::uint8_t(s.length[m.from] > 0 ? s.length[m.from] - 1 : 0);
        }
        if (m.kind == Kind::ToHome) {
            s.home[SuitIndexOf(moved[0])] = std::uint8_t(RankOf(moved[0]));
        } else {
            std::copy_n(moved, count, s.columns[m.to].begin() + s.length[m.to]);
            s.length[m.to] = std::uint8_t(s.length[m.to] + count);
        }
    }

    void Settle(State &s, std::vector<Move> &applied) const
    {
        for (bool again = true; again;) {
            again = false;
            for (int place = 0; place <= WastePlace; ++place) {
                const SolverCard card = topOf(s, place);
                if (goesHome(s, card) && safeHome(s, card, anyGroup)) {
                    const Move m{Kind::ToHome, std::uint8_t(place), Home, 1};
                    Apply(s, m);
                    applied.push_back(m);
                    again = true;
                }
            }
        }
    }

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        if (blocked(s))
            return;
        struct Scored {
            Move move;
            int score;
        };
        Scored list[MoveListSize];
        int n = 0;
        const auto add = [&](Kind kind, int from, int to, int count, int score, int clicks = 0) {
            if (n < MoveListSize)
                list[n++] = {{kind, std::uint8_t(from), std::uint8_t(to), std::uint8_t(count), std::uint8_t(clicks)},
                             score};
        };
        int firstEmpty = -1;
        for (int c = 0; c < ColumnCount; ++c)
            if (!s.length[c] && firstEmpty < 0)
                firstEmpty = c;

        for (int place = 0; place < WastePlace; ++place)
            if (goesHome(s, topOf(s, place)))
                add(Kind::ToHome, place, Home, 1, 1000);

        // Every card the stock's turning brings to the top of the waste, and where it goes.
        // A card met again in a later pass leaves the same position with fewer redeals,
        // which can do nothing the first could not: only its first showing counts.
        // The talon in dealing order: the waste bottom up, then the stock top down; the
        // waste's top card is the one before `at`.
        SolverCard order[TalonSize];
        int talonCount = 0;
        for (int i = 0; i < s.wasteCount; ++i)
            order[talonCount++] = s.waste[i];
        for (int i = s.stockCount - 1; i >= 0; --i)
            order[talonCount++] = s.stock[i];
        std::uint64_t shown = 0;
        for (int clicks = 0, at = s.wasteCount, redeals = 0; clicks <= ClickHorizon; ++clicks) {
            if (const SolverCard card = at > 0 ? order[at - 1] : 0; card && !(shown >> card & 1)) {
                shown |= std::uint64_t(1) << card;
                const int cost = 4 * clicks + 150 * redeals;
                if (goesHome(s, card))
                    add(Kind::ToHome, WastePlace, Home, 1, 900 - cost, clicks);
                for (int to = 0; to < ColumnCount; ++to) {
                    const SolverCard top = topOf(s, to);
                    if (top ? FitsDownAlternate(top, card) : (RankOf(card) == 13 && to == firstEmpty))
                        add(Kind::ToColumn, WastePlace, to, 1, 600 - cost, clicks);
                }
            }
            // The click: three cards more, or the redeal when the stock is out.
            if (at < talonCount) {
                at = std::min(at + 3, talonCount);
            } else {
                if (talonCount == 0 || redeals == s.redealsLeft)
                    break;
                at = 0;
                ++redeals;
            }
        }

        // Klondike asks these of many moves: found once.
        const std::uint64_t inSight = anyGroup ? 0 : faceUpCards(s);
        const bool kingComes = !anyGroup && kingWaiting(s);
        for (int from = 0; from < ColumnCount; ++from) {
            const int length = s.length[from];
            const int down = s.faceDown[from];
            for (int to = 0; to < ColumnCount; ++to) {
                if (to == from)
                    continue;
                const SolverCard top = topOf(s, to);
                if (!top && to != firstEmpty)
                    continue;
                for (int i = down; i < length; ++i) {
                    const SolverCard card = s.columns[from][i];
                    if (top ? !FitsDownAlternate(top, card) : (RankOf(card) != 13 || i == 0))
                        continue;
                    int score;
                    if (i == down && down > 0)
                        score = 800 + down; // turns a card up
                    else if (i == 0)
                        score = 300; // empties the column
                    else
                        score = 50; // uncovers a face-up card
                    // In Klondike the rest can wait until it serves: an emptied column until
                    // a King may fill it, an uncovered card until it goes home or the other
                    // card that fits on it can come.
                    if (!anyGroup && i == 0 && !kingComes)
                        continue;
                    if (!anyGroup && i > down && !goesHome(s, s.columns[from][i - 1])
                        && !(inSight >> twinOf(card) & 1))
                        continue;
                    if (!top)
                        score -= 100;
                    add(Kind::ToColumn, from, to, length - i, score);
                    if (!anyGroup)
                        break; // a run has one card that fits
                    if (n > MoveListSize - 8)
                        break;
                }
            }
        }
        if (variant > 0)
            for (int i = 0; i < n; ++i)
                list[i].score += int(MixHash(variant * 977u + unsigned(i) * 131u + s.length[0]) % NoiseRange);
        std::stable_sort(list, list + n, [](const Scored &a, const Scored &b) { return a.score > b.score; });
        for (int i = 0; i < n; ++i)
            out.push_back(list[i].move);
    }

    // A card that can never leave its column: only face-down cards lie beneath it, so it
    // leaves only on its own, but a lower card of its suit is among them, so it cannot go
    // home first, and each card it could be laid on is home or beneath it too. No position
    // after this one is won.
    static bool blocked(const State &s)
    {
        for (int c = 0; c < ColumnCount; ++c) {
            std::uint64_t beneath = 0; // the column's cards below the one looked at
            for (int i = 0; i < s.length[c] && i <= s.faceDown[c]; ++i) {
                const SolverCard card = s.columns[c][i];
                const int rank = RankOf(card);
                if (rank < 13 && (beneath & lowerOfSuit(card))) {
                    bool stays = true;
                    for (const int parentSuit : {IsRed(card) ? 0 : 1, IsRed(card) ? 3 : 2})
                        if (s.home[parentSuit] <= rank && !(beneath >> MakeCard(parentSuit, rank + 1) & 1))
                            stays = false;
                    if (stays)
                        return true;
                }
                beneath |= std::uint64_t(1) << card;
            }
        }
        return false;
    }

    // The cards of card's suit below its rank, as a mask of card bytes.
    static std::uint64_t lowerOfSuit(SolverCard card)
    {
        return ((std::uint64_t(1) << RankOf(card)) - 2) << (SuitIndexOf(card) << 4);
    }

    // A King that could fill an empty column: face up above other cards, or in the stock or
    // waste.
    static bool kingWaiting(const State &s)
    {
        for (int c = 0; c < ColumnCount; ++c)
            for (int i = std::max<int>(s.faceDown[c], 1); i < s.length[c]; ++i)
                if (RankOf(s.columns[c][i]) == 13)
                    return true;
        for (int i = 0; i < s.stockCount; ++i)
            if (RankOf(s.stock[i]) == 13)
                return true;
        for (int i = 0; i < s.wasteCount; ++i)
            if (RankOf(s.waste[i]) == 13)
                return true;
        return false;
    }

    // The other card of the same rank and colour.
    static SolverCard twinOf(SolverCard card) { return MakeCard(3 - SuitIndexOf(card), RankOf(card)); }

    // The cards face up in the columns or in the stock or waste, as a mask of card bytes.
    static std::uint64_t faceUpCards(const State &s)
    {
        std::uint64_t cards = 0;
        for (int c = 0; c < ColumnCount; ++c)
            for (int i = s.faceDown[c]; i < s.length[c]; ++i)
                cards |= std::uint64_t(1) << s.columns[c][i];
        for (int i = 0; i < s.stockCount; ++i)
            cards |= std::uint64_t(1) << s.stock[i];
        for (int i = 0; i < s.wasteCount; ++i)
            cards |= std::uint64_t(1) << s.waste[i];
        return cards;
    }

    std::uint64_t Hash(const State &s) const
    {
        std::uint64_t h = 0;
        for (int c = 0; c < ColumnCount; ++c)
            h += packedHash(s.columns[c].data(), s.length[c], s.faceDown[c]);
        h ^= packedHash(s.stock.data(), s.stockCount, 0x100);
        h ^= MixHash(packedHash(s.waste.data(), s.wasteCount, 0x200) + s.redealsLeft);
        return h;
    }

    // A pile's hash taking its cards eight at a time (the bytes past its top are not read).
    static std::uint64_t packedHash(const SolverCard *cards, int count, std::uint64_t salt)
    {
        std::uint64_t h = MixHash(salt + std::uint64_t(count));
        for (int i = 0; i < count; i += 8) {
            std::uint64_t word = 0;
            for (int k = std::min(8, count - i) - 1; k >= 0; --k)
                word = word << 8 | cards[i + k];
            h = MixHash(h ^ word);
        }
        return h;
    }

    std::vector<std::string> Lines(const State &start, const std::vector<Move> &path) const
    {
        std::vector<std::string> lines;
        State s = start;
        for (const Move &m : path) {
            for (int click = 0; click < m.clicks; ++click) {
                lines.push_back("click Stock");
                clickStock(s);
            }
            const std::string to = m.kind == Kind::ToHome ? "Foundation" : "Tableau" + std::to_string(m.to + 1);
            if (m.from == WastePlace)
                lines.push_back(std::string(s.fanCount > 0 ? "WasteFan " : "Waste ") + to);
            else
                lines.push_back("Tableau" + std::to_string(m.from + 1) + " " + to + " "
                                + CardToken(s.columns[m.from][s.length[m.from] - m.count]));
            Apply(s, {m.kind, m.from, m.to, m.count, 0});
        }
        return lines;
    }

private:
    static constexpr int NoiseRange = 300;
    static constexpr int MoveListSize = 160;
    bool anyGroup;
};

// Attempts with shuffled orderings and position caps growing by half take up to a third of
// the time, then one search takes what is left.
SolveResult searchWithRestarts(const KlondikeGame &game, const KlondikeState &start, const SolveBudget &budget)
{
    const auto capOf = [](long long attempt) {
        long long cap = 1000;
        for (long long i = 1; i < attempt && cap < (long long)TableEntryLimit; ++i)
            cap += cap / 2;
        return cap;
    };
    return SearchWithRestarts(game, start, budget, capOf, {.positionShare = 3, .timeShare = 3});
}

class KlondikePosition : public SolverPosition {
public:
    KlondikePosition(const KlondikeState &state, bool anyGroup) : state(state), anyGroup(anyGroup) {}
    SolveResult Solve(const SolveBudget &budget) const override
    {
        // Klondike's losses take a whole search to prove, Yukon's wins are mostly found by
        // one of many short ones.
        return anyGroup ? searchWithRestarts(KlondikeGame(anyGroup), state, budget)
                        : DepthFirstSearch(KlondikeGame(anyGroup), state, budget);
    }

private:
    KlondikeState state;
    bool anyGroup;
};

// Appends the pile's cards to the array; false when they do not fit or are no cards.
bool readTalon(const TDeck *pile, std::array<SolverCard, TalonSize> &into, std::uint8_t &count)
{
    for (const TCard *card : PileCards(pile)) {
        if (count >= TalonSize || !(into[count] = CardOf(card)))
            return false;
        ++count;
    }
    return true;
}

} // namespace

namespace {

std::unique_ptr<SolverPosition> readColumnsAndTalon(const GameTable &table, bool yukon)
{
    KlondikeState s;
    int cards = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const TDeck *column = table.Tableau[c + 1];
        const auto pile = PileCards(column);
        if (!column || pile.size() > std::size_t(ColumnDepth))
            return nullptr;
        for (const TCard *card : pile) {
            // Face-down cards lie only beneath the face-up ones; the top card is face up.
            if (!card->Face() && s.faceDown[c] != s.length[c])
                return nullptr;
            if (!card->Face())
                ++s.faceDown[c];
            if (!(s.columns[c][s.length[c]++] = CardOf(card)))
                return nullptr;
        }
        if (s.length[c] > 0 && s.faceDown[c] == s.length[c])
            return nullptr;
        cards += int(pile.size());
    }
    if (!yukon) {
        if (!table.Stock || !table.Waste || !readTalon(table.Stock, s.stock, s.stockCount)
            || !readTalon(table.Waste, s.waste, s.wasteCount))
            return nullptr;
        const std::uint8_t beforeFan = s.wasteCount;
        if (table.WasteFan && !readTalon(table.WasteFan, s.waste, s.wasteCount))
            return nullptr;
        s.fanCount = std::uint8_t(s.wasteCount - beforeFan);
        cards += s.stockCount + s.wasteCount;
        const TBoardState *board = table.BoardState();
        const int left = board->Rotation_Number - board->Rotation_Counter();
        if (board->Rotation_Number < 0 || board->Rotation_Counter() < 0 || left < 0 || left > 9)
            return nullptr;
        s.redealsLeft = std::uint8_t(left);
    }
    for (int f = 1; f <= 4; ++f)
        for (const TCard *card : PileCards(table.Foundations[f])) {
            const SolverCard home = CardOf(card);
            s.home[SuitIndexOf(home)] = std::max<std::uint8_t>(s.home[SuitIndexOf(home)], std::uint8_t(RankOf(home)));
            ++cards;
        }
    return cards == 52 ? std::make_unique<KlondikePosition>(s, yukon) : nullptr;
}

} // namespace

std::unique_ptr<SolverPosition> ReadKlondikePosition(const GameTable &table)
{
    return readColumnsAndTalon(table, false);
}

std::unique_ptr<SolverPosition> ReadYukonPosition(const GameTable &table)
{
    return readColumnsAndTalon(table, true);
}
