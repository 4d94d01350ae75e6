#pragma once

#include <QString>

// The card as a screen reader says it: "Seven of hearts"; "Card" for a face it cannot name.
QString SpokenCardName(int cardFace);

// Lets screen readers see the table: the table as a pane whose last child is the keyboard
// focus, named as FocusDescription says. Installed once, by the first table made.
void InstallTableAccessibility();
