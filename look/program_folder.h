#pragma once

#include <QString>

// The folder of the program's read-only material (card-set packages, "Decks", backgrounds,
// tips, help): the build tree's data folder when the program runs from its build tree,
// otherwise <prefix>/share/tarnwick beside the installed program.
QString programFolder();
