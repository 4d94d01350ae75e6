#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>

// `LogRecord`: one finished game in qellog.dat, 112 bytes.
struct LogRecord {
    static constexpr int Size = 112;
    static constexpr int PlayerNameLength = 20;
    static constexpr int CommentLength = 40;

    quint32 GameNumber = 0;
    qint32 GameId = 0;
    bool Won = false;
    qint32 Score = 0;
    qint32 Moves = 0;
    double StartTime = 0; // day number
    double Duration = 0;  // days
    QString PlayerName;
    QString Comment;
    qint32 RunNumber = 0;
    // Reserved bytes, carried through edits in place.
    std::array<char, 3> Reserved9{};
    std::array<char, 4> Reserved98{};
    std::array<char, 4> Reserved106{};
    std::array<char, 2> Reserved110{};

    bool operator==(const LogRecord &) const = default;
};

// Throws DamagedData when fewer than 112 bytes are given.
LogRecord decodeLogRecord(QByteArrayView bytes);
QByteArray encodeLogRecord(const LogRecord &record);

// `TRecordStream`: a file of fixed-size records, addressed in records. Failures throw
// FileError (and DamagedData for a record that is not whole).
class TRecordStream {
public:
    TRecordStream() = default;
    virtual ~TRecordStream() = default;
    TRecordStream(const TRecordStream &) = delete;
    TRecordStream &operator=(const TRecordStream &) = delete;

    enum Origin { FromBeginning, FromCurrent, FromEnd };

    // Opens the file; false when it cannot be opened.
    bool open(const QString &path, QIODevice::OpenMode mode);
    void close() { file_.close(); }
    QFile &file() { return file_; }

    virtual qint64 RecordSize() const { return LogRecord::Size; }
    // Whole records only; a trailing partial record is not counted.
    qint64 RecordCount() const;
    // 1-based number of the record at the position.
    qint64 CurrentRecord() const;
    void SeekRecord(qint64 count, Origin origin);
    QByteArray ReadRecord();
    void WriteRecord(QByteArrayView record);
    // Writes after the last whole record, so that a partial record left by an interrupted
    // write is overwritten rather than shifting every later record. A failed write cuts the
    // file back to its whole records.
    void AppendRecord(QByteArrayView record);
    // Moves to the last whole record; fails when there is none.
    void SeekLastRecord();
    void StepBack();

private:
    void seekBytes(qint64 position);
    QFile file_;
};

// qellog.dat, the game log: opened for every operation and closed again, never held whole.
class GameLog {
public:
    explicit GameLog(QString path);

    const QString &path() const { return path_; }
    QString scratchPath() const;

    // Creates the log when missing; zeroes the bytes 106 to 109 of the record. Throws FileError.
    void append(LogRecord record);
    // The last record; nothing when there is no log or it holds no record.
    std::optional<LogRecord> readLast() const;
    // Every record of oldName gets newName (cut to 20 characters). False without a log.
    bool renamePlayer(const QString &oldName, const QString &newName);
    // Removes the player's records of gameId, or of every game for -1.
    bool deletePlayerRecords(const QString &name, int gameId);
    // Removes the player's records of all these games in one rewrite.
    bool deletePlayerRecords(const QString &name, const QList<int> &gameIds);
    // Removes the records of gameId (-1: all records). Custom variants above a deleted one
    // (gameId >= 1000) move down by one, as the variants are renumbered.
    bool deleteGameRecords(int gameId);
    // Keeps the last maxRecords records; false (and the log untouched) for a limit below 1.
    bool trim(int maxRecords);
    // Number of whole records; 0 without a log.
    qint64 recordCount() const;
    // Calls visit for each record in file order until it returns false.
    void forEachRecord(const std::function<bool(qint64 index, const LogRecord &)> &visit) const;

    // Where a damaged log is kept aside before it is changed.
    QString keptAsidePath() const;

private:
    // Records read or written in one go when the log is copied (about 450 KB).
    static constexpr qint64 BlockRecords = 4096;

    // Opens the log, lets copy fill the scratch file from it, then puts the scratch file in
    // the log's place. False when there is no log or the copy or the replacing failed; the
    // old log is then untouched.
    bool replaceThrough(const std::function<bool(TRecordStream &source, QFile &target)> &copy);
    // Copies every record through transform (which may drop it by returning nothing) into
    // the scratch file, then puts the scratch file in the log's place. False when there is no
    // log or the rewrite failed; the old log is then untouched.
    bool rewrite(const std::function<std::optional<LogRecord>(qint64 index, qint64 count, LogRecord)> &transform);
    // A log whose size is not a whole number of records is copied aside once.
    void keepAsideWhenPartial(const TRecordStream &stream) const;

    QString path_;
};

// The first free name of path + ".bad", ".bad1", ".bad2", ... for keeping a damaged file.
QString keepAsideName(const QString &path);
