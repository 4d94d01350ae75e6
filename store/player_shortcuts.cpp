#include "store/player_shortcuts.h"

#include "store/application_id.h"
#include "store/binary_stream.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace {

const QString ReservedCharacters = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

QString quoteArgument(const QString &argument)
{
    QString text = argument;
    text.replace(u'%', QLatin1String("%%"));
    const bool needsQuotes =
        text.isEmpty() || std::any_of(text.cbegin(), text.cend(), [](QChar c) { return ReservedCharacters.contains(c); });
    if (!needsQuotes)
        return text;
    QString quoted = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

// The escapes of a string value in a desktop entry.
QString escapeValue(const QString &value)
{
    QString escaped;
    for (QChar c : value) {
        if (c == u'\\')
            escaped += QLatin1String("\\\\");
        else if (c == u'\n')
            escaped += QLatin1String("\\n");
        else if (c == u'\t')
            escaped += QLatin1String("\\t");
        else if (c == u'\r')
            escaped += QLatin1String("\\r");
        else
            escaped += c;
    }
    return escaped;
}

QString unescapeValue(const QString &value)
{
    QString text;
    for (qsizetype index = 0; index < value.size(); ++index) {
        const QChar c = value[index];
        if (c != u'\\' || index + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar next = value[++index];
        text += next == u's' ? QChar(u' ') : next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t')
              : next == u'r' ? QChar(u'\r') : next;
    }
    return text;
}

QString launcherFileName(const QString &shortcutName)
{
    QString name = shortcutName;
    name.replace(u'/', u'_');
    if (name.startsWith(u'.'))
        name.prepend(u'_');
    return name + QStringLiteral(".desktop");
}

// The Exec value of the [Desktop Entry] group; empty when there is none.
QString execValueOf(const QByteArray &contents)
{
    bool inEntry = false;
    for (const QByteArray &rawLine : contents.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (inEntry && line.startsWith(QLatin1String("Exec"))) {
            const QString rest = line.mid(4).trimmed();
            if (rest.startsWith(u'='))
                return rest.mid(1).trimmed();
        }
    }
    return {};
}

} // namespace

QString desktopExecValue(const QStringList &arguments)
{
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted.append(quoteArgument(argument));
    return escapeValue(quoted.join(u' '));
}

QStringList splitDesktopExecValue(const QString &value)
{
    const QString text = unescapeValue(value);
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const QChar c = text[index];
        if (quoted) {
            if (c == u'\\' && index + 1 < text.size())
                current += text[++index];
            else if (c == u'"')
                quoted = false;
            else
                current += c;
        } else if (c == u' ' || c == u'\t') {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == u'"')
                quoted = true;
            else
                current += c;
        }
    }
    if (inArgument)
        arguments.append(current);
    for (QString &argument : arguments)
        argument.replace(QLatin1String("%%"), QLatin1String("%"));
    return arguments;
}

PlayerShortcuts::PlayerShortcuts(QString desktopFolder, QString programPath)
    : desktopFolder_(std::move(desktopFolder)), programPath_(std::move(programPath))
{
}

QString PlayerShortcuts::proposedName(const QString &playerName)
{
    return playerName + QStringLiteral("'s ") + QStringLiteral("Tarnwick");
}

QString PlayerShortcuts::playerArgument(const QString &playerName)
{
    return QStringLiteral("-u\"") + playerName + u'"';
}

QString PlayerShortcuts::create(const QString &shortcutName, const QString &playerName) const
{
    if (desktopFolder_.isEmpty() || !QDir().mkpath(desktopFolder_))
        throw FileError("no desktop folder");
    const QString path = QDir(desktopFolder_).filePath(launcherFileName(shortcutName));
    const QString contents = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + escapeValue(shortcutName) +
                             QStringLiteral("\nExec=") + desktopExecValue({programPath_, playerArgument(playerName)}) +
                             QStringLiteral("\nIcon=") +
                             QString::fromLatin1(ApplicationId) + QStringLiteral("\nTerminal=false\n");
    writeFileAtomically(path, contents.toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                    QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return path;
}

QString PlayerShortcuts::find(const QString &playerName) const
{
    if (desktopFolder_.isEmpty())
        return {};
    const QStringList wanted = {programPath_, playerArgument(playerName)};
    const QDir folder(desktopFolder_);
    for (const QString &name : folder.entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name)) {
        const QString path = folder.filePath(name);
        QByteArray contents;
        try {
            contents = readWholeFile(path, 64 * 1024);
        } catch (const std::runtime_error &) {
            continue;
        }
        if (splitDesktopExecValue(execValueOf(contents)) == wanted)
            return path;
    }
    return {};
}

bool PlayerShortcuts::remove(const QString &playerName) const
{
    const QString path = find(playerName);
    return !path.isEmpty() && QFile::remove(path);
}
