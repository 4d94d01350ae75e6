#include "games/yukon.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/move_acceptance.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

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

} // namespace

void DealYukon(GameTable &table, const GameRules &rules)
{
    TBoardState *board = table.BoardState();
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
        const bool anyGroup = column->GroupRule == Rules::AnyCard;
        HangTableauAcceptance(table, column, anyGroup ? Acceptance::YukonTableau : Acceptance::TableauByParking);
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
