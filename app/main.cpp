#include "app/print_deal.h"
#include "app/program_start.h"

int main(int argc, char **argv)
{
    // "--print-deal GAME NUMBER" prints a deal and ends; it needs no display and no instance lock.
    if (const std::optional<int> printed = runPrintDeal(argc, argv))
        return *printed;
    return runProgram(argc, argv);
}
