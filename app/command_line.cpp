#include "app/command_line.h"

#include "store/settings.h"
#include "store/store_locations.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

StartMode startMode(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return StartMode::Run;
    const QString first = arguments.first().toUpper();
    if (first == QLatin1String("-STOP"))
        return StartMode::Stop;
    if (first == QLatin1String("/CLEAR"))
        return StartMode::Clear;
    return StartMode::Run;
}

namespace {

// Reads an INI file as it lies on disk (QSettings would answer from its in-process cache)
// and tells whether it still holds anything the reset must erase. Keys of `keptSection`
// named `keptKey` may stay.
bool stillHoldsErasedValues(const QString &path, const QStringList &erasedSections, const QString &keptSection,
                            const QString &keptKey, bool eraseEverything)
{
    QFile file(path);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return true;
    QString section = QStringLiteral("General");
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const QString key = line.section(u'=', 0, 0).trimmed();
        if (eraseEverything || erasedSections.contains(section))
            return true;
        if (section == keptSection && key != keptKey)
            return true;
        if (section == QLatin1String("General") && key == QLatin1String(SettingName::GameOptions))
            return true;
    }
    return false;
}

} // namespace

bool clearStoredSettings(const StoreLocations &locations, QString *reason)
{
    const QString path = locations.settingsFile();
    if (QFileInfo::exists(path)) {
        Settings::reset(path);
        const QStringList erased = {QString::fromLatin1(SettingSection::Toolbar2), QString::fromLatin1(SettingSection::Data),
                                    QString::fromLatin1(SettingSection::DemoToolbar),
                                    QString::fromLatin1(SettingSection::Players)};
        if (stillHoldsErasedValues(path, erased, QString::fromLatin1(SettingSection::Cards),
                                   QString::fromLatin1(SettingName::u), false)) {
            if (reason)
                *reason = QStringLiteral("cannot rewrite %1").arg(path);
            return false;
        }
    }
    // The toolbar positions live in a file of their own; every group in it goes.
    const QString toolbarPath = locations.toolbarSettingsFile();
    if (QFileInfo::exists(toolbarPath)) {
        QSettings toolbars(toolbarPath, QSettings::IniFormat);
        toolbars.clear();
        toolbars.sync();
        if (stillHoldsErasedValues(toolbarPath, {}, {}, {}, true)) {
            if (reason)
                *reason = QStringLiteral("cannot rewrite %1").arg(toolbarPath);
            return false;
        }
    }
    return true;
}
