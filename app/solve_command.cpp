#include "app/solve_command.h"

#include "engine/board.h"
#include "engine/engine_state.h"
#include "games/deal_printout.h"
#include "games/game_table.h"
#include "solve/solver.h"

#include <QApplication>
#include <QString>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <limits>
#include <thread>
#include <vector>

namespace {

struct SolveArguments {
    bool range = false;
    int gameId = 0;
    quint32 from = 0;
    quint32 to = 0;
    SolveBudget budget;
    int jobs = 1;
};

bool readNumber(const char *text, qulonglong most, qulonglong &value)
{
    bool ok = false;
    value = QString::fromLocal8Bit(text).toULongLong(&ok);
    return ok && value <= most;
}

std::optional<SolveArguments> readArguments(int argc, char **argv, bool range)
{
    SolveArguments arguments;
    arguments.range = range;
    const int fixed = range ? 5 : 4;
    if (argc < fixed)
        return std::nullopt;
    qulonglong value = 0;
    if (!readNumber(argv[2], 1'000'000, value))
        return std::nullopt;
    arguments.gameId = int(value);
    if (!readNumber(argv[3], std::numeric_limits<quint32>::max(), value))
        return std::nullopt;
    arguments.from = arguments.to = quint32(value);
    if (range) {
        if (!readNumber(argv[4], std::numeric_limits<quint32>::max(), value) || value < arguments.from)
            return std::nullopt;
        arguments.to = quint32(value);
    }
    for (int i = fixed; i < argc; i += 2) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (i + 1 >= argc)
            return std::nullopt;
        if (option == QStringLiteral("--budget-ms") && readNumber(argv[i + 1], 86'400'000, value) && value > 0)
            arguments.budget.milliseconds = (long long)value;
        else if (range && option == QStringLiteral("--jobs") && readNumber(argv[i + 1], 64, value) && value > 0)
            arguments.jobs = int(value);
        else
            return std::nullopt;
    }
    return arguments;
}

// The deal in the solver's form, dealt on a table of its own (widgets live on this thread).
std::unique_ptr<SolverPosition> dealPosition(int gameId, quint32 number)
{
    TBoard board;
    GameTable table(&board);
    DealForPrinting(table, gameId, number);
    std::unique_ptr<SolverPosition> position = ReadPosition(table);
    table.ForgetPiles();
    return position;
}

int solveOne(const SolveArguments &arguments)
{
    const std::unique_ptr<SolverPosition> position = dealPosition(arguments.gameId, arguments.from);
    const SolveResult result = position ? position->Solve(arguments.budget) : SolveResult{};
    std::printf("%s\n", VerdictName(result.verdict));
    for (const std::string &line : result.lines)
        std::printf("%s\n", line.c_str());
    std::printf("positions %lld time %lld\n", result.positions, result.milliseconds);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int solveRange(const SolveArguments &arguments)
{
    const auto began = std::chrono::steady_clock::now();
    // Dealt and solved a batch at a time, so that any range runs in little memory and its
    // lines come as it goes.
    constexpr std::size_t BatchSize = 256;
    const unsigned long long total = (unsigned long long)(arguments.to - arguments.from) + 1;
    long long counts[3] = {};
    for (unsigned long long first = 0; first < total; first += BatchSize) {
        const std::size_t count = std::size_t(std::min<unsigned long long>(BatchSize, total - first));
        std::vector<std::unique_ptr<SolverPosition>> positions;
        for (std::size_t i = 0; i < count; ++i)
            positions.push_back(dealPosition(arguments.gameId, quint32(arguments.from + first + i)));
        std::vector<SolveResult> results(count);
        std::atomic<std::size_t> next = 0;
        const auto work = [&] {
            for (std::size_t i = next++; i < count; i = next++)
                if (positions[i]) {
                    results[i] = positions[i]->Solve(arguments.budget);
                    results[i].lines.clear();
                }
        };
        std::vector<std::thread> threads;
        for (int j = 1; j < arguments.jobs; ++j)
            threads.emplace_back(work);
        work();
        for (std::thread &thread : threads)
            thread.join();
        for (std::size_t i = 0; i < count; ++i) {
            ++counts[int(results[i].verdict)];
            std::printf("%llu %s %lld\n", arguments.from + first + i, VerdictName(results[i].verdict),
                        results[i].milliseconds);
        }
        std::fflush(stdout);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("summary: %lld winnable, %lld not-winnable, %lld unknown, %.1f deals/s\n", counts[0], counts[1],
                counts[2], seconds > 0 ? double(total) / seconds : 0.0);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

std::optional<int> runSolveCommand(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    const QString command = QString::fromLocal8Bit(argv[1]);
    const bool range = command == QStringLiteral("--solve-range");
    if (!range && command != QStringLiteral("--solve"))
        return std::nullopt;
    const std::optional<SolveArguments> arguments = readArguments(argc, argv, range);
    if (!arguments) {
        std::fputs(range ? "usage: tarnwick --solve-range GAME FROM TO [--budget-ms MS] [--jobs N]\n"
                         : "usage: tarnwick --solve GAME NUMBER [--budget-ms MS]\n",
                   stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    engineState().ShowMessage = [](const QString &) {};
    return range ? solveRange(*arguments) : solveOne(*arguments);
}
