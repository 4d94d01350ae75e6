#include "games/pile_names.h"

#include "games/game_table.h"

namespace {

// The 1-based place of the pile in the row, 0 when it is not there.
int placeIn(const PileRow &row, const TDeck *pile)
{
    for (int i = 1; i <= row.Count(); ++i)
        if (row[i] == pile)
            return i;
    return 0;
}

} // namespace

QString PileName(const GameTable &table, const TDeck *pile)
{
    if (!pile)
        return {};
    if (pile == table.Stock)
        return QStringLiteral("stock");
    if (pile == table.Waste || pile == table.WasteFan)
        return QStringLiteral("waste");
    // Cells before the tableau: a game may list its cells in both rows.
    if (const int cell = placeIn(table.Cells, pile)) {
        if (pile->ShowEmpty() == FoundationPile)
            return QStringLiteral("foundation %1").arg(table.Foundations.Count() + cell);
        if (pile->ShowEmpty() == FreeCellPile)
            return QStringLiteral("free cell %1").arg(cell);
        return QStringLiteral("reserve %1").arg(cell);
    }
    if (const int foundation = placeIn(table.Foundations, pile))
        return pile->ShowEmpty() == FoundationPile ? QStringLiteral("foundation %1").arg(foundation)
                                                   : QStringLiteral("discard pile");
    if (const int column = placeIn(table.Tableau, pile))
        return QStringLiteral("tableau %1").arg(column);
    return {};
}
