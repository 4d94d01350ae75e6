#pragma once

#include <optional>

// "--solve GAME NUMBER [--budget-ms MS]": the verdict on a deal, its winning line as play
// commands and the search's size; "--solve-range GAME FROM TO [--budget-ms MS] [--jobs N]":
// one verdict a deal and a summary. Nothing when the command line asks for something else.
// Needs no display (the offscreen platform is used).
std::optional<int> runSolveCommand(int argc, char **argv);
