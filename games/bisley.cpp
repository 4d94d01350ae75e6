#include "games/bisley.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

// Twelve columns built up or down in suit, where single cards move and an empty column
// takes nothing; Ace foundations up in suit (a direction that cannot be changed) beside
// King foundations down in suit.
constinit const GameDefinition BisleyGame = {
    .id = GameIds::Bisley,
    .name = "Bisley",
    .difficulty = Difficulty::Difficult,
    .automaticPlay = true,
    .tableSize = QSize(670, 446),
    .rules = {
        .customisable = true,
        .stock = {.redeals = Redeals::None, .cardsPerClick = 0},
        .tableau = {
            .build = Rule::UpOrDownInSuit,
            .emptyTakes = EmptyTableau::Nothing,
            .groupMove = GroupMove::SingleCard,
        },
        .foundations = {.build = Rule::FixedUpInSuit},
        .editable = TableauAndFoundationsEditable,
    },
    .deal = DealBisley,
    .cycle = BisleyCycle,
};

namespace {

constexpr int SuitCount = 4;
constexpr int ColumnCount = 12;
constexpr int ColumnTag = 4;
constexpr int FoundationTag = 1;
constexpr int PackSize = 52;
constexpr int King = 13;

// The King foundation (in the Cells slots) beside the Ace foundation that shows the suit.
TDeck *kingFoundationOf(GameTable &table, int suit)
{
    for (int i = 1; i <= SuitCount; ++i)
        if (TDeck *aces = table.Foundations[i]; aces && aces->TopCard() && aces->TopCard()->Suit() == suit)
            return table.Cells[i];
    return nullptr;
}

bool sendKingHome(GameTable &table, TCard *card)
{
    TDeck *home = card && card->Rank() == King ? kingFoundationOf(table, card->Suit()) : nullptr;
    return home && home->MoveCard(card);
}

// The first foundation, Ace row before King row for each suit, whose rule takes the card.
bool sendToEitherFoundation(GameTable &table, TCard *card)
{
    const TDeck *firstAces = table.Foundations[1];
    const TDeck *firstKings = table.Cells[1];
    for (int j = 1; j <= SuitCount; ++j) {
        TDeck *aces = table.Foundations[j];
        if (aces && firstAces && RuleHolds(firstAces->Rule, aces->TopCard(), card))
            return aces->MoveCard(card);
        TDeck *kings = table.Cells[j];
        if (kings && firstKings && RuleHolds(firstKings->Rule, kings->TopCard(), card))
            return kings->MoveCard(card);
    }
    return false;
}

// Where a suit's two foundations meet, the King foundation's cards go onto the Ace
// foundation, its top card first.
void joinMeetingFoundations(GameTable &table)
{
    for (int i = 1; i <= SuitCount; ++i) {
        TDeck *aces = table.Foundations[i];
        TDeck *kings = table.Cells[i];
        if (!aces || !kings || !kings->TopCard() || !RuleHolds(Rules::UpAnySuit, aces->TopCard(), kings->TopCard()))
            continue;
        while (TCard *top = kings->TopCard())
            if (!aces->MoveCard(top))
                break;
    }
}

} // namespace

void DealBisley(GameTable &table, const GameRules &rules)
{
    TBoardState *board = table.BoardState();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };

    TDeck *pack = NewPile(table, 580, 5);
    table.Stock = pack;
    BuildFoundationRow(table, rules.foundations,
                       {.row = {.left = 500, .top = 5, .step = 110, .count = SuitCount, .vertical = true}},
                       table.Foundations);
    BuildFoundationRow(table, rules.foundations,
                       {.row = {.left = 580, .top = 5, .step = 110, .count = SuitCount, .vertical = true},
                        .baseRank = King},
                       table.Cells);
    for (int i = 1; i <= SuitCount; ++i) {
        table.SetTag(table.Foundations[i], FoundationTag);
        table.SetTag(table.Cells[i], FoundationTag);
        table.Cells[i]->Rule = ReverseRule(table.Foundations[i]);
    }

    // The columns are placed below, two rows of six.
    BuildTableauRow(table, rules.tableau, {.row = {.count = ColumnCount}, .spread = {.vShift = 18}}, table.Tableau,
                    table.Foundations);
    for (int i = 1; i <= ColumnCount; ++i) {
        TDeck *column = table.Tableau[i];
        column->SetVLeft((i - 1) % 6 * 79 + 5);
        column->SetVTop((i - 1) / 6 * 270 + 5);
        table.SetTag(column, ColumnTag);
    }

    board->FitVert = board->FitHorz = board->CenterVert = board->CenterHorz = true;
    board->FitToWindow();
    board->SetScore(-PackSize);

    // The Aces start on their foundations, suit by suit; the rest make the pack.
    for (int index = 0; index < PackSize; ++index) {
        TCard *card = table.Card(index);
        if (TDeck *holder = card->HostDeck())
            holder->RemoveCard(card);
        card->SetVisible(true);
        card->SetFace(true);
        if (card->Rank() == 1 && table.Foundations[card->Suit()]) {
            table.Foundations[card->Suit()]->AddCard(card);
            card->BringToFront();
        } else {
            pack->AddCard(card);
        }
    }
    for (int i = 1; i <= ColumnCount * 4; ++i)
        table.Tableau[(i - 1) % ColumnCount + 1]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), true);
    for (int i = 1; i <= ColumnCount; ++i)
        sendKingHome(table, table.Tableau[i]->TopCard());

    table.Stock = nullptr;
    board->FreeDeck(pack);
}

void BisleyCycle(GameTable &table)
{
    TBoardState *board = table.BoardState();
    board->StopAutoTimer();
    if (!table.Foundations[1] || !table.Cells[1])
        return;
    for (int i = 1; i <= ColumnCount; ++i)
        if (TDeck *column = table.Tableau[i])
            sendKingHome(table, column->TopCard());
    if (table.Play.AutomaticMoves) {
        for (int i = 1; i <= ColumnCount; ++i) {
            TDeck *column = table.Tableau[i];
            TCard *top = column ? column->TopCard() : nullptr;
            if (top && !sendKingHome(table, top))
                sendToEitherFoundation(table, top);
        }
    }
    joinMeetingFoundations(table);
    EndCycle(table, IsGameWon(table.Foundations, SuitCount));
}
