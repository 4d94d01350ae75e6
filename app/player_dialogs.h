#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class GameLog;
class PlayerList;
class PlayerShortcuts;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct PlayerListHooks;
class PlayerListEditor;

// Texts of the shortcut dialog.
namespace PlayerShortcutText {
inline constexpr char Caption[] = "Player Shortcut";
inline constexpr char Explanation[] =
    "You can create desktop shortcut for selected player. Use this shortcut to have desired player name "
    "automatically selected at startup of Tarnwick.";
inline constexpr char Prompt[] = "Type a name for this shortcut:";
inline constexpr char Create[] = "Create";
} // namespace PlayerShortcutText

// The small name dialog: one edit box of at most 20 characters, OK and Cancel. Answers the
// trimmed name; nothing for Cancel or a name that is empty after trimming.
class PlayerNameDialog : public QDialog {
public:
    PlayerNameDialog(const QString &caption, const QString &prompt, const QString &name, QWidget *parent = nullptr);
    QLineEdit *Edit() const { return edit; }
    std::optional<QString> Name() const;

    static std::optional<QString> Ask(QWidget *parent, const QString &caption, const QString &prompt,
                                      const QString &name = QString());

private:
    QLineEdit *edit;
};

// "Player Shortcut": names the desktop launcher that starts the program with a player.
class PlayerShortcutDialog : public QDialog {
public:
    PlayerShortcutDialog(const QString &playerName, QWidget *parent = nullptr);
    QLineEdit *Edit() const { return edit; }
    QLabel *Preview() const { return preview; }
    QPushButton *CreateButton() const { return createButton; }
    QString ShortcutName() const;

private:
    QLineEdit *edit;
    QLabel *preview;
    QPushButton *createButton;
};

// The questions and messages of the player dialogs; tests replace them.
struct PlayerDialogPrompts {
    // The name dialog; nothing for Cancel.
    std::function<std::optional<QString>(const QString &caption, const QString &prompt, const QString &name)> askName;
    // An information box with this caption.
    std::function<void(const QString &caption, const QString &text)> inform;
    // A Yes/No question (No is the default); true for Yes.
    std::function<bool(const QString &caption, const QString &text)> confirm;
    // The shortcut dialog for a player; the launcher's name, nothing for Cancel.
    std::function<std::optional<QString>(const QString &playerName)> askShortcutName;

    static PlayerDialogPrompts boxes(QWidget *parent);
};

// What the player list dialog works on; all references outlive the dialog.
struct PlayerListContext {
    PlayerList *players = nullptr;
    double today = 0;
    GameLog *log = nullptr;                 // renames and deletions reach the log
    PlayerShortcuts *shortcuts = nullptr;   // desktop launchers
    std::function<PlayerListHooks()> hooks; // what the custom variants do (may be empty)
};

// "Edit player list": a sorted list of the players with "Add...", "Edit...", "Delete",
// "&Shortcut..." and "Close". Closing copies the list back whole and makes the selected
// entry (or the first) the current player.
class PlayerListDialog : public QDialog {
    Q_OBJECT
public:
    // selectedName: the entry to select at first (the current player).
    PlayerListDialog(const PlayerListContext &context, const QString &selectedName, QWidget *parent = nullptr);
    ~PlayerListDialog() override;

    PlayerDialogPrompts Prompts;

    QListWidget *Names() const { return names; }
    void Add();
    void Edit();
    void Delete();
    void Shortcut();

Q_SIGNALS:
    // The player list was copied back; the window refreshes its player display.
    void PlayersChanged();

protected:
    void done(int result) override;

private:
    void showNames();
    void informOutcome(int outcome);

    PlayerListContext context;
    std::unique_ptr<PlayerListEditor> editor;
    QListWidget *names = nullptr;
    bool copiedBack = false;
};
