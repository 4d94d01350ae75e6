#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <stdexcept>
#include <string>
#include <utility>

// Thrown when bytes read from a file do not form what they should (too short, bad mark).
class DamagedData : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Thrown when a file cannot be written or replaced; reason holds the system's words for it
// (such as "No space left on device") when they are known.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    FileError(const std::string &message, std::string reason) : std::runtime_error(message), reason(std::move(reason)) {}
    std::string reason;
};

// Reads little-endian values from a block of bytes; every read past the end throws DamagedData.
class BinaryReader {
public:
    explicit BinaryReader(QByteArrayView bytes) : bytes_(bytes) {}

    qint64 size() const { return bytes_.size(); }
    qint64 position() const { return position_; }
    qint64 remaining() const { return bytes_.size() - position_; }
    void seek(qint64 position);
    void skip(qint64 count);

    quint8 readUInt8();
    qint16 readInt16();
    quint16 readUInt16();
    qint32 readInt32();
    quint32 readUInt32();
    double readDouble();
    QByteArray readBytes(qint64 count);
    // A string[fieldLength]: one length byte, then fieldLength bytes of which the first
    // "length" count; a length beyond the field is clamped to it.
    QString readShortString(int fieldLength);

private:
    void require(qint64 count) const;

    QByteArrayView bytes_;
    qint64 position_ = 0;
};

// Builds a block of bytes with little-endian values.
class BinaryWriter {
public:
    void writeUInt8(quint8 value);
    void writeInt16(qint16 value);
    void writeUInt16(quint16 value);
    void writeInt32(qint32 value);
    void writeUInt32(quint32 value);
    void writeDouble(double value);
    void writeBytes(QByteArrayView bytes);
    void writeZeros(qint64 count);
    // A string[fieldLength]: the text cut to the field, then zeros up to the field's end.
    void writeShortString(const QString &text, int fieldLength);
    // Room for this many bytes in all, so that a large file is not moved while it grows.
    void reserve(qint64 size) { bytes_.reserve(qsizetype(size)); }

    qint64 size() const { return bytes_.size(); }
    const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

// Windows-1252, the code page of the strings in the data files. The five unassigned bytes
// map to the control characters of the same number, so every byte survives a round trip;
// characters outside the code page become '?'.
QByteArray toWindows1252(QStringView text);
QString fromWindows1252(QByteArrayView bytes);
// The text as it reads back after being stored in a field of fieldLength bytes.
QString fitToField(const QString &text, int fieldLength);

// Date-times in the files are days since 1899-12-30 in local time, the time of day as the
// fraction (before that day the whole part is negative and the fraction still counts forward).
double toDayNumber(const QDateTime &time);
// An invalid QDateTime for values that are not finite or lie outside the years 100 to 9999.
QDateTime fromDayNumber(double days);
// The whole day of a day number.
double dayOf(double days);

// Reads a whole file of at most maxSize bytes; throws FileError when it cannot be read and
// DamagedData when it is larger than maxSize.
QByteArray readWholeFile(const QString &path, qint64 maxSize);
// Replaces the file with bytes through a temporary file and a rename, so that a failure
// leaves the old file as it was. Throws FileError.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Why the last operation on the file failed, in the system's words. A short write leaves
// no error in the file but the system's error number of the write that failed.
QString failureReason(const class QFileDevice &file);
