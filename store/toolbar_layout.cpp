#include "store/toolbar_layout.h"

#include <iterator>

QString toolbarCode(const QString &itemName)
{
    for (int code = 0; code < int(std::size(ToolbarItemNames)); ++code) {
        if (itemName == QLatin1String(ToolbarItemNames[code]))
            return QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    }
    return {};
}

QString toolbarLayoutString(const QStringList &itemNames)
{
    QStringList codes;
    for (const QString &name : itemNames)
        codes.append(toolbarCode(name));
    return codes.join(u',');
}

QStringList toolbarItemsOf(const QString &layout)
{
    // The text comes from the settings file: only the first entries are looked at, and an
    // entry counts only when it is exactly two ASCII digits naming an item.
    QStringList names;
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype start = 0;
    for (int entry = 0; entry < MaxToolbarLayoutEntries && start <= layout.size(); ++entry) {
        qsizetype end = layout.indexOf(u',', start);
        if (end < 0)
            end = layout.size();
        if (end - start == 2 && isDigit(layout[start]) && isDigit(layout[start + 1])) {
            const int number = (layout[start].unicode() - u'0') * 10 + (layout[start + 1].unicode() - u'0');
            if (number < int(std::size(ToolbarItemNames)))
                names.append(QLatin1String(ToolbarItemNames[number]));
        }
        start = end + 1;
    }
    return names;
}
