// Drag, click and the move search ask the piles the same question. For every dealt game,
// and for custom variants that reach the other forms of the acceptance, random positions
// are played and every (source card, target) pair is asked through each route.
//
// Pairs that legitimately differ, and are left out below:
// - a target without OnAddWithRule takes every click but refuses every drag;
// - a target with MaxCardCount 0 refuses clicks (full) but not the move search;
// - the move search offers nothing from a pile whose click does something of its own (the
//   stock), from a pile that gives no cards (RefuseSelect) or whose OnSelect answers that
//   its cards may not be clicked, and no deeper card from a stacked pile or a face-down one;
// - Spider's drag rules are its own: a drop onto a card moves the card dragged, never a
//   deeper card of its run, and a foundation takes the run dragged by its King.
#include "engine/board.h"
#include "engine/Cardscmp.h"
#include "engine/engine_state.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/move_acceptance.h"
#include "games/move_player.h"
#include "games/table_builders.h"
#include "support/dealt_game_checks.h"
#include "support/table_checks.h"
#include "support/table_fixture.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sstream>

namespace {

struct GameCase {
    const char *name;
    int gameId;
    // A custom variant of the game: the fields changed from its own rules.
    int emptyTableau = -1;
    int groupMethod = -1;
    int stockDeal = -1;
};

// Every question of the card-choice dialog answers with the first card offered.
class FirstCard : public CardChooser {
public:
    TCard *ChooseCard(const QString &, const QString &, const std::vector<TCard *> &candidates) override
    {
        return candidates.empty() ? nullptr : candidates.front();
    }
};

struct Answer {
    bool accepted = false;
    TCard *moved = nullptr;
};

std::string describe(const GameTable &table, const TCard *card, const TDeck *target)
{
    std::ostringstream text;
    text << TableFixture::Code(card) << " of " << SlotName(table, card->HostDeck()).toStdString() << " onto "
         << SlotName(table, target).toStdString();
    return text.str();
}

class RouteAgreement : public ::testing::TestWithParam<GameCase>, public TableFixture {
protected:
    RouteAgreement()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
        engineState().Options.CardMovement = DragAndClick;
        table.ColumnChooser = &chooser;
        table.CardChoice = &firstCard;
        table.Customs = &customs;
    }

    int gameId()
    {
        const GameCase &game = GetParam();
        if (game.emptyTableau < 0 && game.groupMethod < 0 && game.stockDeal < 0)
            return game.gameId;
        GameRulesRecord rules = DefaultRulesRecord(game.gameId);
        if (game.emptyTableau >= 0)
            rules.EmptyTableau = game.emptyTableau;
        if (game.groupMethod >= 0)
            rules.GroupMethod = game.groupMethod;
        if (game.stockDeal >= 0)
            rules.StockDeal = game.stockDeal;
        customs.games.clear();
        return customs.Add(rules, game.gameId);
    }

    bool spider() const { return table.BaseGameId == GameIds::Spider; }

    std::vector<TDeck *> piles() const
    {
        std::vector<TDeck *> result;
        for (const auto &pile : board.Decks())
            if (pile->Visible() && pile->Enabled)
                result.push_back(pile.get());
        return result;
    }

    // The second click of point-and-click asks the target about the source's top card.
    Answer click(TCard *card, TDeck *target)
    {
        Answer answer;
        if (target->IsFull())
            return answer;
        answer.moved = card;
        answer.accepted = true;
        if (target->OnAddWithRule)
            target->OnAddWithRule(target, answer.moved, answer.accepted, false);
        return answer;
    }

    Answer drag(TCard *card, TDeck *target)
    {
        Answer answer;
        answer.accepted = board.AcceptsDrop(card, target);
        answer.moved = answer.accepted ? board.DroppedCard(card, target) : nullptr;
        return answer;
    }

    // Whether the move search may offer a move of `moved` out of the source at all.
    static bool searchOffers(TDeck *source, TDeck *target, const TCard *moved)
    {
        if (source->SelectIsRefused() || !target->OnAddWithRule || target->MaxCardCount == 0)
            return false;
        if (source->ShowEmpty() != StockNoRedeal && source->ShowEmpty() != StockRedeal && source->OnSelect
            && source->AskSelect().ActionOnClick)
            return false;
        if (source->OnSelect) {
            const TDeck::SelectAnswer select = source->AskSelect();
            if (!select.Action || !select.Clickable)
                return false;
        }
        return moved == source->TopCard() || (moved->Face() && source->IsSpread());
    }

    // Asks every route about every pair of the position.
    void comparePosition()
    {
        CandidateList hints;
        board.SearchHintMoves(hints);
        std::set<std::pair<TDeck *, TCard *>> offered;
        for (int i = 1; i <= hints.Count; ++i)
            offered.insert({hints.Entries[std::size_t(i)].Deck, hints.Entries[std::size_t(i)].Card});

        // What the search offers, the target takes as it is, and a drag of it lands the same.
        for (const auto &[dest, moved] : offered) {
            const Answer asked = click(moved, dest);
            EXPECT_TRUE(asked.accepted && asked.moved == moved) << "hint " << describe(table, moved, dest);
            if (!spider() && board.DragPermitted(moved)) {
                const Answer dropped = drag(moved, dest);
                EXPECT_TRUE(dropped.accepted && dropped.moved == moved)
                    << "hint dragged " << describe(table, moved, dest);
            }
        }

        for (TDeck *source : piles()) {
            TCard *top = source->TopCard();
            if (!top)
                continue;
            for (TDeck *target : piles()) {
                if (target == source || !target->OnAddWithRule)
                    continue;
                const Answer clicked = click(top, target);
                if (clicked.accepted && clicked.moved && searchOffers(source, target, clicked.moved)) {
                    EXPECT_TRUE(offered.count({target, clicked.moved}))
                        << "not offered " << describe(table, top, target);
                }
                if (spider())
                    continue;
                for (TCard *card = top; card && board.DragPermitted(card); card = card->Below) {
                    const Answer dropped = drag(card, target);
                    if (card == top) {
                        EXPECT_EQ(dropped.accepted, clicked.accepted) << "drag " << describe(table, card, target);
                        if (dropped.accepted) {
                            EXPECT_EQ(dropped.moved, clicked.moved) << "drag " << describe(table, card, target);
                        }
                    } else if (dropped.accepted) {
                        // A deeper card dragged moves what the target's answer for it moves.
                        const Answer asked = click(card, target);
                        EXPECT_TRUE(asked.accepted && asked.moved == dropped.moved)
                            << "deeper drag " << describe(table, card, target);
                    }
                }
            }
        }
    }

    // A clicked move and a drop of the same top card leave the same table.
    void compareCarriedMoves(std::mt19937 &random)
    {
        std::vector<std::pair<TDeck *, TDeck *>> pairs;
        for (TDeck *source : piles())
            for (TDeck *target : piles())
                if (source != target && source->TopCard() && board.DragPermitted(source->TopCard())
                    && drag(source->TopCard(), target).accepted)
                    pairs.push_back({source, target});
        if (pairs.empty() || spider())
            return;
        const auto [source, target] = pairs[random() % pairs.size()];
        const std::string what = describe(table, source->TopCard(), target);
        const CardLocationTable before = board.Locations;

        board.SelectedDeck = source;
        source->TopCard()->SetSelected(true);
        TCard *top = source->TopCard();
        target->Click();
        const CardLocationTable clicked = board.Locations;
        ASSERT_FALSE(clicked == before) << "click moved nothing " << what;
        board.Undo();
        if (!(board.Locations == before)) {
            // The card had moved just before: one undo took both moves back.
            board.Redo();
            ASSERT_TRUE(board.Locations == clicked) << "redo of click " << what;
            return;
        }
        board.DropWithoutFlight(top, target);
        EXPECT_TRUE(board.Locations == clicked) << "click and drop differ " << what;
    }

    // One random step: a move the search offers, made by a click or a drag, a stock click, undo or the cycle.
    void step(std::mt19937 &random, MovePlayer &player)
    {
        const unsigned roll = random() % 10;
        if (roll < 6) {
            CandidateList hints;
            board.SearchHintMoves(hints);
            if (hints.Count > 0) {
                const auto &entry = hints.Entries[std::size_t(random() % unsigned(hints.Count)) + 1];
                if (roll < 3 && entry.Card == entry.Card->HostDeck()->TopCard()) {
                    board.SelectedDeck = entry.Card->HostDeck();
                    entry.Card->SetSelected(true);
                    entry.Deck->Click();
                    board.SelectedDeck = nullptr;
                } else {
                    player.Drag(entry.Card, entry.Deck);
                }
                return;
            }
        }
        if (roll < 8 && table.Stock) {
            player.Run(QStringLiteral("click Stock"));
        } else if (roll < 9) {
            board.Undo();
        } else {
            player.RunCycle();
        }
    }

    FakeCustomGames customs;
    FixedChooser chooser{EmptyColumnChooser::MoveSingleCard};
    FirstCard firstCard;
};

TEST_P(RouteAgreement, DragClickAndMoveSearchGiveOneAnswer)
{
    const int id = gameId();
    std::mt19937 random{quint32(id)};
    engineState().SearchRandom.seed(quint32(id));
    for (quint32 number : {7u, 1234u, 99999u, 31337u, 4000000000u}) {
        SCOPED_TRACE(number);
        ClearTable(table);
        DealForPrinting(table, id, number);
        board.ClearJournal();
        MovePlayer player(table);
        player.RunCycle();
        for (int move = 0; move < 80; ++move) {
            SCOPED_TRACE(move);
            comparePosition();
            ASSERT_NO_FATAL_FAILURE(compareCarriedMoves(random));
            if (HasFailure())
                return;
            step(random, player);
            player.RunCycle();
            ASSERT_TRUE(LocationsAgree(table));
        }
    }
}

// Where any face-up card may lead a group, the search offers each card that the target takes
// as it is, and not the cards between them, for which the target would move another card.
TEST(RouteAgreementSearch, OffersEveryCardThatFitsAndNoCardBetween)
{
    TableFixture fixture;
    GameTable &table = fixture.table;
    table.CurrentGameId = table.BaseGameId = GameIds::Yukon;
    BuildRows(table, table.Rules(), {.row = {.left = 5, .top = 5, .step = 78, .count = 4}}, table.Foundations,
              {.row = {.left = 5, .top = 120, .step = 78, .count = 7}, .spread = {.vShift = 17}}, table.Tableau);
    for (int i = 1; i <= 7; ++i) {
        table.SetTag(table.Tableau[i], 4);
        HangTableauAcceptance(table, table.Tableau[i], Acceptance::YukonTableau);
    }
    TDeck *source = table.Tableau[1];
    TDeck *target = table.Tableau[2];
    fixture.Put(source, "ks 6D 3C 6H 2S");
    fixture.Put(target, "7S");

    CandidateList hints;
    fixture.board.SearchHintMoves(hints);
    std::set<std::string> offered;
    for (int i = 1; i <= hints.Count; ++i)
        if (hints.Entries[std::size_t(i)].Deck == target)
            offered.insert(TableFixture::Code(hints.Entries[std::size_t(i)].Card));
    EXPECT_EQ(offered, (std::set<std::string>{"6H", "6D"}));
}

const GameCase games[] = {
    {"Klondike", GameIds::Klondike},
    {"KlondikeOneCard", GameIds::Klondike, -1, -1, 1},
    {"KlondikeAnyGroup", GameIds::Klondike, 1, 9},
    {"KlondikeThroughSpares", GameIds::Klondike, 1, 8},
    {"FreeCell", GameIds::FreeCell},
    {"FreeCellKingsFill", GameIds::FreeCell, 2},
    {"Yukon", GameIds::Yukon},
    {"YukonByParking", GameIds::Yukon, 1, 8},
    {"YukonInSequence", GameIds::Yukon, 1, 2},
    {"Spider", GameIds::Spider},
    {"MonteCarlo", GameIds::MonteCarlo},
    {"Bisley", GameIds::Bisley},
    {"FlowerGarden", GameIds::FlowerGarden},
    {"Bouquet", GameIds::Bouquet},
    {"Carpet", GameIds::Carpet},
    {"Nestor", GameIds::Nestor},
};

INSTANTIATE_TEST_SUITE_P(EveryGame, RouteAgreement, ::testing::ValuesIn(games),
                         [](const ::testing::TestParamInfo<GameCase> &info) { return std::string(info.param.name); });

} // namespace
