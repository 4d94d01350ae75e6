#pragma once

#include <QString>
#include <QStringList>

// What could not be saved when the program last closed, told at the next start. The note
// goes to the first folder that takes it: the data folder, the settings folder, the runtime
// folder (a memory file system, so a full disk does not keep it out).
class CloseReport {
public:
    explicit CloseReport(QStringList folders);

    // Writes the failures ("what: why", one a line); false when no folder took the note.
    bool write(const QStringList &failures) const;
    // The failures of the last close; the note is removed, so each is told once.
    QStringList take() const;

    // "Tarnwick could not save your statistics when it last closed: No space left on device."
    static QString atNextStart(const QString &failure);
    // The same while the program runs: "Tarnwick could not save your game log: …".
    static QString whilePlaying(const QString &failure);

private:
    QStringList paths_;
};
