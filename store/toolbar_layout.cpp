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
    QStringList names;
    for (const QString &code : layout.split(u',', Qt::SkipEmptyParts)) {
        bool converted = false;
        const int number = code.trimmed().toInt(&converted);
        if (converted && code.trimmed().size() == 2 && number >= 0 && number < int(std::size(ToolbarItemNames)))
            names.append(QLatin1String(ToolbarItemNames[number]));
    }
    return names;
}
