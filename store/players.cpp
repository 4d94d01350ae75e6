#include "store/players.h"

#include "store/log_file.h"
#include "store/player_shortcuts.h"
#include "store/stats_file.h"

#include <algorithm>

PlayerList::PlayerList()
{
    records_.push_back(PlayerRecord::create(generatedPlayerName(0), 0));
}

QStringList PlayerList::names() const
{
    QStringList names;
    for (const PlayerRecord &record : records_)
        names.append(record.Name);
    return names;
}

void PlayerList::setCurrentIndex(int index)
{
    current_ = index >= 0 && index < count() ? index : 0;
}

int PlayerList::indexOf(const QString &name, Qt::CaseSensitivity sensitivity) const
{
    for (int index = 0; index < count(); ++index) {
        if (records_[std::size_t(index)].Name.compare(name, sensitivity) == 0)
            return index;
    }
    return -1;
}

bool PlayerList::choose(const QString &name)
{
    const int index = indexOf(name, Qt::CaseSensitive);
    if (index < 0)
        return false;
    current_ = index;
    return true;
}

void PlayerList::replace(std::vector<PlayerRecord> records, int currentIndex, double today)
{
    records_ = std::move(records);
    if (records_.empty())
        records_.push_back(PlayerRecord::create(generatedPlayerName(0), today));
    setCurrentIndex(currentIndex);
}

namespace {

// A log that cannot be changed stays as it was; the player list goes on.
template <typename Change> void changeLog(Change change)
{
    try {
        change();
    } catch (const std::runtime_error &) {
    }
}

bool sortsBefore(const PlayerRecord &left, const PlayerRecord &right)
{
    return left.Name.compare(right.Name, Qt::CaseInsensitive) < 0;
}

} // namespace

PlayerListEditor::PlayerListEditor(const PlayerList &players, const QString &selectedName, double today, GameLog *log,
                                   PlayerShortcuts *shortcuts, PlayerListHooks hooks)
    : records_(players.records()), today_(today), log_(log), shortcuts_(shortcuts), hooks_(std::move(hooks))
{
    std::stable_sort(records_.begin(), records_.end(), sortsBefore);
    for (int index = 0; index < int(records_.size()); ++index) {
        if (records_[std::size_t(index)].Name == selectedName) {
            selected_ = index;
            break;
        }
    }
}

QStringList PlayerListEditor::names() const
{
    QStringList names;
    for (const PlayerRecord &record : records_)
        names.append(record.Name);
    return names;
}

void PlayerListEditor::select(int index)
{
    selected_ = index >= 0 && index < int(records_.size()) ? index : -1;
}

int PlayerListEditor::insertSorted(PlayerRecord record)
{
    const auto place = std::upper_bound(records_.begin(), records_.end(), record, sortsBefore);
    const int index = int(place - records_.begin());
    records_.insert(place, std::move(record));
    return index;
}

PlayerListEditor::Outcome PlayerListEditor::add(const QString &typedName)
{
    const QString name = typedName.trimmed().left(PlayerNameMaxLength);
    if (name.isEmpty())
        return Outcome::NoName;
    if (names().contains(name, Qt::CaseInsensitive))
        return Outcome::NameExists;
    selected_ = insertSorted(PlayerRecord::create(name, today_));
    if (hooks_.added)
        hooks_.added(name);
    return Outcome::Done;
}

PlayerListEditor::Outcome PlayerListEditor::rename(int index, const QString &typedName)
{
    if (index < 0 || index >= int(records_.size()))
        return Outcome::NoName;
    const QString name = typedName.trimmed().left(PlayerNameMaxLength);
    const QString oldName = records_[std::size_t(index)].Name;
    if (name.isEmpty() || name == oldName)
        return Outcome::NoName;
    if (names().contains(name, Qt::CaseInsensitive))
        return Outcome::NameExists;

    PlayerRecord record = std::move(records_[std::size_t(index)]);
    records_.erase(records_.begin() + index);
    record.Name = name;
    selected_ = insertSorted(std::move(record));
    if (log_)
        changeLog([&] { log_->renamePlayer(oldName, name); });
    if (hooks_.renamed)
        hooks_.renamed(oldName, name);
    if (shortcuts_)
        shortcuts_->remove(oldName);
    return Outcome::Done;
}

PlayerListEditor::Outcome PlayerListEditor::remove(int index)
{
    if (index < 0 || index >= int(records_.size()))
        return Outcome::NoName;
    if (records_.size() == 1)
        return Outcome::LastPlayer;
    const QString name = records_[std::size_t(index)].Name;
    records_.erase(records_.begin() + index);
    selected_ = -1;
    if (log_)
        changeLog([&] { log_->deletePlayerRecords(name, -1); });
    if (hooks_.deleted)
        hooks_.deleted(name);
    if (shortcuts_)
        shortcuts_->remove(name);
    return Outcome::Done;
}

void PlayerListEditor::applyTo(PlayerList &players, double today) const
{
    players.replace(records_, selected_ < 0 ? 0 : selected_, today);
}

CommandLineChoice parseCommandLine(const QStringList &arguments)
{
    CommandLineChoice choice;
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("-u"))) {
            QString name = argument.mid(2);
            if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
                name = name.mid(1, name.size() - 2);
            choice.playerName = name;
        } else {
            choice.fileName = argument;
        }
    }
    return choice;
}
