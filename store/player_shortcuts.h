#pragma once

#include <QString>
#include <QStringList>

// Desktop launchers that start the program with a chosen player: freedesktop ".desktop"
// files whose command is the program followed by -u"name".
class PlayerShortcuts {
public:
    PlayerShortcuts(QString desktopFolder, QString programPath);

    // The proposed launcher name: the player's name + "'s " + "Tarnwick".
    static QString proposedName(const QString &playerName);
    // The argument that chooses the player.
    static QString playerArgument(const QString &playerName);

    // Writes the launcher (mode 0755) and returns its path. Throws FileError.
    QString create(const QString &shortcutName, const QString &playerName) const;
    // The first launcher in the folder that starts this program with this player; empty when none.
    QString find(const QString &playerName) const;
    // Deletes the player's launcher if there is one; failures are ignored.
    bool remove(const QString &playerName) const;

private:
    QString desktopFolder_;
    QString programPath_;
};

// The Exec value of a launcher for these arguments, quoted and escaped as launchers want.
QString desktopExecValue(const QStringList &arguments);
// The arguments of an Exec value as stored in the file (escapes of the value undone).
QStringList splitDesktopExecValue(const QString &value);
