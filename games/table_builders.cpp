#include "games/table_builders.h"

#include "engine/board_state.h"
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
constexpr int DiscardTag = 3;
constexpr int TableauTag = 2;

int rowCount(int count)
{
    return std::min(count, PileRow::Capacity);
}

// Pile i (from 1) of the row.
Place placeInRow(const Row &row, int i)
{
    const int offset = row.step * (i - 1);
    return row.vertical ? Place{row.left, row.top + offset} : Place{row.left + offset, row.top};
}

bool isPair(const TRule *foundation, const TRule *tableau, const TRule *f, const TRule *t1, const TRule *t2)
{
    return foundation == f && (tableau == t1 || tableau == t2);
}

// What an empty tableau pile takes: 0 nothing, -1 any card or group, else the rank before
// the base in the building direction.
int emptyFill(const TableauRules &rules, int baseRank)
{
    switch (rules.emptyTakes) {
    case EmptyTableau::Nothing:
        return 0;
    case EmptyTableau::AnyCard:
        return -1;
    default:
        if (DirectionPartOf(rules.build) == 0)
            return baseRank == 13 ? 1 : baseRank + 1;
        return baseRank == 1 ? 13 : baseRank - 1;
    }
}

QString tableauTip(GroupMove groupMove)
{
    if (groupMove == GroupMove::SingleCard)
        return QStringLiteral("Build the Tableau %s");
    if (groupMove == GroupMove::AnyFaceUpGroup)
        return QStringLiteral("Build the Tableau %s     Group of cards regardless of rank and suit may be moved as a unit");
    return QStringLiteral("Build the Tableau %s     Group in sequence %s may be moved as a unit");
}

QString emptyTableauTip(const TableauRules &rules)
{
    const bool groups = rules.groupMove != GroupMove::SingleCard;
    if (rules.emptyTakes == EmptyTableau::Nothing)
        return QStringLiteral("No building");
    if (rules.emptyTakes == EmptyTableau::KingOnly && groups)
        return QStringLiteral("Fill the empty Tableau pile by %s or group of cards headed by %s");
    if (rules.emptyTakes == EmptyTableau::AnyCard && groups)
        return QStringLiteral("Play any card or group of cards on the empty Tableau");
    return QStringLiteral("Play %s on the empty Tableau");
}

} // namespace

TDeck *NewPile(GameTable &table, int left, int top)
{
    TDeck *pile = table.BoardState()->NewDeck();
    pile->SetHostBoard(table.Board());
    pile->SetVLeft(left);
    pile->SetVTop(top);
    return pile;
}

void BuildRedeals(GameTable &table, const StockRules &rules)
{
    TBoardState *board = table.BoardState();
    const int setting = rules.redeals;
    if (setting >= 1 && setting <= 8) {
        board->Rotation_Number = setting + 1;
        board->SetRotation_Counter(1);
    } else if (setting == Redeals::Unlimited || setting == Redeals::None) {
        board->Rotation_Number = setting;
        board->SetRotation_Counter(setting);
    }
}

void BuildStockAndWaste(GameTable &table, const StockRules &rules, const StockLayout &layout)
{
    // Only three cards per click has a waste of its own; every other setting turns one card.
    table.CardsPerDeal = rules.cardsPerClick == 3 ? 3 : 1;
    const bool threeCards = table.CardsPerDeal == 3;
    const GameHandlers &handlers = table.Handlers;
    const QString wasteTip = QStringLiteral("Play cards from the Waste to the foundations and to the tableau");

    TDeck *waste = NewPile(table, layout.waste.left, layout.waste.top);
    table.SetTag(waste, WasteTag);
    waste->SetShowEmpty(OutlineMark);
    if (threeCards)
        waste->OnSelect = handlers.WasteClick;
    waste->OnAddWithRule = &TBoardState::RefuseAdd;
    waste->OnDoubleSelect = handlers.SendToFoundation;
    waste->TipString = wasteTip;
    table.Waste = waste;

    if (threeCards) {
        TDeck *fan = NewPile(table, layout.waste.left, layout.waste.top);
        fan->SetDeckToAlign(waste);
        fan->SetGShift(15);
        table.SetTag(fan, WasteTag);
        fan->CanShowCard = true;
        fan->SetShowEmpty(NoMark);
        fan->OnAddWithRule = &TBoardState::RefuseAdd;
        fan->OnDoubleSelect = handlers.SendToFoundation;
        fan->TipString = wasteTip;
        table.WasteFan = fan;
    }

    TDeck *stock = NewPile(table, layout.stock.left, layout.stock.top);
    stock->SetVShift(2);
    stock->SetGShift(2);
    stock->SetShowEmpty(table.BoardState()->Rotation_Number != -1 ? StockRedeal : StockNoRedeal);
    stock->OnSelect = threeCards ? handlers.StockDealThree : handlers.StockDealOne;
    stock->OnEmptySelect = threeCards ? handlers.StockRedealThree : handlers.StockRedealOne;
    table.SetTag(stock, StockTag);
    stock->OnAddWithRule = &TBoardState::RefuseAdd;
    stock->TipString = threeCards ? QStringLiteral("Click on the Stock to deal three cards at a time to the waste pile")
                                  : QStringLiteral("Click on the Stock to turn over a card to the waste pile");
    stock->EmptyDeckTipString = QStringLiteral("Click on the empty Stock to redeal");
    stock->EmptyTipOffersRedeal = true;
    table.Stock = stock;
}

void BuildFoundationRow(GameTable &table, const FoundationRules &rules, const FoundationRow &row, PileRow &slots)
{
    const int count = rowCount(row.row.count);
    const TRule *rule = RuleFromCode(CodeOf(rules.build));
    for (int i = 1; i <= count; ++i) {
        const Place at = placeInRow(row.row, i);
        TDeck *pile = NewPile(table, at.left, at.top);
        table.SetTag(pile, FoundationTag);
        pile->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
            FoundationAccepts(table, sender, card, action, clicked);
        };
        pile->OnSelect = &TBoardState::RefuseSelect;
        pile->SetShowEmpty(FoundationPile);
        pile->DeckTag = count;
        pile->SetCardVal(row.baseRank);
        pile->SetFlatPile(false);
        pile->FillEmpty = row.baseRank;
        pile->MaxCardCount = 13;
        pile->Rule = rule;
        pile->AcceptCardGroup = false;
        pile->TipString = QStringLiteral("Build the Foundation %s");
        pile->EmptyDeckTipString = QStringLiteral("Play %s on an empty Foundation");
        slots.Set(i, pile);
    }
}

void BuildTableauRow(GameTable &table, const TableauRules &rules, const TableauRow &row, PileRow &slots,
                     PileRow &foundationSlots)
{
    const TRule *rule = RuleFromCode(CodeOf(rules.build));
    const bool singleCards = rules.groupMove == GroupMove::SingleCard;
    const TRule *groupRule =
        singleCards ? nullptr : RuleFromCode(DirectionPartOf(rules.build) + std::int32_t(rules.groupMove));
    const Spread spread = row.spread;
    const bool spreadOut = spread.vShift > 2 || spread.gShift > 2;
    const int fillEmpty = emptyFill(rules, row.baseRank);
    const QString tip = tableauTip(rules.groupMove);
    const QString emptyTip = emptyTableauTip(rules);

    const int count = rowCount(row.row.count);
    for (int i = 1; i <= count; ++i) {
        const Place at = placeInRow(row.row, i);
        TDeck *pile = NewPile(table, at.left, at.top);
        table.SetTag(pile, TableauTag);
        pile->DeckTag = count;
        pile->SetVShift(spread.vShift);
        pile->SetGShift(spread.gShift);
        pile->CanShowCard = spreadOut;
        pile->OnAddWithRule = [&table](TDeck *sender, TCard *&card, bool &action, bool clicked) {
            TableauAccepts(table, sender, card, action, clicked);
        };
        pile->OnDoubleSelect = table.Handlers.SendToFoundation;
        pile->Rule = rule;
        pile->GroupRule = groupRule;
        pile->AcceptCardGroup = !singleCards;
        if (singleCards && spreadOut) {
            if (rules.emptyTakes == EmptyTableau::AnyCard)
                pile->UsableAsSpare = true;
            pile->AcceptCardGroup = true;
        }
        if (spreadOut) {
            pile->OnDragSelect = [&table](TCard *card, bool &action) { TableauDragSelect(table, card, action); };
            pile->OnDragRule = [&table](TCard *card, TDeck *target, bool &action) {
                TableauDragRule(table, card, target, action);
            };
        }
        pile->FillEmpty = fillEmpty;
        pile->SetCardVal(row.baseRank);
        pile->TipString = tip;
        pile->EmptyDeckTipString = emptyTip;
        // "... or group of cards headed by %s" names the group's head from the second name table.
        pile->EmptyTipNamesGroupHead =
            rules.emptyTakes == EmptyTableau::KingOnly && rules.groupMove != GroupMove::SingleCard;
        slots.Set(i, pile);
    }
    SetCarefulMoves(foundationSlots, slots);
}

void BuildRows(GameTable &table, const GameRules &rules, const FoundationRow &foundations, PileRow &foundationSlots,
               const TableauRow &tableau, PileRow &tableauSlots)
{
    BuildFoundationRow(table, rules.foundations, foundations, foundationSlots);
    BuildTableauRow(table, rules.tableau, tableau, tableauSlots, foundationSlots);
}

TDeck *BuildDiscardPile(GameTable &table, Place at)
{
    TDeck *discard = NewPile(table, at.left, at.top);
    table.SetTag(discard, DiscardTag);
    discard->SetShowEmpty(FoundationPile);
    discard->SetCardVal(-2);
    discard->DeckTag = 1;
    discard->OnSelect = &TBoardState::RefuseSelect;
    discard->OnAddWithRule = &TBoardState::RefuseAdd;
    discard->TipString = discard->EmptyDeckTipString = QStringLiteral("Pile for discarded cards");
    table.Foundations.Set(1, discard);
    return discard;
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
    table.BoardState()->SetScore(-n);
}

bool AnswerStockProbe(const TDeck *stock, bool &action, bool clicked, bool &clickable, bool &actionOnClick)
{
    action = false;
    clickable = true;
    actionOnClick = false;
    if (clicked)
        return false;
    actionOnClick = stock->CardsCount() > 0;
    return true;
}
