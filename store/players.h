#pragma once

#include "store/game_stats.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class GameLog;
class PlayerShortcuts;

// Texts of the player list dialog.
namespace PlayerText {
inline constexpr char NameExists[] = "Player with this name already exists";
inline constexpr char LastPlayer[] = "You cannot delete the last player";
inline constexpr char ConfirmDelete[] = "Are you sure you want to delete player '%1' ?"; // %1 the name
inline constexpr char DeleteCaption[] = "Delete player";
inline constexpr char InformationCaption[] = "Information";
inline constexpr char AddCaption[] = "Add a player";
inline constexpr char AddPrompt[] = "Enter player name";
inline constexpr char EditCaption[] = "Edit player";
inline constexpr char EditPrompt[] = "Edit player name";
inline constexpr char ListCaption[] = "Edit player list";
} // namespace PlayerText

inline constexpr int PlayerNameMaxLength = 20;

// The players in file order with their statistics, and the current one. Never empty.
class PlayerList {
public:
    PlayerList();

    int count() const { return int(records_.size()); }
    const std::vector<PlayerRecord> &records() const { return records_; }
    PlayerRecord &at(int index) { return records_.at(std::size_t(index)); }
    const PlayerRecord &at(int index) const { return records_.at(std::size_t(index)); }
    QStringList names() const;

    int currentIndex() const { return current_; }
    // An index outside the list chooses the first player.
    void setCurrentIndex(int index);
    PlayerRecord &current() { return at(current_); }
    const PlayerRecord &current() const { return at(current_); }

    int indexOf(const QString &name, Qt::CaseSensitivity sensitivity) const;
    // Makes the player of exactly this name current; false (and no change) when there is none.
    bool choose(const QString &name);
    // Takes a whole new list; an empty one becomes one "Default" player.
    void replace(std::vector<PlayerRecord> records, int currentIndex, double today);

private:
    std::vector<PlayerRecord> records_;
    int current_ = 0;
};

// What other stores do when a player comes, changes name or goes (the custom variants keep
// a statistics record per player).
struct PlayerListHooks {
    std::function<void(const QString &name)> added;
    std::function<void(const QString &oldName, const QString &newName)> renamed;
    std::function<void(const QString &name)> deleted;
};

// The logic of the "Edit player list" dialog: a sorted copy of the list that is edited and
// then copied back whole. Renames and deletions reach the log, the shortcuts and the hooks
// at once, as they happen.
class PlayerListEditor {
public:
    enum class Outcome { Done, NoName, NameExists, LastPlayer };

    // selectedName: the entry to select at first (the player box's choice).
    PlayerListEditor(const PlayerList &players, const QString &selectedName, double today, GameLog *log = nullptr,
                     PlayerShortcuts *shortcuts = nullptr, PlayerListHooks hooks = {});

    QStringList names() const;
    int selected() const { return selected_; } // -1 when nothing is selected
    void select(int index);

    // The name is trimmed; an empty name does nothing. A new player is selected.
    Outcome add(const QString &typedName);
    // Only a name that differs exactly from the old one is a rename.
    Outcome rename(int index, const QString &typedName);
    // After the question has been answered Yes.
    Outcome remove(int index);

    // Closing: the list in the dialog's order; the selected entry (or the first) is current.
    void applyTo(PlayerList &players, double today) const;

private:
    int insertSorted(PlayerRecord record);

    std::vector<PlayerRecord> records_;
    int selected_ = -1;
    double today_;
    GameLog *log_;
    PlayerShortcuts *shortcuts_;
    PlayerListHooks hooks_;
};

// What the command line asks for: "-u" followed by a player name (quotes removed), and any
// other argument as a saved game to open. Later arguments of a kind replace earlier ones.
struct CommandLineChoice {
    QString playerName;
    QString fileName;
};
CommandLineChoice parseCommandLine(const QStringList &arguments);
