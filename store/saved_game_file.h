#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <vector>

// A saved game (".qel", the automatic save asg.lpg, the copy of a won game LF.lpg): the
// game id, its shuffle number and the whole move journal with its position. The journal
// records are kept as the bytes the table wrote; what they mean is the engine's business.
struct SavedGame {
    static constexpr int HeaderSize = 48;
    static constexpr int RecordSize = 28;
    static constexpr qint32 EndMark = 200;
    // No game comes near this many journal entries; a larger count is damage.
    static constexpr qint32 MaxEntries = 1'000'000;
    static constexpr qint64 MaxFileSize = HeaderSize + qint64(MaxEntries) * RecordSize + 4;

    using Record = std::array<quint8, RecordSize>;

    qint32 GameId = 0;
    quint32 GameNumber = 0;
    std::vector<Record> Journal;
    qint32 JournalPos = -1; // the last entry in effect; -1 none
    double StartTime = 0;   // days since 1899-12-30
    double SaveTime = 0;
    bool Replay = false;    // the copy of a won game, to be replayed from its start
    qint32 MoveCount = 0;

    qint64 FileSize() const { return HeaderSize + qint64(Journal.size()) * RecordSize + 4; }
};

// The file's bytes. The position is written as given (0 in a replay copy is the caller's).
QByteArray encodeSavedGame(const SavedGame &game);
// Throws DamagedData unless the bytes are exactly one saved game: the entry count agrees with
// the size (checked before anything is allocated), the position lies within -1..J-1 and the
// end mark is 200.
SavedGame decodeSavedGame(QByteArrayView bytes);

// Writes the file atomically: a failure leaves the old file as it was. Throws FileError.
void writeSavedGame(const QString &path, const SavedGame &game);
// Throws FileError when the file cannot be read, DamagedData when it is no saved game.
SavedGame readSavedGame(const QString &path);

// "Flower Garden", 1234567 -> "Flower_Garden_1234567.qel".
QString defaultSavedGameName(const QString &gameName, quint32 gameNumber);
// The name with ".qel" appended when it has no extension.
QString withSavedGameExtension(const QString &path);

inline constexpr char SavedGameExtension[] = "qel";
inline constexpr char WonGameCopyName[] = "LF.lpg";
