#include "app/play_game.h"

#include "app/custom_variants.h"
#include "engine/board.h"
#include "engine/engine_state.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/move_player.h"

#include <QApplication>
#include <QIODevice>
#include <QString>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

std::optional<int> runPlayGame(int argc, char **argv)
{
    if (argc < 2 || QString::fromLocal8Bit(argv[1]) != QStringLiteral("--play"))
        return std::nullopt;
    bool gameOk = false;
    bool numberOk = false;
    const bool shapeOk = argc == 4 || (argc == 5 && QString::fromLocal8Bit(argv[4]) == QStringLiteral("--cycle"));
    const int gameId = shapeOk ? QString::fromLocal8Bit(argv[2]).toInt(&gameOk) : 0;
    const qulonglong number = shapeOk ? QString::fromLocal8Bit(argv[3]).toULongLong(&numberOk) : 0;
    if (!gameOk || !numberOk || gameId < 0 || number > std::numeric_limits<quint32>::max()) {
        std::fputs("usage: tarnwick --play GAME NUMBER [--cycle] < moves (GAME a game id, NUMBER 0..4294967295)\n",
                   stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    // Messages of the rules ("All empty tableau piles must be filled") go to the error stream.
    engineState().ShowMessage = [](const QString &text) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    };
    TBoard board;
    GameTable table(&board);
    CustomVariants variants;
    if (!PrepareCommandLineTable(table, variants, gameId))
        return 2;
    QTextStream input(stdin, QIODevice::ReadOnly);
    QTextStream output(stdout, QIODevice::WriteOnly);
    int code = PlayGameFromText(table, gameId, quint32(number), argc == 5, input, output);
    table.ForgetPiles();
    if (code == 0 && std::fflush(stdout) != 0)
        code = 1;
    if (code == 1)
        std::fprintf(stderr, "tarnwick: cannot write the answers: %s\n", std::strerror(errno));
    return code;
}
