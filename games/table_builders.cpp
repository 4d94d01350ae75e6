#include "games/table_builders.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/game_table.h"
#include "games/move_acceptance.h"
#include "games/rule_predicates.h"

#include <algorithm>

namespace {

constexpr int FoundationTag = 1;
constexpr int WasteTag = 1;
constexpr int StockTag = 2;
constexpr int TableauTag = 2;

// Group methods of the rules record.
constexpr int SingleCardsOnly = 8;

int rowCount(int count)
{
    return std::min(count, PileRow::Capacity);
}

void placeInRow(TDeck *pile, int left, int top, int step, bool horizontal, int i)
{
    pile->SetVLeft(horizontal ? left + step * (i - 1) : left);
    pile->SetVTop(horizontal ? top : top + step * (i - 1));
}

bool isPair(const TRule *foundation, const TRule *tableau, const TRule *f, const TRule *t1, const TRule *t2)
{
    return foundation == f && (tableau == t1 || tableau == t2);
}

} // namespace

TDeck *NewPile(GameTable &table, int left, int top)
{
    TBoard *board = table.Board();
    TDeck *pile = board->NewDeck();
    pile->SetHostBoard(board);
    pile->SetVLeft(left);
    pile->SetVTop(top);
    return pile;
}


void BuildRedeals(GameTable &table, int gameId)
{
    TBoard *board = table.Board();
    const int setting = RulesForGame(gameId, table.Customs).Redeals;
    if (setting >= 1 && setting <= 8) {
        board->Rotation_Number = setting + 1;
        board->SetRotation_Counter(1);
    } else if (setting == -2 || setting == -1) {
        board->Rotation_Number = setting;
        board->SetRotation_Counter(setting);
    }
}

void BuildStockAndWaste(GameTable &table, int stockLeft, int stockTop, int wasteTop, int wasteLeft)
{
    // Only three cards per click has a waste of its own; every other setting turns one card.
    table.CardsPerDeal = table.Rules().StockDeal == 3 ? 3 : 1;
    const bool threeCards = table.CardsPerDeal == 3;
    const GameHandlers &handlers = table.Handlers;
    const QString wasteTip = QStringLiteral("Play cards from the Waste to the foundations and to the tableau");

    TDeck *waste = NewPile(table, wasteLeft, wasteTop);
    table.SetTag(waste, WasteTag);
    waste->SetShowEmpty(OutlineMark);
    if (threeCards)
        waste->OnSelect = handlers.WasteClick;
    waste->OnAddWithRule = &TBoard::RefuseAdd;
    waste->OnDoubleSelect = handlers.SendToFoundation;
    waste->TipString = wasteTip;
    table.Waste = waste;

    if (threeCards) {
        TDeck *fan = NewPile(table, wasteLeft, wasteTop);
        fan->SetDeckToAlign(waste);
        fan->SetGShift(15);
        table.SetTag(fan, WasteTag);
        fan->CanShowCard = true;
        fan->SetShowEmpty(NoMark);
        fan->OnAddWithRule = &TBoard::RefuseAdd;
        fan->OnDoubleSelect = handlers.SendToFoundation;
        fan->TipString = wasteTip;
        table.WasteFan = fan;
    }

    TDeck *stock = NewPile(table, stockLeft, stockTop);
    stock->SetVShift(2);
    stock->SetGShift(2);
    stock->SetShowEmpty(table.Board()->Rotation_Number != -1 ? StockRedeal : StockNoRedeal);
    stock->OnSelect = threeCards ? handlers.StockDealThree : handlers.StockDealOne;
    stock->OnEmptySelect = threeCards ? handlers.StockRedealThree : handlers.StockRedealOne;
    table.SetTag(stock, StockTag);
    stock->OnAddWithRule = &TBoard::RefuseAdd;
    stock->TipString = threeCards ? QStringLiteral("Click on the Stock to deal three cards at a time to the waste pile")
                                  : QStringLiteral("Click on the Stock to turn over a card to the waste pile");
    stock->EmptyDeckTipString = QStringLiteral("Click on the empty Stock to redeal");
    stock->EmptyTipOffersRedeal = true;
    table.Stock = stock;
}

void BuildFoundationRow(GameTable &table, int left, int top, int baseRank, int count, PileRow &slots, int step,
                        bool horizontal)
{
    count = rowCount(count);
    const TRule *rule = RuleFromCode(table.Rules().FoundationRule);
    for (int i = 1; i <= count; ++i) {
        TDeck *pile = NewPile(table, left, top);
        placeInRow(pile, left, top, step, horizontal, i);
        table.SetTag(pile, FoundationTag);
        pile->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
            FoundationAccepts(table, sender, card, action, clicked);
        };
        pile->OnSelect = &TBoard::RefuseSelect;
        pile->SetShowEmpty(FoundationPile);
        pile->DeckTag = count;
        pile->SetCardVal(baseRank);
        pile->SetFlatPile(false);
        pile->FillEmpty = baseRank;
        pile->MaxCardCount = 13;
        pile->Rule = rule;
        pile->AcceptCardGroup = false;
        pile->TipString = QStringLiteral("Build the Foundation %s");
        pile->EmptyDeckTipString = QStringLiteral("Play %s on an empty Foundation");
        slots.Set(i, pile);
    }
}

void BuildTableauRow(GameTable &table, PileRow &foundationSlots, int baseRank, int gShift, int vShift, int count,
                     PileRow &slots, int step, bool horizontal, int top, int left)
{
    const GameRulesRecord rules = table.Rules();
    const int tableauCode = rules.TableauRule;
    const int emptyMode = rules.EmptyTableau;
    const int groupMethod = rules.GroupMethod;
    const int direction = tableauCode / 16 * 16;
    const TRule *rule = RuleFromCode(tableauCode);
    const TRule *groupRule = groupMethod == SingleCardsOnly ? nullptr : RuleFromCode(direction + groupMethod);
    const bool spread = vShift > 2 || gShift > 2;

    int fillEmpty;
    if (emptyMode == 0)
        fillEmpty = 0;
    else if (emptyMode == 1)
        fillEmpty = -1;
    else if (direction == 0)
        fillEmpty = baseRank == 13 ? 1 : baseRank + 1;
    else
        fillEmpty = baseRank == 1 ? 13 : baseRank - 1;

    QString tip;
    if (groupMethod == SingleCardsOnly)
        tip = QStringLiteral("Build the Tableau %s");
    else if (groupMethod == 9)
        tip = QStringLiteral("Build the Tableau %s     Group of cards regardless of rank and suit may be moved as a unit");
    else
        tip = QStringLiteral("Build the Tableau %s     Group in sequence %s may be moved as a unit");

    QString emptyTip;
    if (emptyMode == 0)
        emptyTip = QStringLiteral("No building");
    else if (emptyMode == 2 && groupMethod != SingleCardsOnly)
        emptyTip = QStringLiteral("Fill the empty Tableau pile by %s or group of cards headed by %s");
    else if (emptyMode == 1 && groupMethod != SingleCardsOnly)
        emptyTip = QStringLiteral("Play any card or group of cards on the empty Tableau");
    else
        emptyTip = QStringLiteral("Play %s on the empty Tableau");

    count = rowCount(count);
    for (int i = 1; i <= count; ++i) {
        TDeck *pile = NewPile(table, left, top);
        placeInRow(pile, left, top, step, horizontal, i);
        table.SetTag(pile, TableauTag);
        pile->DeckTag = count;
        pile->SetVShift(vShift);
        pile->SetGShift(gShift);
        pile->CanShowCard = spread;
        pile->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
            TableauAccepts(table, sender, card, action, clicked);
        };
        pile->OnDoubleSelect = table.Handlers.SendToFoundation;
        pile->Rule = rule;
        pile->GroupRule = groupRule;
        pile->AcceptCardGroup = groupMethod != SingleCardsOnly;
        if (groupMethod == SingleCardsOnly && spread) {
            if (emptyMode == 1)
                pile->UsableAsSpare = true;
            pile->AcceptCardGroup = true;
        }
        if (spread) {
            pile->OnDragSelect = [&table](TCard *card, bool &action) { TableauDragSelect(table, card, action); };
            pile->OnDragRule = [&table](TCard *card, TDeck *target, bool &action) {
                TableauDragRule(table, card, target, action);
            };
        }
        pile->FillEmpty = fillEmpty;
        pile->SetCardVal(baseRank);
        pile->TipString = tip;
        pile->EmptyDeckTipString = emptyTip;
        pile->EmptyTipNamesGroupHead = emptyMode == 2 && groupMethod != SingleCardsOnly;
        slots.Set(i, pile);
    }
    SetCarefulMoves(foundationSlots, slots);
}

void BuildRows(GameTable &table, int foundationLeft, int foundationTop, int tableauGShift, int tableauVShift,
               int tableauCount, PileRow &tableauSlots, int tableauStep, bool tableauHorizontal, int tableauTop,
               int tableauLeft, int baseRank, int foundationCount, PileRow &foundationSlots, int foundationStep,
               bool foundationHorizontal)
{
    BuildFoundationRow(table, foundationLeft, foundationTop, baseRank, foundationCount, foundationSlots,
                       foundationStep, foundationHorizontal);
    BuildTableauRow(table, foundationSlots, baseRank, tableauGShift, tableauVShift, tableauCount, tableauSlots,
                    tableauStep, tableauHorizontal, tableauTop, tableauLeft);
}

void SetCarefulMoves(PileRow &foundationSlots, PileRow &tableauSlots)
{
    const TDeck *firstFoundation = foundationSlots[1];
    const TDeck *firstTableau = tableauSlots[1];
    if (!firstFoundation || !firstTableau)
        return;
    using namespace Rules;
    const TRule *f = firstFoundation->Rule;
    const TRule *t = firstTableau->Rule;
    const bool free = isPair(f, t, UpInSuit, DownInSuit, UpOrDownInSuit)
        || isPair(f, t, DownInSuit, UpInSuit, UpOrDownInSuit)
        || isPair(f, t, UpAltColour, DownAltColour, UpOrDownAltColour)
        || isPair(f, t, DownAltColour, UpAltColour, UpOrDownAltColour)
        || isPair(f, t, UpAnySuit, DownAnySuit, UpOrDownAnySuit)
        || isPair(f, t, DownAnySuit, UpAnySuit, UpOrDownAnySuit);
    if (!free)
        return;
    for (int i = 1; i <= foundationSlots.Count(); ++i)
        if (TDeck *pile = foundationSlots[i])
            pile->Wait = false;
}

void FillPack(GameTable &table, TDeck *pile, int n)
{
    if (!pile)
        return;
    n = std::clamp(n, 0, GameTable::CardCount);
    for (int index = 0; index < n; ++index) {
        TCard *card = table.Card(index);
        if (TDeck *holder = card->HostDeck())
            holder->RemoveCard(card);
        card->SetVisible(true);
        pile->AddCard(card);
    }
    table.Board()->SetScore(-n);
}
