#pragma once

#include <optional>

// "--play GAME NUMBER [--cycle]": deals the game, plays the moves read from standard input
// and prints the answers, the table and whether the game is won. Nothing when the command
// line asks for something else. Needs no display (the offscreen platform is used).
std::optional<int> runPlayGame(int argc, char **argv);
