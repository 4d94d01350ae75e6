#include "games/spider.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "engine/engine_state.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/rule_predicates.h"
#include "games/table_builders.h"

namespace {

// Ten columns built down regardless of suit, where runs down in suit move as a unit; any
// card or run fills an empty column; a run from King to Ace leaves for a foundation. The
// rules are the deal's own: none of them can be customised.
constexpr GameDefinition spider = {
    .id = GameIds::Spider,
    .name = "Spider",
    .packs = 2,
    .difficulty = Difficulty::Average,
    .automaticPlay = true,
    .tableSize = QSize(793, 261),
    .rules = {},
    .deal = DealSpider,
    .cycle = SpiderCycle,
};

// Spider dealt with the cards' suits rewritten: 2 makes the black cards Spades and the red
// ones Hearts, 1 makes every card a Spade.
constexpr GameDefinition spiderWithSuits(int id, const char *name, int suits)
{
    GameDefinition game = spider;
    game.id = id;
    game.name = name;
    game.suits = suits;
    return game;
}

} // namespace

constinit const GameDefinition SpiderGame = spider;
constinit const GameDefinition SpiderTwoSuitGame = spiderWithSuits(GameIds::SpiderTwoSuit, "Spider Two Suit", 2);
constinit const GameDefinition SpiderOneSuitGame = spiderWithSuits(GameIds::SpiderOneSuit, "Spider One Suit", 1);

namespace {

constexpr int ColumnTag = 4;
constexpr int PackTag = 1;
constexpr int FoundationTag = 1;
constexpr int ColumnCount = 10;
constexpr int FoundationCount = 8;
constexpr int PackSize = 104;
constexpr int RunLength = 13;

// Upper is one rank below lower in any suit, and lower is no Ace.
bool oneBelow(const TCard *lower, const TCard *upper)
{
    return lower->Rank() != 1 && upper->Rank() == lower->Rank() - 1;
}

bool linkedToBelow(const TCard *card)
{
    return card->Below && card->Below->Face() && SpiderRunLink(card->Below, card);
}

// The deepest card of the face-up run the card lies in.
TCard *runBottom(TCard *card)
{
    while (linkedToBelow(card))
        card = card->Below;
    return card;
}

// The King at the foot of a complete run topped by the pile's Ace; nullptr when the pile's
// top is no Ace or the run does not reach a King.
TCard *completeRunKing(const TDeck *pile)
{
    TCard *top = pile ? pile->TopCard() : nullptr;
    if (!top || pile->CardsCount() < RunLength || top->Rank() != 1 || !top->Face())
        return nullptr;
    TCard *bottom = runBottom(top);
    return bottom->Rank() == 13 ? bottom : nullptr;
}

TDeck *firstEmptyFoundation(GameTable &table)
{
    for (int i = 1; i <= FoundationCount; ++i)
        if (TDeck *foundation = table.Foundations[i]; foundation && foundation->CardsCount() == 0)
            return foundation;
    return nullptr;
}

// Moves the run from its King onto the foundation in one journal group; the uncovered card turns up.
bool sendRunHome(GameTable &table, TCard *king, TDeck *foundation)
{
    TBoardState *board = table.BoardState();
    TDeck *column = king->HostDeck();
    board->BeginMoveGroup();
    const bool moved = foundation->MoveCard(king);
    if (moved && column->TopCard() && !column->TopCard()->Face())
        column->TopCard()->SetFace(true);
    board->EndMoveGroup();
    return moved;
}

// After a move the source's new top card turns up, unless the cards came from the stock.
void turnUpSource(GameTable &table, TDeck *source)
{
    if (source && source != table.Stock && source->TopCard() && !source->TopCard()->Face())
        source->TopCard()->SetFace(true);
}

void stockSelect(GameTable &table, TDeck *stock, TCard *&, bool &action, bool clicked, bool &clickable,
                 bool &actionOnClick)
{
    if (AnswerStockProbe(stock, action, clicked, clickable, actionOnClick))
        return;
    if (stock->CardsCount() == 0)
        return;
    for (int i = 1; i <= ColumnCount; ++i)
        if (TDeck *column = table.Tableau[i]; column && column->CardsCount() == 0) {
            InformPlayer(QStringLiteral("All empty tableau piles must be filled"));
            return;
        }
    actionOnClick = true;
    TBoardState *board = table.BoardState();
    board->BeginMoveGroup();
    for (int i = 1; i <= ColumnCount && stock->TopCard(); ++i) {
        TCard *card = stock->TopCard();
        card->SetFace(true);
        table.Tableau[i]->MoveCard(card);
    }
    board->EndMoveGroup();
}

void tableauAccepts(GameTable &table, TDeck *target, TCard *&card, bool &action, bool clicked)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    if (!target || !source)
        return;
    const bool fromColumn = table.Tag(source) == ColumnTag;
    if (TCard *top = target->TopCard()) {
        if (fromColumn && linkedToBelow(card)) {
            TCard *current = card;
            while (!oneBelow(top, current) && linkedToBelow(current) && !SpiderRunLink(top, current))
                current = current->Below;
            if (SpiderRunLink(top, current) || oneBelow(top, current)) {
                action = true;
                card = current;
            }
            return;
        }
        action = oneBelow(top, card);
        return;
    }
    action = true;
    if (!clicked || !fromColumn || !linkedToBelow(card))
        return;
    if (const std::optional<bool> wholeRun = table.WholeRunChosen(); !wholeRun)
        card = nullptr;
    else if (*wholeRun)
        card = runBottom(card);
}

void tableauDragSelect(TCard *card, bool &action)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    if (!source)
        return;
    for (TCard *walk = source->TopCard(); walk; walk = walk->Below) {
        if (walk == card) {
            action = true;
            return;
        }
        if (!walk->Below || !SpiderRunLink(walk->Below, walk))
            return;
    }
}

void tableauDragRule(GameTable &table, TCard *card, TDeck *target, bool &action)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    if (!target || !source)
        return;
    if (target->DisabledTag != 0 && table.Tag(source) == target->DisabledTag)
        return;
    if (TCard *top = target->TopCard()) {
        action = top->Rank() != target->CardVal() && card->Rank() == top->Rank() - 1;
        return;
    }
    const int fill = target->FillEmpty;
    action = fill == -1 || (fill == -2 && source->TopCard() == card) || fill == card->Rank()
        || target->ShowEmpty() == FoundationPile;
}

void foundationAccepts(GameTable &table, TDeck *foundation, TCard *&card, bool &action, bool clicked)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    if (!foundation || !source || foundation->CardsCount() > 0 || table.Tag(source) != ColumnTag
        || source->TopCard() != card)
        return;
    TCard *king = completeRunKing(source);
    if (!king)
        return;
    action = true;
    if (!clicked) {
        card = king;
        return;
    }
    sendRunHome(table, king, foundation);
    card = nullptr;
}

// Only a complete run is dragged home: the King thirteen cards from the top, all face up.
void foundationDragRule(TCard *card, TDeck *foundation, bool &action)
{
    action = false;
    TDeck *source = card ? card->HostDeck() : nullptr;
    if (!foundation || !source || foundation->CardsCount() > 0 || card->Rank() != 13)
        return;
    int depth = 0;
    for (TCard *walk = source->TopCard(); walk; walk = walk->Below) {
        if (!walk->Face())
            return;
        if (++depth == RunLength) {
            action = walk == card;
            return;
        }
    }
}

void columnDoubleClick(GameTable &table, TDeck *column)
{
    TCard *king = completeRunKing(column);
    TDeck *foundation = firstEmptyFoundation(table);
    if (!king || !foundation)
        return;
    column->TopCard()->SetSelected(false);
    table.BoardState()->ClearHighlightAndSelection();
    sendRunHome(table, king, foundation);
}

} // namespace

bool SpiderRunLink(const TCard *lower, const TCard *upper)
{
    return lower && upper && lower->Rank() != 1 && RuleHolds(Rules::DownInSuit, lower, upper);
}

int SpiderScore(const GameTable &table)
{
    int links = 0;
    for (int i = 1; i <= ColumnCount; ++i) {
        const TDeck *column = table.Tableau[i];
        for (const TCard *card = column ? column->TopCard() : nullptr; card && card->Face(); card = card->Below)
            if (card->Below && card->Below->Face() && SpiderRunLink(card->Below, card))
                ++links;
    }
    for (int i = 1; i <= FoundationCount; ++i)
        if (const TDeck *foundation = table.Foundations[i]; foundation && foundation->CardsCount() > 0)
            links += RunLength;
    return links * table.BoardState()->FoundationPoints - PackSize;
}

void DealSpider(GameTable &table, const GameRules &)
{
    TBoardState *board = table.BoardState();
    table.Handlers.SendToFoundation = [&table](TDeck *pile) { SendToFoundation(table, pile); };
    const auto turnUp = [&table](TDeck *source, TDeck *, TCard *) { turnUpSource(table, source); };

    TDeck *stock = NewPile(table, 10, 5);
    stock->SetVShift(2);
    stock->SetGShift(2);
    stock->SetShowEmpty(StockNoRedeal);
    stock->TipString = QStringLiteral("Click on the Stock to deal one card to each tableau pile");
    stock->EmptyDeckTipString = QStringLiteral("No redeal");
    stock->OnAddWithRule = &TBoardState::RefuseAdd;
    stock->OnSelect = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked, bool &clickable,
                               bool &actionOnClick) {
        stockSelect(table, sender, card, action, clicked, clickable, actionOnClick);
    };
    table.Stock = stock;

    TDeck *pack = NewPile(table, 100, 5);
    table.SetTag(pack, PackTag);
    pack->SetShowEmpty(NoMark);
    pack->OnAddWithRule = &TBoardState::RefuseAdd;
    pack->OnDoubleSelect = table.Handlers.SendToFoundation;
    table.Waste = pack;

    for (int i = 1; i <= FoundationCount; ++i) {
        TDeck *foundation = NewPile(table, 77 * i + 87, 5);
        table.SetTag(foundation, FoundationTag);
        foundation->SetShowEmpty(FoundationPile);
        foundation->SetFlatPile(false);
        foundation->AutoScore = false;
        foundation->MaxCardCount = RunLength;
        foundation->DeckTag = FoundationCount;
        foundation->SetCardVal(-2);
        foundation->Wait = false;
        foundation->OnSelect = &TBoardState::RefuseSelect;
        foundation->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
            foundationAccepts(table, sender, card, action, clicked);
        };
        foundation->OnDragRule = foundationDragRule;
        foundation->OnAfterMove = turnUp;
        foundation->TipString = QStringLiteral("No building");
        foundation->EmptyDeckTipString =
            QStringLiteral("Move a sequence of cards built down in suit from Kings to Ace to an empty Foundation");
        table.Foundations.Set(i, foundation);
    }

    for (int i = 1; i <= ColumnCount; ++i) {
        TDeck *column = NewPile(table, 77 * i - 67, 120);
        column->SetVShift(18);
        column->SetVBShift(6);
        column->CanShowCard = true;
        table.SetTag(column, ColumnTag);
        column->DeckTag = ColumnCount;
        column->SetCardVal(1);
        column->FillEmpty = -1;
        column->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
            tableauAccepts(table, sender, card, action, clicked);
        };
        column->OnDragSelect = tableauDragSelect;
        column->OnDragRule = [&table](TCard *card, TDeck *target, bool &action) {
            tableauDragRule(table, card, target, action);
        };
        column->OnDoubleSelect = [&table](TDeck *pile) { columnDoubleClick(table, pile); };
        column->OnAfterMove = turnUp;
        column->TipString = QStringLiteral(
            "Build the Tableau down regardless of suit    Groups in sequence down in suit may be moved as a unit");
        column->EmptyDeckTipString = QStringLiteral("Play any card or group of cards on the empty Tableau");
        table.Tableau.Set(i, column);
    }
    board->OnAfterUndo = [&table](TDeck *) { table.BoardState()->SetScore(SpiderScore(table)); };
    board->OnAfterRedo = [&table](TDeck *) { table.BoardState()->SetScore(SpiderScore(table)); };

    board->FitHorz = true;
    board->CenterHorz = true;
    board->FitToWindow();

    FillPack(table, pack, PackSize);
    for (int i = 1; i <= 50; ++i)
        table.Tableau[(i - 1) % ColumnCount + 1]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    for (int i = 1; i <= 4; ++i)
        table.Tableau[i]->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    for (int i = 0; i < 50; ++i)
        stock->DealCard(pack, table.Random.RandomIndex(pack->CardsCount()), false);
    for (int i = 1; i <= ColumnCount; ++i)
        table.Tableau[i]->TopCard()->SetFace(true);
    pack->SetVShift(2);
    pack->SetGShift(2);
}

void SpiderCycle(GameTable &table)
{
    TBoardState *board = table.BoardState();
    board->StopAutoTimer();
    if (table.Play.AutomaticMoves && !engineState().Busy && !board->Moving) {
        for (int i = 1; i <= ColumnCount; ++i) {
            TCard *king = completeRunKing(table.Tableau[i]);
            TDeck *foundation = firstEmptyFoundation(table);
            if (king && foundation)
                sendRunHome(table, king, foundation);
        }
    }
    board->SetScore(SpiderScore(table));
    EndCycle(table, IsGameWon(table.Foundations, FoundationCount));
}
