#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/deal_printout.h"
#include "games/move_player.h"
#include "support/dealt_game_checks.h"
#include "support/table_fixture.h"

#include <QTextStream>
#include <gtest/gtest.h>
#include <random>

namespace {

class PlayDealtGames : public ::testing::TestWithParam<int>, public TableFixture {
protected:
    PlayDealtGames()
    {
        engineState() = EngineState{};
        engineState().ShowMessage = [](const QString &) {};
    }
    // "--play" over the lines; the answers, one a line, then the table and "won".
    QStringList play(quint32 number, const QString &lines, bool cycle = false)
    {
        ClearTable(table);
        QString in = lines;
        QString out;
        QTextStream input(&in);
        QTextStream output(&out);
        PlayGameFromText(table, GetParam(), number, cycle, input, output);
        output.flush();
        return out.split('\n', Qt::SkipEmptyParts);
    }
};

// Moves of top cards found by the move search, written as commands and played by "--play":
// every one is carried out, as a player's drag would be.
TEST_P(PlayDealtGames, LegalTopCardMovesAreCarriedOut)
{
    std::mt19937 random{quint32(GetParam())};
    for (quint32 number : {3u, 44u, 555u}) {
        SCOPED_TRACE(number);
        ClearTable(table);
        DealForPrinting(table, GetParam(), number);
        board.ClearJournal();
        MovePlayer player(table);
        int played = 0;
        for (int step = 0; step < 60; ++step) {
            board.ResetHintList();
            TCard *card = nullptr;
            TDeck *target = nullptr;
            if (!board.FindMove(card, target, false)) {
                if (table.Stock && player.Run(QStringLiteral("click Stock")))
                    continue;
                break;
            }
            const auto &entry = board.Candidates.Entries[std::size_t(random() % unsigned(board.Candidates.Count)) + 1];
            if (entry.Card != entry.Card->HostDeck()->TopCard())
                continue;
            const QString line = SlotName(table, entry.Card->HostDeck()) + ' ' + SlotName(table, entry.Deck);
            ASSERT_TRUE(player.Run(line)) << line.toStdString();
            ++played;
            player.RunCycle();
            ASSERT_TRUE(LocationsAgree(table));
        }
        EXPECT_GT(played, 0);
    }
}

TEST_P(PlayDealtGames, RefusedLinesLeaveTheTableAsDealt)
{
    const QStringList dealt = play(9, QString());
    const QStringList after = play(9, QStringLiteral("Foundation1 Tableau1\nTableau99 Tableau1\nbogus\nundo\n"));
    ASSERT_EQ(after.size(), dealt.size() + 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(after[i], QStringLiteral("refused"));
    EXPECT_EQ(after.mid(4), dealt);
    EXPECT_EQ(dealt.last(), QStringLiteral("won no"));
}

INSTANTIATE_TEST_SUITE_P(EveryGame, PlayDealtGames,
                         ::testing::Values(GameIds::Bisley, GameIds::FlowerGarden, GameIds::Bouquet, GameIds::Carpet,
                                           GameIds::Nestor),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return GameName(info.param).remove(' ').toStdString();
                         });

} // namespace
