#include "store/saved_game_file.h"

#include "store/binary_stream.h"

#include <QFileInfo>
#include <cstring>

QByteArray encodeSavedGame(const SavedGame &game)
{
    BinaryWriter writer;
    writer.reserve(game.FileSize());
    writer.writeInt32(game.GameId);
    writer.writeUInt32(game.GameNumber);
    writer.writeInt32(qint32(game.Journal.size()));
    writer.writeInt32(game.JournalPos);
    writer.writeDouble(game.StartTime);
    writer.writeDouble(game.SaveTime);
    writer.writeUInt8(game.Replay ? 1 : 0);
    writer.writeZeros(3);
    writer.writeInt32(game.MoveCount);
    writer.writeZeros(8);
    for (const SavedGame::Record &record : game.Journal)
        writer.writeBytes(QByteArrayView(record.data(), qsizetype(record.size())));
    writer.writeInt32(SavedGame::EndMark);
    return writer.bytes();
}

SavedGame decodeSavedGame(QByteArrayView bytes)
{
    BinaryReader reader(bytes);
    SavedGame game;
    game.GameId = reader.readInt32();
    game.GameNumber = reader.readUInt32();
    const qint32 count = reader.readInt32();
    game.JournalPos = reader.readInt32();
    game.StartTime = reader.readDouble();
    game.SaveTime = reader.readDouble();
    game.Replay = reader.readUInt8() != 0;
    reader.skip(3);
    game.MoveCount = reader.readInt32();
    reader.skip(8);
    // The count must describe this very file before any room is made for the entries.
    if (count < 0 || count > SavedGame::MaxEntries
        || bytes.size() != SavedGame::HeaderSize + qint64(count) * SavedGame::RecordSize + 4)
        throw DamagedData("the journal's length does not match the file");
    if (game.JournalPos < -1 || game.JournalPos >= count)
        throw DamagedData("the journal position lies outside the journal");
    game.Journal.resize(std::size_t(count));
    const QByteArray records = reader.readBytes(qint64(count) * SavedGame::RecordSize);
    if (count > 0)
        std::memcpy(game.Journal.data(), records.constData(), std::size_t(records.size()));
    if (reader.readInt32() != SavedGame::EndMark)
        throw DamagedData("the end mark is missing");
    return game;
}

void writeSavedGame(const QString &path, const SavedGame &game)
{
    writeFileAtomically(path, encodeSavedGame(game));
}

SavedGame readSavedGame(const QString &path)
{
    return decodeSavedGame(readWholeFile(path, SavedGame::MaxFileSize));
}

QString defaultSavedGameName(const QString &gameName, quint32 gameNumber)
{
    QString name = gameName;
    name.replace(u' ', u'_');
    return QStringLiteral("%1_%2.%3").arg(name).arg(gameNumber).arg(QLatin1String(SavedGameExtension));
}

QString withSavedGameExtension(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + u'.' + QLatin1String(SavedGameExtension);
}
