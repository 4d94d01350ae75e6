#include "app/play_game.h"
#include "app/print_deal.h"
#include "app/program_start.h"

int main(int argc, char **argv)
{
    // "--print-deal GAME NUMBER" prints a deal and ends; it needs no display and no instance lock.
    if (const std::optional<int> printed = runPrintDeal(argc, argv))
        return *printed;
    // "--play GAME NUMBER [--cycle]" plays moves read from standard input, also without a display.
    if (const std::optional<int> played = runPlayGame(argc, argv))
        return *played;
    return runProgram(argc, argv);
}
