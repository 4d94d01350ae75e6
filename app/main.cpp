#include "app/play_game.h"
#include "app/print_deal.h"
#include "app/program_start.h"
#include "app/solve_command.h"

int main(int argc, char **argv)
{
    // "--print-deal GAME NUMBER" prints a deal and ends; it needs no display and no instance lock.
    if (const std::optional<int> printed = runPrintDeal(argc, argv))
        return *printed;
    // "--play GAME NUMBER [--cycle]" plays moves read from standard input, also without a display.
    if (const std::optional<int> played = runPlayGame(argc, argv))
        return *played;
    // "--solve GAME NUMBER" and "--solve-range GAME FROM TO" ask the solver, also without a display.
    if (const std::optional<int> solved = runSolveCommand(argc, argv))
        return *solved;
    return runProgram(argc, argv);
}
