#pragma once

#include <optional>

// "--print-deal GAME NUMBER": deals the game with that number on a table that is never
// shown, prints it on standard output and gives the exit code. Nothing when the command
// line asks for something else. Needs no display (the offscreen platform is used).
std::optional<int> runPrintDeal(int argc, char **argv);
