#include "app/print_deal.h"

#include "app/custom_variants.h"
#include "engine/board.h"
#include "games/deal_printout.h"
#include "games/freecell.h"
#include "games/catalogue.h"
#include "games/game_table.h"

#include <QApplication>
#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

std::optional<int> runPrintDeal(int argc, char **argv)
{
    if (argc < 2 || QString::fromLocal8Bit(argv[1]) != QStringLiteral("--print-deal"))
        return std::nullopt;
    bool gameOk = false;
    bool numberOk = false;
    // "--format fcs": the FreeCell columns as solvers read them.
    const bool solverFormat = argc == 6 && QString::fromLocal8Bit(argv[4]) == QStringLiteral("--format")
        && QString::fromLocal8Bit(argv[5]) == QStringLiteral("fcs");
    const bool shapeOk = argc == 4 || solverFormat;
    const int gameId = shapeOk ? QString::fromLocal8Bit(argv[2]).toInt(&gameOk) : 0;
    const qulonglong number = shapeOk ? QString::fromLocal8Bit(argv[3]).toULongLong(&numberOk) : 0;
    if (!gameOk || !numberOk || gameId < 0 || number > std::numeric_limits<quint32>::max()
        || (solverFormat && gameId != GameIds::FreeCell)) {
        std::fputs("usage: tarnwick --print-deal GAME NUMBER [--format fcs] (GAME a game id, NUMBER "
                   "0..4294967295; fcs only for FreeCell, 32)\n",
                   stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    TBoard board;
    GameTable table(&board);
    CustomVariants variants;
    if (!PrepareCommandLineTable(table, variants, gameId))
        return 2;
    DealForPrinting(table, gameId, quint32(number));
    // The header names the game that was dealt, as New Game switches to it.
    const QByteArray text =
        (solverFormat ? FreeCellSolverBoard(table) : DealPrintout(table, table.CurrentGameId, quint32(number))).toUtf8();
    const bool written = std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size());
    table.ForgetPiles();
    if (!written || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tarnwick: cannot write the deal: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
