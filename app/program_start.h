#pragma once

// The program's start: one copy per user, "-STOP", "/CLEAR", the splash window, the main
// window with the game selection dialog opened by its start message, the event loop and the
// close. Returns the exit code.
int runProgram(int argc, char **argv);
