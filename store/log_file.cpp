#include "store/log_file.h"

#include "store/binary_stream.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <unistd.h>

namespace {

template <std::size_t N> std::array<char, N> readReserved(BinaryReader &reader)
{
    std::array<char, N> bytes{};
    const QByteArray read = reader.readBytes(N);
    std::copy(read.cbegin(), read.cend(), bytes.begin());
    return bytes;
}

template <std::size_t N> void writeReserved(BinaryWriter &writer, const std::array<char, N> &bytes)
{
    writer.writeBytes(QByteArrayView(bytes.data(), qsizetype(N)));
}

} // namespace

LogRecord decodeLogRecord(QByteArrayView bytes)
{
    BinaryReader reader(bytes);
    LogRecord record;
    record.GameNumber = reader.readUInt32();
    record.GameId = reader.readInt32();
    record.Won = reader.readUInt8() != 0;
    record.Reserved9 = readReserved<3>(reader);
    record.Score = reader.readInt32();
    record.Moves = reader.readInt32();
    record.StartTime = reader.readDouble();
    record.Duration = reader.readDouble();
    record.PlayerName = reader.readShortString(LogRecord::PlayerNameLength);
    record.Comment = reader.readShortString(LogRecord::CommentLength);
    record.Reserved98 = readReserved<4>(reader);
    record.RunNumber = reader.readInt32();
    record.Reserved106 = readReserved<4>(reader);
    record.Reserved110 = readReserved<2>(reader);
    return record;
}

QByteArray encodeLogRecord(const LogRecord &record)
{
    BinaryWriter writer;
    writer.writeUInt32(record.GameNumber);
    writer.writeInt32(record.GameId);
    writer.writeUInt8(record.Won ? 1 : 0);
    writeReserved(writer, record.Reserved9);
    writer.writeInt32(record.Score);
    writer.writeInt32(record.Moves);
    writer.writeDouble(record.StartTime);
    writer.writeDouble(record.Duration);
    writer.writeShortString(record.PlayerName, LogRecord::PlayerNameLength);
    writer.writeShortString(record.Comment, LogRecord::CommentLength);
    writeReserved(writer, record.Reserved98);
    writer.writeInt32(record.RunNumber);
    writeReserved(writer, record.Reserved106);
    writeReserved(writer, record.Reserved110);
    return writer.bytes();
}

bool TRecordStream::open(const QString &path, QIODevice::OpenMode mode)
{
    file_.setFileName(path);
    // Unbuffered, so that every short write is seen at once.
    return file_.open(mode | QIODevice::Unbuffered);
}

qint64 TRecordStream::RecordCount() const
{
    return file_.size() / RecordSize();
}

qint64 TRecordStream::CurrentRecord() const
{
    return file_.pos() / RecordSize() + 1;
}

void TRecordStream::seekBytes(qint64 position)
{
    if (position < 0)
        throw FileError("Cannot read beyond beginning of the  file.");
    if (!file_.seek(position))
        throw FileError("cannot seek in " + file_.fileName().toStdString());
}

void TRecordStream::SeekRecord(qint64 count, Origin origin)
{
    const qint64 base = origin == FromBeginning ? 0 : origin == FromCurrent ? file_.pos() : file_.size();
    seekBytes(base + count * RecordSize());
}

QByteArray TRecordStream::ReadRecord()
{
    QByteArray record = file_.read(RecordSize());
    if (record.size() != RecordSize())
        throw DamagedData("incomplete record in " + file_.fileName().toStdString());
    return record;
}

void TRecordStream::WriteRecord(QByteArrayView record)
{
    if (record.size() != RecordSize())
        throw FileError("a record of the wrong size for " + file_.fileName().toStdString());
    // The system's words for a failure: the player is told them.
    if (file_.write(record.data(), record.size()) != record.size())
        throw FileError(failureReason(file_).toStdString());
}

void TRecordStream::AppendRecord(QByteArrayView record)
{
    const qint64 end = RecordCount() * RecordSize();
    seekBytes(end);
    try {
        WriteRecord(record);
    } catch (const FileError &) {
        // A short write (a full disk) must not leave part of a record behind.
        file_.resize(end);
        throw;
    }
}

void TRecordStream::SeekLastRecord()
{
    if (RecordCount() == 0)
        throw FileError("Cannot read beyond beginning of the  file.");
    seekBytes((RecordCount() - 1) * RecordSize());
}

void TRecordStream::StepBack()
{
    if (file_.pos() < RecordSize())
        throw FileError("Cannot read beyond beginning of the  file.");
    seekBytes(file_.pos() - RecordSize());
}

QString keepAsideName(const QString &path)
{
    QString candidate = path + QStringLiteral(".bad");
    for (int number = 1; QFileInfo::exists(candidate) && number < 1000; ++number)
        candidate = path + QStringLiteral(".bad%1").arg(number);
    return candidate;
}

GameLog::GameLog(QString path) : path_(std::move(path)) {}

QString GameLog::scratchPath() const
{
    return QFileInfo(path_).dir().filePath(QStringLiteral("qellog.tmp"));
}

QString GameLog::keptAsidePath() const
{
    return keepAsideName(path_);
}

void GameLog::keepAsideWhenPartial(const TRecordStream &stream) const
{
    const qint64 size = const_cast<TRecordStream &>(stream).file().size();
    if (size % stream.RecordSize() != 0)
        QFile::copy(path_, keptAsidePath());
}

void GameLog::append(LogRecord record)
{
    record.Reserved106 = {};
    TRecordStream stream;
    if (!stream.open(path_, QIODevice::ReadWrite))
        throw FileError(failureReason(stream.file()).toStdString());
    keepAsideWhenPartial(stream);
    stream.AppendRecord(encodeLogRecord(record));
    if (!stream.file().flush())
        throw FileError("cannot write " + path_.toStdString());
}

std::optional<LogRecord> GameLog::readLast() const
{
    TRecordStream stream;
    if (!QFileInfo::exists(path_) || !stream.open(path_, QIODevice::ReadOnly) || stream.RecordCount() == 0)
        return std::nullopt;
    stream.SeekLastRecord();
    return decodeLogRecord(stream.ReadRecord());
}

bool GameLog::renamePlayer(const QString &oldName, const QString &newName)
{
    TRecordStream stream;
    if (!QFileInfo::exists(path_) || !stream.open(path_, QIODevice::ReadWrite))
        return false;
    const QString stored = fitToField(oldName, LogRecord::PlayerNameLength);
    while (stream.CurrentRecord() <= stream.RecordCount()) {
        LogRecord record = decodeLogRecord(stream.ReadRecord());
        if (record.PlayerName != stored)
            continue;
        record.PlayerName = fitToField(newName, LogRecord::PlayerNameLength);
        stream.StepBack();
        stream.WriteRecord(encodeLogRecord(record));
    }
    if (!stream.file().flush())
        throw FileError("cannot write " + path_.toStdString());
    return true;
}

bool GameLog::replaceThrough(const std::function<bool(TRecordStream &source, QFile &target)> &copy)
{
    TRecordStream source;
    if (!QFileInfo::exists(path_) || !source.open(path_, QIODevice::ReadOnly))
        return false;
    keepAsideWhenPartial(source);

    const QString scratch = scratchPath();
    QFile target(scratch);
    bool written = target.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    try {
        written = written && copy(source, target);
    } catch (const std::exception &) {
        written = false;
    }
    written = written && target.flush() && ::fsync(target.handle()) == 0;
    target.close();
    written = written && target.error() == QFileDevice::NoError;
    source.close();

    std::error_code error;
    if (written)
        std::filesystem::rename(scratch.toStdString(), path_.toStdString(), error);
    if (!written || error) {
        QFile::remove(scratch);
        return false;
    }
    return true;
}

bool GameLog::rewrite(const std::function<std::optional<LogRecord>(qint64, qint64, LogRecord)> &transform)
{
    return replaceThrough([&](TRecordStream &source, QFile &target) {
        const qint64 count = source.RecordCount();
        QByteArray block;
        block.reserve(BlockRecords * LogRecord::Size);
        const auto writeBlock = [&] {
            const bool whole = target.write(block) == block.size();
            block.clear();
            return whole;
        };
        for (qint64 index = 0; index < count; ++index) {
            if (const std::optional<LogRecord> kept = transform(index, count, decodeLogRecord(source.ReadRecord())))
                block += encodeLogRecord(*kept);
            if (block.size() >= BlockRecords * LogRecord::Size && !writeBlock())
                return false;
        }
        return writeBlock();
    });
}

bool GameLog::deletePlayerRecords(const QString &name, int gameId)
{
    const QString stored = fitToField(name, LogRecord::PlayerNameLength);
    return rewrite([&](qint64, qint64, LogRecord record) -> std::optional<LogRecord> {
        if (record.PlayerName == stored && (gameId == -1 || record.GameId == gameId))
            return std::nullopt;
        return record;
    });
}

bool GameLog::deletePlayerRecords(const QString &name, const QList<int> &gameIds)
{
    const QString stored = fitToField(name, LogRecord::PlayerNameLength);
    return rewrite([&](qint64, qint64, LogRecord record) -> std::optional<LogRecord> {
        if (record.PlayerName == stored && gameIds.contains(record.GameId))
            return std::nullopt;
        return record;
    });
}

bool GameLog::deleteGameRecords(int gameId)
{
    return rewrite([&](qint64, qint64, LogRecord record) -> std::optional<LogRecord> {
        if (gameId == -1 || record.GameId == gameId)
            return std::nullopt;
        if (gameId >= 1000 && record.GameId > gameId)
            --record.GameId;
        return record;
    });
}

bool GameLog::trim(int maxRecords)
{
    // A limit below one record is no limit the player chose: the log is left whole.
    if (maxRecords < 1)
        return false;
    const qint64 keep = maxRecords;
    if (recordCount() <= keep)
        return true;
    // The kept records are copied as they are, a block at a time.
    return replaceThrough([&](TRecordStream &source, QFile &target) {
        const qint64 count = source.RecordCount();
        source.SeekRecord(count - std::min(count, keep), TRecordStream::FromBeginning);
        for (qint64 left = std::min(count, keep); left > 0;) {
            const qint64 records = std::min<qint64>(left, BlockRecords);
            const QByteArray block = source.file().read(records * LogRecord::Size);
            if (block.size() != records * LogRecord::Size || target.write(block) != block.size())
                return false;
            left -= records;
        }
        return true;
    });
}

qint64 GameLog::recordCount() const
{
    TRecordStream stream;
    if (!QFileInfo::exists(path_) || !stream.open(path_, QIODevice::ReadOnly))
        return 0;
    return stream.RecordCount();
}

void GameLog::forEachRecord(const std::function<bool(qint64, const LogRecord &)> &visit) const
{
    TRecordStream stream;
    if (!QFileInfo::exists(path_) || !stream.open(path_, QIODevice::ReadOnly))
        return;
    // A block of records per read: one read per record would be a system call each.
    const qint64 count = stream.RecordCount();
    for (qint64 first = 0; first < count; first += BlockRecords) {
        const qint64 records = std::min(BlockRecords, count - first);
        const QByteArray block = stream.file().read(records * LogRecord::Size);
        if (block.size() != records * LogRecord::Size)
            throw DamagedData("incomplete record in " + path_.toStdString());
        for (qint64 index = 0; index < records; ++index)
            if (!visit(first + index, decodeLogRecord(QByteArrayView(block).sliced(index * LogRecord::Size, LogRecord::Size))))
                return;
    }
}
