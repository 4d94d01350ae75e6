#include "store/binary_stream.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <array>
#include <cmath>
#include <cerrno>
#include <cstring>

void BinaryReader::require(qint64 count) const
{
    if (count < 0 || count > remaining())
        throw DamagedData("unexpected end of data");
}

void BinaryReader::seek(qint64 position)
{
    if (position < 0 || position > bytes_.size())
        throw DamagedData("position outside the data");
    position_ = position;
}

void BinaryReader::skip(qint64 count)
{
    require(count);
    position_ += count;
}

quint8 BinaryReader::readUInt8()
{
    require(1);
    return quint8(bytes_[position_++]);
}

qint16 BinaryReader::readInt16()
{
    return qint16(readUInt16());
}

quint16 BinaryReader::readUInt16()
{
    require(2);
    const quint16 value = qFromLittleEndian<quint16>(bytes_.data() + position_);
    position_ += 2;
    return value;
}

qint32 BinaryReader::readInt32()
{
    return qint32(readUInt32());
}

quint32 BinaryReader::readUInt32()
{
    require(4);
    const quint32 value = qFromLittleEndian<quint32>(bytes_.data() + position_);
    position_ += 4;
    return value;
}

double BinaryReader::readDouble()
{
    require(8);
    const quint64 bits = qFromLittleEndian<quint64>(bytes_.data() + position_);
    position_ += 8;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray BinaryReader::readBytes(qint64 count)
{
    require(count);
    QByteArray bytes(bytes_.data() + position_, count);
    position_ += count;
    return bytes;
}

QString BinaryReader::readShortString(int fieldLength)
{
    require(1 + qint64(fieldLength));
    const int length = std::min<int>(readUInt8(), fieldLength);
    const QString text = fromWindows1252(bytes_.sliced(position_, length));
    position_ += fieldLength;
    return text;
}

void BinaryWriter::writeUInt8(quint8 value)
{
    bytes_.append(char(value));
}

void BinaryWriter::writeInt16(qint16 value)
{
    writeUInt16(quint16(value));
}

void BinaryWriter::writeUInt16(quint16 value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes_.append(buffer, 2);
}

void BinaryWriter::writeInt32(qint32 value)
{
    writeUInt32(quint32(value));
}

void BinaryWriter::writeUInt32(quint32 value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes_.append(buffer, 4);
}

void BinaryWriter::writeDouble(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[8];
    qToLittleEndian(bits, buffer);
    bytes_.append(buffer, 8);
}

void BinaryWriter::writeBytes(QByteArrayView bytes)
{
    bytes_.append(bytes);
}

void BinaryWriter::writeZeros(qint64 count)
{
    if (count > 0)
        bytes_.append(count, '\0');
}

void BinaryWriter::writeShortString(const QString &text, int fieldLength)
{
    const QByteArray encoded = toWindows1252(text).left(std::min(fieldLength, 255));
    writeUInt8(quint8(encoded.size()));
    writeBytes(encoded);
    writeZeros(fieldLength - encoded.size());
}

namespace {

// Characters of the bytes 0x80..0x9F; the unassigned ones keep their own number.
constexpr std::array<char16_t, 32> HighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeCharacter(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return char(character);
    for (std::size_t index = 0; index < HighControlBlock.size(); ++index) {
        if (HighControlBlock[index] == character)
            return char(0x80 + index);
    }
    return '?';
}

const QDate DayZero(1899, 12, 30);
constexpr double MillisecondsPerDay = 86400000.0;
// Day numbers of 0100-01-01 and 9999-12-31.
constexpr double FirstDayNumber = -657434.0;
constexpr double LastDayNumber = 2958465.0;

} // namespace

QByteArray toWindows1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t character : text.toUcs4())
        bytes.append(encodeCharacter(character));
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto value = quint8(byte);
        if (value >= 0x80 && value < 0xA0)
            text.append(QChar(HighControlBlock[value - 0x80]));
        else
            text.append(QChar(value));
    }
    return text;
}

QString fitToField(const QString &text, int fieldLength)
{
    return fromWindows1252(toWindows1252(text).left(fieldLength));
}

double toDayNumber(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    const double whole = double(DayZero.daysTo(local.date()));
    const double fraction = local.time().msecsSinceStartOfDay() / MillisecondsPerDay;
    return whole < 0 ? whole - fraction : whole + fraction;
}

QDateTime fromDayNumber(double days)
{
    if (!std::isfinite(days) || days < FirstDayNumber || days >= LastDayNumber + 1)
        return {};
    const double whole = std::trunc(days);
    qint64 milliseconds = qint64(std::llround(std::fabs(days - whole) * MillisecondsPerDay));
    milliseconds = std::min<qint64>(milliseconds, qint64(MillisecondsPerDay) - 1);
    return QDateTime(DayZero.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(milliseconds)));
}

double dayOf(double days)
{
    return std::trunc(days);
}

QByteArray readWholeFile(const QString &path, qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(("cannot open " + path).toStdString());
    if (file.size() > maxSize)
        throw DamagedData(("file too large: " + path).toStdString());
    QByteArray bytes = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw FileError(("cannot read " + path).toStdString());
    if (bytes.size() > maxSize)
        throw DamagedData(("file too large: " + path).toStdString());
    return bytes;
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) is seen here: a buffered flush may drop
    // the rest of its buffer and still report success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(("cannot create " + path + ": " + file.errorString()).toStdString(), file.errorString().toStdString());
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = failureReason(file);
        throw FileError(("cannot write " + path + ": " + reason).toStdString(), reason.toStdString());
    }
}

QString failureReason(const QFileDevice &file)
{
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("Unknown error");
}
