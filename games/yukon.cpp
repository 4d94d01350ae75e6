#include "games/yukon.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/move_acceptance.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

#include <algorithm>
#include <vector>

// Seven columns built down by alternate colour, where any face-up card moves with the
// cards on it; a King fills an empty column; foundations up in suit from the Ace.
constinit const GameDefinition YukonGame = {
    .id = GameIds::Yukon,
    .name = "Yukon",
    .difficulty = Difficulty::Average,
    .automaticPlay = true,
    .tableSize = QSize(559, 365),
    .rules = {
        .customisable = true,
        .stock = {.redeals = Redeals::None, .cardsPerClick = 1},
        .tableau = {
            .build = Rule::DownAlternateColour,
            .emptyTakes = EmptyTableau::KingOnly,
            .groupMove = GroupMove::AnyFaceUpGroup,
        },
        .foundations = {.build = Rule::UpInSuit},
        .editable = TableauAndFoundationsEditable,
    },
    .deal = DealYukon,
    .cycle = YukonCycle,
};

namespace {

constexpr int ColumnTag = 4;
constexpr int FoundationTag = 1;
constexpr int ColumnCount = 7;
constexpr int FoundationCount = 4;
constexpr int PackSize = 52;

void turnUpSource(TDeck *source, TDeck *, TCard *)
{
    if (source && source->TopCard() && !source->TopCard()->Face())
        source->TopCard()->SetFace(true);
}

// The card and the face-up cards below it, from the card downwards.
std::vector<TCard *> faceUpFrom(TCard *card)
{
    std::vector<TCard *> cards;
    for (TCard *walk = card; walk && walk->Face(); walk = walk->Below)
        cards.push_back(walk);
    return cards;
}

// One candidate is taken; several are offered to the player on a click (Cancel: accepted,
// nothing moves) and the first is taken otherwise.
void pick(GameTable &table, const std::vector<TCard *> &candidates, TCard *&card, bool clicked,
          const QString &caption, const QString &label)
{
    if (candidates.size() == 1 || !clicked) {
        card = candidates.front();
        return;
    }
    card = table.CardChoice ? table.CardChoice->ChooseCard(caption, label, candidates) : nullptr;
    // Only one of the cards offered may come back.
    if (card && std::find(candidates.begin(), candidates.end(), card) == candidates.end())
        card = nullptr;
}

} // namespace

void YukonAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    if (!target || !source || target->IsFull())
        return;
    TCard *top = target->TopCard();
    if (!top) {
        const int fill = target->FillEmpty;
        if (fill == 0)
            return;
        if (fill == -1 || fill == -2) {
            action = true;
            return;
        }
        // A card of the rank that already lies at the bottom of its column gains nothing.
        std::vector<TCard *> candidates;
        for (TCard *candidate : faceUpFrom(card))
            if (candidate->Rank() == fill && candidate->Below)
                candidates.push_back(candidate);
        if (candidates.empty())
            return;
        action = true;
        pick(table, candidates, card, clicked, QStringLiteral("Select the King"),
             QStringLiteral("Select the King that should be moved onto empty pile"));
        return;
    }
    if (table.Tag(source) == ColumnTag) {
        std::vector<TCard *> candidates;
        for (TCard *candidate : faceUpFrom(card))
            if (RuleHolds(target->Rule, top, candidate) && !IsWrapAtBase(top, candidate))
                candidates.push_back(candidate);
        if (candidates.empty())
            return;
        action = true;
        pick(table, candidates, card, clicked, QStringLiteral("Select the card"),
             QStringLiteral("Select the card you would like to move"));
        return;
    }
    action = RuleHolds(target->Rule, top, card);
}

void DealYukon(GameTable &table, const GameRules &rules)
{
    TBoard *board = table.Board();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };
    BuildRows(table, rules, {.row = {.left = 5, .top = 5, .step = 78, .count = FoundationCount}}, table.Foundations,
              {.row = {.left = 5, .top = 120, .step = 78, .count = ColumnCount}, .spread = {.vShift = 17}},
              table.Tableau);
    for (int i = 1; i <= FoundationCount; ++i) {
        TDeck *foundation = table.Foundations[i];
        table.SetTag(foundation, FoundationTag);
        foundation->OnAfterMove = turnUpSource;
    }
    for (int i = 1; i <= ColumnCount; ++i) {
        TDeck *column = table.Tableau[i];
        table.SetTag(column, ColumnTag);
        column->SetVBShift(11);
        column->OnAfterMove = turnUpSource;
        if (column->GroupRule == Rules::AnyCard)
            column->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
                YukonAccepts(table, sender, card, action, clicked);
            };
        else
            column->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
                YukonTableauAccepts(table, sender, card, action, clicked);
            };
    }
    board->FitHorz = true;
    board->CenterHorz = true;
    board->FitToWindow();

    TDeck *pack = table.Foundations[1];
    FillPack(table, pack, PackSize);
    for (int i = 1; i <= ColumnCount; ++i)
        for (int j = 1; j <= i; ++j)
            table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), j == i);
    for (int i = 2; i <= ColumnCount; ++i)
        for (int k = 0; k < 4; ++k)
            table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
    board->SetScore(-PackSize);
}

void YukonCycle(GameTable &table)
{
    FoundationCycle(table, {{table.Tableau, ColumnCount}});
}
