#pragma once

#include <QString>
#include <QtGlobal>

// The program's own libraries (libtarnwick_NAME.so) that hold what only some uses need, so
// that the toolkits they link are neither loaded nor linked at start: found in the build
// tree's lib folder when the program runs from its build tree, otherwise in lib/tarnwick
// beside the installed program, or where it was installed.

// The entry point of the library; null, and the reason in failure, when the library cannot
// be loaded or lacks it. A library is loaded once and kept for the rest of the run; safe on
// any thread.
QFunctionPointer programLibraryEntry(const char *name, const char *entry, QString *failure = nullptr);
