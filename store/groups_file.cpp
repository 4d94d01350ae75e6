#include "store/groups_file.h"

#include "store/binary_stream.h"
#include "store/log_file.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int NameLength = 255;
constexpr int NameSize = NameLength + 1;
constexpr int Reserved = 20;
constexpr int EntrySize = 24;
constexpr int RecentIndex = 1; // the second group
constexpr qint64 MaxFileSize = 4 << 20;
const QString Placeholder = QStringLiteral("XXXXXXXX");

int checkedCount(BinaryReader &in, qint64 itemSize, qint64 limit)
{
    const qint32 count = in.readInt32();
    // A count the bytes present cannot hold is refused before anything is made from it.
    if (count < 0 || count > limit || qint64(count) * itemSize > in.remaining())
        throw DamagedData("count beyond the file");
    return count;
}

bool existing(int gameId, const CustomGameExists &exists)
{
    if (gameId >= 0 && gameId < GameGroups::BuiltInCount)
        return true;
    return gameId >= 1000 && exists && exists(gameId);
}

// The per-group sections of the groups in the list, read in list order.
void readSections(BinaryReader &in, GameGroups &groups, const CustomGameExists &exists, bool olderForm)
{
    QList<int> recent;
    for (std::size_t index = 0; index < groups.Groups().size(); ++index) {
        const QChar letter = groupLetter(groups.Groups()[index].Number);
        in.skip(Reserved);
        in.readShortString(NameLength);
        in.readInt32(); // the number: groups are numbered by their place in the list
        in.skip(Reserved);
        const int members = checkedCount(in, EntrySize, in.remaining() / EntrySize);
        in.skip(Reserved);
        if (qint64(members) * EntrySize > in.remaining())
            throw DamagedData("members beyond the file");
        for (int entry = 0; entry < members; ++entry) {
            int key = in.readInt32();
            const int value = in.readInt32();
            in.skip(16);
            if (index == RecentIndex) {
                // At most fifteen, and only games that exist; the others are passed over.
                const int gameId = olderForm ? key : value;
                if (entry >= GameGroups::MaxRecent || !existing(gameId, exists))
                    continue;
                recent.append(gameId);
                key = gameId;
            }
            if (olderForm ? (key < 0 || key >= GameGroups::BuiltInCount) : !existing(key, exists))
                throw DamagedData(olderForm ? "Error in CUSTOM.DAT file" : "Error in QELCUST.DAT file");
            QString letters = groups.Membership(key);
            if (!letters.contains(letter) && letters.size() < GameGroups::MaxLetters)
                groups.SetMembership(key, letters + letter);
        }
    }
    groups.SetRecentlyPlayed(recent);
}

void placeholderGroups(GameGroups &groups)
{
    groups.SetGroups({{QString::fromLatin1(FavoriteGamesName), FavoritesGroup}});
    groups.MarkDefaultFavorites();
}

void completeGroups(GameGroups &groups)
{
    if (groups.Groups().size() == 1) {
        std::vector<GameGroup> list = groups.Groups();
        list.push_back({QString::fromLatin1(RecentlyPlayedGamesName), RecentlyPlayedGroup});
        groups.SetGroups(std::move(list));
    }
}

void fallBack(GameGroups &groups)
{
    groups.ResetGroups();
    groups.MarkDefaultFavorites();
}

} // namespace

QByteArray encodeGroupsFile(const GameGroups &groups)
{
    BinaryWriter out;
    const std::vector<GameGroup> &list = groups.Groups();
    out.writeInt32(qint32(list.size()));
    for (const GameGroup &group : list)
        out.writeShortString(group.Name, NameLength);
    for (std::size_t index = 0; index < list.size(); ++index) {
        const GameGroup &group = list[index];
        out.writeZeros(Reserved);
        out.writeShortString(group.Name, NameLength);
        out.writeInt32(group.Number);
        out.writeZeros(Reserved);
        QList<int> members;
        if (index == RecentIndex)
            members = groups.RecentlyPlayed();
        else
            for (int gameId = 0; gameId < GameGroups::BuiltInCount; ++gameId)
                if (groups.IsMember(gameId, group.Number))
                    members.append(gameId);
        out.writeInt32(qint32(members.size()));
        out.writeZeros(Reserved);
        for (qsizetype position = 0; position < members.size(); ++position) {
            const bool recent = index == RecentIndex;
            out.writeInt32(recent ? qint32(position) : members[position]);
            out.writeInt32(recent ? members[position] : 1);
            out.writeZeros(16);
        }
    }
    return out.bytes();
}

bool decodeGroupsFile(QByteArrayView bytes, GameGroups &groups, const CustomGameExists &exists)
{
    BinaryReader in(bytes);
    try {
        const int count = checkedCount(in, NameSize, GameGroups::MaxGroups);
        if (count == 0)
            throw DamagedData("no groups");
        std::vector<GameGroup> list;
        bool placeholder = false;
        for (int index = 0; index < count && !placeholder; ++index) {
            const QString name = in.readShortString(NameLength);
            placeholder = name == Placeholder;
            list.push_back({name, index + 1});
        }
        if (placeholder)
            placeholderGroups(groups);
        else
            groups.SetGroups(std::move(list));
        readSections(in, groups, exists, false);
        completeGroups(groups);
        return true;
    } catch (const DamagedData &) {
        fallBack(groups);
        return false;
    }
}

bool decodeOlderGroups(QByteArrayView sections, const QStringList &names, GameGroups &groups)
{
    BinaryReader in(sections);
    try {
        std::vector<GameGroup> list;
        bool placeholder = names.isEmpty();
        for (const QString &name : names) {
            if (name.isEmpty() || name == Placeholder) {
                placeholder = true;
                break;
            }
            if (int(list.size()) < GameGroups::MaxGroups)
                list.push_back({name, int(list.size()) + 1});
        }
        if (placeholder)
            placeholderGroups(groups);
        else
            groups.SetGroups(std::move(list));
        readSections(in, groups, {}, true);
        completeGroups(groups);
        return true;
    } catch (const DamagedData &) {
        fallBack(groups);
        return false;
    }
}

bool loadGroups(GameGroups &groups, const QString &qelcustPath, const QString &customDatPath, int customsSetting,
                const QStringList &olderNames, const CustomGameExists &exists)
{
    const auto read = [](const QString &path) {
        try {
            return readWholeFile(path, MaxFileSize);
        } catch (const std::exception &) {
            return QByteArray();
        }
    };
    if (QFileInfo::exists(qelcustPath))
        return decodeGroupsFile(read(qelcustPath), groups, exists);
    if (customsSetting <= 0) {
        fallBack(groups);
        return true;
    }
    decodeOlderGroups(read(customDatPath), olderNames, groups);
    return true;
}

void saveGroups(const GameGroups &groups, const QString &qelcustPath, bool keepOldAside)
{
    if (keepOldAside && QFileInfo::exists(qelcustPath))
        QFile::rename(qelcustPath, keepAsideName(qelcustPath));
    writeFileAtomically(qelcustPath, encodeGroupsFile(groups));
}
