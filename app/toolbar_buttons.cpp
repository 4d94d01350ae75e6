#include "app/toolbar_buttons.h"

#include "store/toolbar_layout.h"

#include <iterator>

namespace ToolbarButtons {
namespace {

// In the order of the available list.
constexpr Button Buttons[] = {
    {13, "Exit", "Exit", "Exit|"},
    {1, "Select Solitaire", "Select", "Select Solitaire|"},
    {2, "Undo", "Undo", "Undo|"},
    {3, "Redo", "Redo", "Redo|"},
    {4, "Show Next Move", "Next", "Show Next Move|"},
    {5, "Autoplay", "Autoplay", "Autoplay|"},
    {6, "Statistics", "", ""},
    {7, "Options", "Options", "Options|"},
    {8, "Help", "Help", "Help|"},
    {9, "New Game", "New", "New Game|"},
    {10, "Restart Game", "Restart", "Restart Game|"},
    {11, "Open Game", "Open", "Open Game|"},
    {12, "Save Game", "Save", "Save Game|"},
};

} // namespace

const Button *ByCode(int code)
{
    for (const Button &button : Buttons)
        if (button.code == code)
            return &button;
    return nullptr;
}

const Button *ByName(const QString &name)
{
    for (const Button &button : Buttons)
        if (name == QLatin1String(button.name))
            return &button;
    return nullptr;
}

QString SeparatorName()
{
    return QString::fromLatin1(ToolbarItemNames[SeparatorCode]);
}

QStringList AllButtonNames()
{
    QStringList names;
    for (const Button &button : Buttons)
        names.append(QString::fromLatin1(button.name));
    return names;
}

QStringList DefaultButtonNames()
{
    const QString separator = SeparatorName();
    return {QStringLiteral("New Game"), QStringLiteral("Select Solitaire"), separator,
            QStringLiteral("Undo"), QStringLiteral("Redo"), separator,
            QStringLiteral("Autoplay"), separator, QStringLiteral("Statistics"),
            QStringLiteral("Options"), QStringLiteral("Help"), separator,
            QStringLiteral("Exit")};
}

Lists Lists::FromLayout(const QString &layout)
{
    Lists lists;
    lists.available = AllButtonNames();
    for (const QString &name : toolbarItemsOf(layout)) {
        if (name == SeparatorName()) {
            lists.current.append(name);
            continue;
        }
        const Button *button = ByName(name);
        if (!button || button->code == StatisticsCode)
            continue;
        if (lists.available.removeOne(name))
            lists.current.append(name);
    }
    return lists;
}

QString Lists::Layout() const
{
    return toolbarLayoutString(current);
}

int StatisticsMode(int mode, bool showNextMoveOnToolbar)
{
    if (showNextMoveOnToolbar)
        return mode < 2 ? mode + 2 : mode;
    return mode == 2 || mode == 3 ? mode - 2 : mode;
}

int LargeButtonSize(qreal dotsPerInch)
{
    return dotsPerInch < 97 ? 51 : 59;
}

} // namespace ToolbarButtons
