#include "games/deal_printout.h"

#include "engine/board_state.h"
#include "engine/card.h"
#include "engine/deck.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/new_game.h"

#include <QStringList>

namespace {

QString cardText(const TCard *card)
{
    static const char ranks[] = "A23456789TJQK";
    static const char suits[] = "CDHS";
    const int rank = card->Rank();
    const int suit = card->Suit();
    QString text;
    text += rank >= 1 && rank <= 13 ? QChar::fromLatin1(ranks[rank - 1]) : QChar('?');
    text += suit >= 1 && suit <= 4 ? QChar::fromLatin1(suits[suit - 1]) : QChar('?');
    return card->Face() ? text : text.toLower();
}

QString rowSlot(const PileRow &row, const TDeck *pile, const char *name)
{
    for (int i = 1; i <= PileRow::Capacity; ++i)
        if (row[i] == pile)
            return QString::fromLatin1(name) + QString::number(i);
    return {};
}

} // namespace

QString SlotName(const GameTable &table, const TDeck *pile)
{
    if (!pile)
        return QStringLiteral("-");
    if (pile == table.Stock)
        return QStringLiteral("Stock");
    if (pile == table.Waste)
        return QStringLiteral("Waste");
    if (pile == table.WasteFan)
        return QStringLiteral("WasteFan");
    for (const auto &[row, name] : {std::pair{&table.Foundations, "Foundation"}, std::pair{&table.Cells, "Cell"},
                                    std::pair{&table.Tableau, "Tableau"}})
        if (QString slot = rowSlot(*row, pile, name); !slot.isEmpty())
            return slot;
    return QStringLiteral("-");
}

QString DealPrintout(const GameTable &table, int gameId, quint32 gameNumber)
{
    QString text = QStringLiteral("game %1 number %2\n").arg(gameId).arg(gameNumber);
    const TBoardState *board = table.BoardState();
    for (const auto &owned : board->Decks()) {
        const TDeck *pile = owned.get();
        QStringList cards;
        for (const TCard *card = pile->TopCard(); card; card = card->Below)
            cards.prepend(cardText(card));
        text += QStringLiteral("%1 %2:").arg(pile->DeckID()).arg(SlotName(table, pile));
        if (!cards.isEmpty())
            text += QLatin1Char(' ') + cards.join(QLatin1Char(' '));
        text += QLatin1Char('\n');
    }
    text += QStringLiteral("score %1\n").arg(board->Score());
    return text;
}

void DealForPrinting(GameTable &table, int gameId, quint32 gameNumber)
{
    TBoardState *board = table.BoardState();
    board->Animate = false;
    table.CurrentGameId = gameId;
    table.PreviousGameId = -1;
    table.BaseGameId = BaseGameId(gameId, table.Customs);
    board->SetRotation_Counter(-1);
    board->Rotation_Number = -1;
    DealRoutine deal = DealRoutineFor(table.BaseGameId);
    if (!deal) {
        table.CurrentGameId = table.BaseGameId = FallBackGameId;
        deal = DealRoutineFor(FallBackGameId);
    }
    SetCardSuits(table, SuitsOfGame(table.BaseGameId));
    table.Random.SetSeed(gameNumber);
    deal(table);
}
