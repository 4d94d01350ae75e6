#include "games/klondike.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/table_builders.h"

// Seven columns built down by alternate colour, where runs in sequence move as a unit;
// foundations up in suit from the Ace; three cards turned per click, with two redeals.
constinit const GameDefinition KlondikeGame = {
    .id = GameIds::Klondike,
    .name = "Klondike",
    .difficulty = Difficulty::Difficult,
    .automaticPlay = true,
    .tableSize = QSize(636, 302),
    .rules = {
        .customisable = true,
        .stock = {.redeals = 2, .cardsPerClick = 3},
        .tableau = {
            .build = Rule::DownAlternateColour,
            .emptyTakes = EmptyTableau::KingOnly,
            .groupMove = GroupMove::AlternateColour,
        },
        .foundations = {.build = Rule::UpInSuit},
        .editable = EveryRuleEditable,
    },
    .deal = DealKlondike,
    .cycle = Uni_Timer,
};

namespace {

constexpr int ColumnTag = 4;
constexpr int ColumnCount = 7;
constexpr int FoundationCount = 4;
constexpr int PackSize = 52;
// The stock draws 31 times: 24 cards are left after the columns, the last seven draws
// find the pack empty but still advance the generator.
constexpr int StockDraws = 31;

// After a move onto the pile, the card left on top of the source turns face up.
void turnUpSource(TDeck *source, TDeck *, TCard *)
{
    if (source && source->TopCard() && !source->TopCard()->Face())
        source->TopCard()->SetFace(true);
}

// Puts the fan's cards where the fan now lies (its spread is re-applied from its corner).
void placeFan(TDeck *fan, const QPoint &at)
{
    if (fan->BoundsRect().topLeft() == at)
        return;
    fan->SetPosition(at.x(), at.y());
    fan->SetVShift(fan->VShift());
    fan->SetGShift(fan->GShift());
    fan->Repaint();
}

bool redealsExhausted(const TBoardState *board)
{
    return board->Rotation_Counter() == board->Rotation_Number && board->Rotation_Number != -2;
}

// --- one card per click ---

void stockDealOne(GameTable &table, TDeck *stock, TCard *&card, bool &action, bool clicked, bool &clickable,
                  bool &actionOnClick)
{
    action = false;
    clickable = true;
    if (!clicked) {
        actionOnClick = stock->CardsCount() > 0;
        return;
    }
    if (!stock->TopCard() || !card || card->HostDeck() != stock || !table.Waste)
        return;
    card->SetFace(true);
    table.Waste->MoveCard(card);
    actionOnClick = true;
}

void stockRedealOne(GameTable &table, TDeck *stock)
{
    TBoardState *board = table.BoardState();
    TDeck *waste = table.Waste;
    // A pass over an empty waste would only use up a redeal.
    if (!waste || waste->CardsCount() == 0 || redealsExhausted(board))
        return;
    if (board->Rotation_Counter() >= 0)
        board->SetRotation_Counter(board->Rotation_Counter() + 1);
    stock->TakeAllFrom(waste, true);
    if (redealsExhausted(board))
        stock->SetShowEmpty(StockNoRedeal);
}

// --- three cards per click ---

// (a) the fan's cards go onto the waste; (b) the fan lies on the waste's top card again.
void closeFan(GameTable &table)
{
    TDeck *fan = table.WasteFan;
    if (!fan)
        return;
    if (fan->CardsCount() > 0)
        table.Waste->MoveCard(fan->GetCard(fan->CardsCount()));
    fan->Realign();
}

void stockDealThree(GameTable &table, TDeck *stock, TCard *&card, bool &action, bool clicked, bool &clickable,
                    bool &actionOnClick)
{
    if (AnswerStockProbe(stock, action, clicked, clickable, actionOnClick))
        return;
    if (!stock->TopCard() || !table.Waste || !table.WasteFan)
        return;
    actionOnClick = true;
    TBoardState *board = table.BoardState();
    const bool animate = board->Animate;
    board->Animate = false;
    board->BeginMoveGroup();
    closeFan(table);
    TCard *next = card && card->HostDeck() == stock ? card : stock->TopCard();
    for (int turned = 0; turned < 3 && next; ++turned) {
        next->SetFace(true);
        table.WasteFan->MoveCard(next);
        next = stock->TopCard();
    }
    board->EndMoveGroup();
    board->Animate = animate;
    if (board->Rotation_Counter() >= 0 && board->Rotation_Counter() == board->Rotation_Number
        && stock->ShowEmpty() == StockRedeal)
        stock->SetShowEmpty(StockNoRedeal);
}

void stockRedealThree(GameTable &table, TDeck *stock)
{
    TBoardState *board = table.BoardState();
    if (board->Rotation_Number == -1
        || (board->Rotation_Counter() >= 0 && board->Rotation_Counter() >= board->Rotation_Number))
        return;
    if (!table.Waste || !table.WasteFan || table.Waste->CardsCount() + table.WasteFan->CardsCount() == 0)
        return;
    closeFan(table);
    stock->TakeAllFrom(table.Waste, true);
    if (board->Rotation_Counter() >= 0)
        board->SetRotation_Counter(board->Rotation_Counter() + 1);
}

void wasteClickThree(GameTable &table, TDeck *, TCard *&, bool &action, bool, bool &clickable, bool &actionOnClick)
{
    // Cards are played from the fan while it shows any.
    action = !table.WasteFan || table.WasteFan->CardsCount() == 0;
    clickable = true;
    actionOnClick = false;
}

// The fan follows the waste's top card when moves are replayed.
void fanDuringRedo(GameTable &table)
{
    if (table.WasteFan)
        table.WasteFan->Realign();
}

// source: the pile the card leaves; dest: the pile it returns to.
void fanDuringUndo(GameTable &table, TDeck *source, TDeck *dest, TCard *card)
{
    TDeck *fan = table.WasteFan;
    TDeck *waste = table.Waste;
    if (!fan || !waste || dest != fan)
        return;
    if (source == waste && fan->CardsCount() == 0 && card && card->HostDeck() == waste) {
        // The fan's cards go back: the fan lies on the waste card they covered.
        placeFan(fan, card->Below ? card->Below->BoundsRect().topLeft() : waste->BoundsRect().topLeft());
    } else {
        fan->Realign();
    }
    waste->Repaint();
    fan->Repaint();
}

} // namespace

void InstallStockHandlers(GameTable &table)
{
    GameHandlers &handlers = table.Handlers;
    handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };
    handlers.WasteClick = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                                   bool &actionOnClick) {
        wasteClickThree(table, sender, card, action, clicked, clickable, actionOnClick);
    };
    handlers.StockDealOne = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                                     bool &actionOnClick) {
        stockDealOne(table, sender, card, action, clicked, clickable, actionOnClick);
    };
    handlers.StockDealThree = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                                       bool &actionOnClick) {
        stockDealThree(table, sender, card, action, clicked, clickable, actionOnClick);
    };
    handlers.StockRedealOne = [&table](TDeck *sender) { stockRedealOne(table, sender); };
    handlers.StockRedealThree = [&table](TDeck *sender) { stockRedealThree(table, sender); };
}

void InstallFanHandlers(GameTable &table)
{
    if (!table.WasteFan)
        return;
    TBoardState *board = table.BoardState();
    board->OnDuringRedo = [&table](TDeck *, TDeck *, TCard *) { fanDuringRedo(table); };
    board->OnDuringUndo = [&table](TDeck *source, TDeck *dest, TCard *card) {
        fanDuringUndo(table, source, dest, card);
    };
}

void DealKlondike(GameTable &table, const GameRules &rules)
{
    TBoardState *board = table.BoardState();
    InstallStockHandlers(table);

    BuildRedeals(table, rules.stock);
    BuildStockAndWaste(table, rules.stock, {.stock = {.left = 5, .top = 5}, .waste = {.left = 100, .top = 5}});
    BuildRows(table, rules, {.row = {.left = 230, .top = 5, .step = 76, .count = FoundationCount}}, table.Foundations,
              {.row = {.left = 10, .top = 125, .step = 90, .count = ColumnCount}, .spread = {.vShift = 17}},
              table.Tableau);
    for (int i = 1; i <= FoundationCount; ++i)
        if (TDeck *foundation = table.Foundations[i])
            foundation->OnAfterMove = turnUpSource;
    for (int i = 1; i <= ColumnCount; ++i) {
        if (TDeck *column = table.Tableau[i]) {
            column->OnAfterMove = turnUpSource;
            column->SetVBShift(11);
            table.SetTag(column, ColumnTag);
        }
    }
    board->FitHorz = true;
    board->CenterHorz = true;
    board->FitToWindow();

    TDeck *pack = table.Waste;
    FillPack(table, pack, PackSize);
    for (int row = 1; row <= ColumnCount; ++row)
        for (int column = row; column <= ColumnCount; ++column)
            table.Tableau[column]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    for (int draw = 0; draw < StockDraws; ++draw)
        table.Stock->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    pack->SetVShift(2);
    pack->SetGShift(2);
    for (int column = 1; column <= ColumnCount; ++column)
        if (TCard *top = table.Tableau[column]->TopCard())
            top->SetFace(true);

    InstallFanHandlers(table);
}

QString RedealsText(const TBoardState &board)
{
    if (board.Rotation_Number == -2)
        return QStringLiteral("Redeals: Unlimited");
    if (board.Rotation_Counter() > 0)
        return QStringLiteral("Redeals: %1").arg(board.Rotation_Number - board.Rotation_Counter());
    return {};
}
