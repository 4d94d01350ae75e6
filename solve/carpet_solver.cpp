#include "engine/card.h"
#include "games/game_table.h"
#include "solve/game_readers.h"
#include "solve/search.h"
#include "solve/solver_card.h"

#include <array>

// Carpet: twenty places that build nothing, whose cards only go home; a gap takes the
// waste's top card; one card turned per click and no redeal. A card that can go home
// always may (nothing builds on the carpet), so only the waste's card makes choices.
namespace {

constexpr int PlaceCount = 20;
constexpr int TalonSize = 52;
constexpr int WastePlace = PlaceCount;

struct CarpetState {
    std::array<SolverCard, PlaceCount> places{};
    std::array<SolverCard, TalonSize> stock{}; // top card last
    std::array<SolverCard, TalonSize> waste{};
    std::uint8_t stockCount = 0;
    std::uint8_t wasteCount = 0;
    std::array<std::uint8_t, 4> home{};
};

enum class Kind : std::uint8_t { Home, ToGap, Click };

struct CarpetMove {
    Kind kind;
    std::uint8_t from; // a place or the waste
    std::uint8_t to;   // a gap
};

SolverCard topOf(const CarpetState &s, int place)
{
    if (place == WastePlace)
        return s.wasteCount ? s.waste[s.wasteCount - 1] : 0;
    return s.places[place];
}

bool goesHome(const CarpetState &s, SolverCard card)
{
    return card && RankOf(card) == s.home[SuitIndexOf(card)] + 1;
}

class CarpetGame {
public:
    using State = CarpetState;
    using Move = CarpetMove;

    bool Won(const State &s) const { return s.home[0] == 13 && s.home[1] == 13 && s.home[2] == 13 && s.home[3] == 13; }

    void Apply(State &s, const Move &m) const
    {
        if (m.kind == Kind::Click) {
            s.waste[s.wasteCount++] = s.stock[--s.stockCount];
            return;
        }
        SolverCard card;
        if (m.from == WastePlace) {
            card = s.waste[--s.wasteCount];
        } else {
            card = s.places[m.from];
            s.places[m.from] = 0;
        }
        if (m.kind == Kind::Home)
            s.home[SuitIndexOf(card)] = std::uint8_t(RankOf(card));
        else
            s.places[m.to] = card;
    }

    void Settle(State &s, std::vector<Move> &applied) const
    {
        for (bool again = true; again;) {
            again = false;
            for (int place = 0; place <= WastePlace; ++place)
                if (goesHome(s, topOf(s, place))) {
                    const Move m{Kind::Home, std::uint8_t(place), 0};
                    Apply(s, m);
                    applied.push_back(m);
                    again = true;
                }
        }
    }

    void Moves(const State &s, std::vector<Move> &out, unsigned variant) const
    {
        int gap = -1;
        for (int place = 0; place < PlaceCount && gap < 0; ++place)
            if (!s.places[place])
                gap = place;
        const bool toGap = gap >= 0 && s.wasteCount > 0;
        const bool click = s.stockCount > 0;
        // Filling a gap first keeps the waste short; a variant tries turning first.
        if (toGap && (variant % 2 == 0 || !click))
            out.push_back({Kind::ToGap, WastePlace, std::uint8_t(gap)});
        if (click)
            out.push_back({Kind::Click, 0, 0});
        if (toGap && variant % 2 == 1 && click)
            out.push_back({Kind::ToGap, WastePlace, std::uint8_t(gap)});
    }

    std::uint64_t Hash(const State &s) const
    {
        std::uint64_t h = MixHash(s.stockCount);
        h ^= PileHash(s.waste.data(), s.wasteCount, 0x100);
        for (SolverCard card : s.places)
            h += MixHash(0x200 + card); // the places are interchangeable
        return h;
    }

    std::vector<std::string> Lines(const State &start, const std::vector<Move> &path) const
    {
        std::vector<std::string> lines;
        State s = start;
        for (const Move &m : path) {
            const std::string from = m.from == WastePlace ? "Waste" : "Tableau" + std::to_string(m.from + 1);
            switch (m.kind) {
            case Kind::Click:
                lines.push_back("click Stock");
                break;
            case Kind::Home:
                lines.push_back(from + " Foundation");
                break;
            case Kind::ToGap:
                lines.push_back(from + " Tableau" + std::to_string(m.to + 1));
                break;
            }
            Apply(s, m);
        }
        return lines;
    }
};

class CarpetPosition : public SolverPosition {
public:
    explicit CarpetPosition(const CarpetState &state) : state(state) {}
    SolveResult Solve(const SolveBudget &budget) const override { return DepthFirstSearch(CarpetGame(), state, budget); }

private:
    CarpetState state;
};

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

std::unique_ptr<SolverPosition> ReadCarpetPosition(const GameTable &table)
{
    CarpetState s;
    int cards = 0;
    for (int place = 0; place < PlaceCount; ++place) {
        const auto pile = PileCards(table.Tableau[place + 1]);
        if (!table.Tableau[place + 1] || pile.size() > 1)
            return nullptr;
        if (!pile.empty() && !(s.places[place] = CardOf(pile.front())))
            return nullptr;
        cards += int(pile.size());
    }
    // One card a click: the game has no fan.
    if (!table.Stock || !table.Waste || table.WasteFan || !readTalon(table.Stock, s.stock, s.stockCount)
        || !readTalon(table.Waste, s.waste, s.wasteCount))
        return nullptr;
    cards += s.stockCount + s.wasteCount;
    for (int f = 1; f <= 4; ++f)
        for (const TCard *card : PileCards(table.Foundations[f])) {
            const SolverCard home = CardOf(card);
            s.home[SuitIndexOf(home)] = std::max<std::uint8_t>(s.home[SuitIndexOf(home)], std::uint8_t(RankOf(home)));
            ++cards;
        }
    return cards == 52 ? std::make_unique<CarpetPosition>(s) : nullptr;
}
