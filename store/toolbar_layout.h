#pragma once

#include <QString>
#include <QStringList>

// The toolbar's items by name and their two-digit codes in the setting "tbconf".
inline constexpr const char *ToolbarItemNames[] = {
    "Separator", "Select Solitaire", "Undo", "Redo", "Show Next Move", "Autoplay", "Statistics",
    "Options", "Help", "New Game", "Restart Game", "Open Game", "Save Game", "Exit"};

// The code of an item name ("00" to "13"); empty for any other name.
QString toolbarCode(const QString &itemName);
// The "tbconf" text of the toolbar's items from left to right, e.g. "09,01,00,13".
QString toolbarLayoutString(const QStringList &itemNames);
// A stored layout is read no further than this many entries.
inline constexpr int MaxToolbarLayoutEntries = 64;
// The item names of a "tbconf" text, left to right; entries that are not two digits naming
// an item are skipped, and only the first MaxToolbarLayoutEntries entries are read.
QStringList toolbarItemsOf(const QString &layout);
