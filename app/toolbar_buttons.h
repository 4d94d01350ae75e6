#pragma once

#include <QString>
#include <QStringList>

// The main toolbar's buttons: what each one is called, shows and says, and the two lists the
// player arranges them in.
namespace ToolbarButtons {

inline constexpr int SeparatorCode = 0;
inline constexpr int ShowNextMoveCode = 4;
inline constexpr int StatisticsCode = 6; // offered in the customisation dialog, never a button

struct Button {
    int code;            // the two-digit code of "tbconf", also the number of its picture
    const char *name;    // as the customisation dialog lists it
    const char *caption; // under the picture of a large button
    const char *hint;    // short hint "|" long hint
};

// The button of a code (1 to 13) or a name; null for anything else (and for "Separator").
const Button *ByCode(int code);
const Button *ByName(const QString &name);
QString SeparatorName();

// The order the available list starts in.
QStringList AllButtonNames();
// What "Restore default" puts on the toolbar.
QStringList DefaultButtonNames();

// The two lists: the buttons on the toolbar in order ("Separator" any number of times) and
// the buttons not on it.
struct Lists {
    QStringList current;
    QStringList available;

    // Read from a "tbconf" text: a separator for "00", each other known code moves its button
    // from the available list to the end of the current list; codes without a button and
    // buttons already moved are skipped.
    static Lists FromLayout(const QString &layout);
    QString Layout() const;
    bool HoldsShowNextMove() const { return current.contains(QLatin1String(ByCode(ShowNextMoveCode)->name)); }
};

// The statistics mode: "CollectStatistics" (0 off, 1 on) plus 2 while "Show Next Move" is on
// the toolbar.
int StatisticsMode(int mode, bool showNextMoveOnToolbar);

// The size of a large button: 51 pixels up to 96 dots per inch, else 59.
int LargeButtonSize(qreal dotsPerInch);

} // namespace ToolbarButtons
