#include "app/print_deal.h"

#include "engine/board.h"
#include "games/deal_printout.h"
#include "games/game_table.h"

#include <QApplication>
#include <QString>
#include <cstdio>
#include <limits>

std::optional<int> runPrintDeal(int argc, char **argv)
{
    if (argc < 2 || QString::fromLocal8Bit(argv[1]) != QStringLiteral("--print-deal"))
        return std::nullopt;
    bool gameOk = false;
    bool numberOk = false;
    const int gameId = argc == 4 ? QString::fromLocal8Bit(argv[2]).toInt(&gameOk) : 0;
    const qulonglong number = argc == 4 ? QString::fromLocal8Bit(argv[3]).toULongLong(&numberOk) : 0;
    if (!gameOk || !numberOk || gameId < 0 || number > std::numeric_limits<quint32>::max()) {
        std::fputs("usage: tarnwick --print-deal GAME NUMBER (GAME a game id, NUMBER 0..4294967295)\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    TBoard board;
    GameTable table(&board);
    DealForPrinting(table, gameId, quint32(number));
    const QByteArray text = DealPrintout(table, gameId, quint32(number)).toUtf8();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    table.ForgetPiles();
    return std::fflush(stdout) == 0 ? 0 : 1;
}
