#pragma once

#include "app/game_list.h"

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class CustomGameSource;
class GamePictureMaker;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// Texts of the game selection dialog.
namespace GameDlgText {
inline constexpr char Rules[] = "&Rules";
inline constexpr char DeleteGame[] = "Delete &Game";
inline constexpr char AutoPlay[] = "AutoPlay";
inline constexpr char On[] = "On";
inline constexpr char Off[] = "Off";
inline constexpr char Player[] = "Player:";
inline constexpr char EditPlayerList[] = "Edit player list";
inline constexpr char AddToGroup[] = "Add to &Group";
inline constexpr char RemoveFromGroup[] = "&Remove from This Group";
inline constexpr char NewGroup[] = "&New Group...";
inline constexpr char ClearRecent[] = "&Clear This List";
inline constexpr char RenameGroup[] = "Re&name Group...";
inline constexpr char DeleteGroup[] = "Delete Gro&up";
inline constexpr char GroupName[] = "Group name:";
inline constexpr char ConfirmDeleteGroup[] = "Delete the group '%1'? The games in it stay.";
inline constexpr char ConfirmDelete[] =
    "You are going to permanently remove solitaire game '%1' along with statistics and log records. "
    "Are you sure you want to proceed?";
} // namespace GameDlgText

// What the game selection dialog needs from the main window.
class GameDlgHost {
public:
    virtual ~GameDlgHost() = default;
    // The game on the table (its row is selected when the dialog opens).
    virtual int CurrentGameId() const = 0;
    // The per-game automatic-moves choice (window record, or the variant's record).
    virtual bool AutoplayOn(int gameId) const = 0;
    virtual void SetAutoplayOn(int gameId, bool on) = 0;
    // Rules of a game: help for a built-in game, the customisation window for a variant.
    virtual void ShowRules(int gameId) = 0;
    // A help topic (F1 on a control without a game to show the rules of).
    virtual void ShowHelpTopic(int) {}
    // The player's custom variants (nullptr and 0 while there are none).
    virtual const CustomGameSource *CustomGames() const { return nullptr; }
    virtual int CustomGameCount() const { return 0; }
    // "Confirm_On_Delete_Game".
    virtual bool ConfirmOnDeleteGame() const { return true; }
    virtual void SetConfirmOnDeleteGame(bool) {}
    // Removes a variant with its statistics and log records, later variants moving down one id
    // in the log and the groups; when it is the current game the table is cleared and its base
    // game becomes current. False when nothing was removed.
    virtual bool DeleteCustomGame(int) { return false; }
    // The players in list order and the index of the current one.
    virtual QStringList PlayerNames() const { return {}; }
    virtual int CurrentPlayer() const { return -1; }
    // Makes a player current for the whole program (its results, the window's player display).
    virtual void ChoosePlayer(int) {}
    // The player list dialog with the current player selected; it may change the list.
    virtual void EditPlayers() {}
};

// `TGameDlg` ("Select Solitaire"): the modal dialog in which the player picks a game. Made
// once at start and reused. It keeps the sort order between showings and owns the game
// groups (`Groups`): the favourites, the recently played list and the player's own groups.
class TGameDlg : public QDialog {
    Q_OBJECT
public:
    // pictures: draws the game pictures (not owned).
    TGameDlg(GameDlgHost &host, GamePictureMaker *pictures, QWidget *parent = nullptr);
    ~TGameDlg() override;

    // Which built-in games are listed, by base id (default: every game the catalogue deals).
    void SetDealAvailable(std::function<bool(int baseGameId)> available);

    // Asks for the start message: once the event loop runs, the list is filled and
    // StartSelection is emitted (the main window answers with its "Select Solitaire" command).
    void PostStartMessage();

    // Rebuilds the rows from the games and variants; the sort state returns to "Game".
    void Fill();

    // Shows the dialog modally with the current game selected. Returns the chosen game id,
    // or -1 when the player cancelled.
    int Choose();
    // The id of the selected row; -1 without one.
    int SelectedGameId() const;

    // The question before a variant is deleted: answers true for OK and sets dontAskAgain
    // when "Don't show this message again" was ticked. Tests replace it.
    std::function<bool(const QString &question, bool &dontAskAgain)> AskDeleteGame;
    // The name of a new or renamed group (nothing for Cancel), and the question before a
    // group is deleted. Tests replace them.
    std::function<std::optional<QString>(const QString &caption, const QString &name)> AskGroupName;
    std::function<bool(const QString &question)> AskDeleteGroup;

    GameGroups Groups;

    // For tests and the main window.
    QTreeWidget *GameList() const { return list; }
    QComboBox *GameTypes() const { return gameTypes; }
    // The player box: the players, then "Edit player list".
    QComboBox *Players() const { return players; }
    // Refills the player box from the host and selects the current player.
    void FillPlayers();
    QPushButton *OkButton() const { return okButton; }
    QPushButton *RulesButton() const { return rulesButton; }
    QGroupBox *AutoPlayGroup() const { return Ap_RG; }
    QLabel *PictureBox() const { return picture; }
    int SortState() const { return sortState; }
    void SortByColumn(int column);
    void SelectGame(int gameId);
    // The game-type list's item ("Group"): 0 all games, then the groups.
    int GameType() const;
    void SetGameType(int index);
    // Refills the game-type list from the groups, keeping the shown group where it still exists.
    void ShowGroups();
    // The group shown (its number); 0 for all games.
    int ShownGroup() const;
    // Group commands of the list's popup menu, on the selected game and the shown group.
    void AddSelectedGameToGroup(int number);
    void RemoveSelectedGameFromGroup();
    void NewGroup();
    void RenameShownGroup();
    void DeleteShownGroup();
    // The game the next showing selects instead of the current one (a variant just made).
    void PreselectGame(int gameId) { preselected = gameId; }
    // Removes the variant of a row after asking (Del and "Delete &Game").
    void DeleteSelectedGame();
    // The list's popup menu for the selected game and the shown group (owned by the dialog).
    QMenu *MakePopup();
    // Fits the dialog into the available area of its screen: the picture box and the list
    // shrink where the screen is too small, and the whole dialog stays on the screen.
    void FitScreen();
    void FitInto(const QRect &area);

Q_SIGNALS:
    void StartSelection();

public Q_SLOTS:
    // OK: closes only with a game selected.
    void accept() override;
    // Closing lets go of the game pictures.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showRows();
    void selectionChanged();
    void showPicture(int gameId);
    void showPopup(const QPoint &at);
    bool rowShown(const GameRow &row) const;
    void playerChosen(int index);

    GameDlgHost &host;
    GamePictureMaker *pictures;
    std::function<bool(int)> dealAvailable;
    std::vector<GameRow> rows;
    int sortState = DefaultSortState;
    bool filled = false;
    int preselected = -1;

    QComboBox *gameTypes = nullptr;
    QComboBox *players = nullptr;
    QTreeWidget *list = nullptr;
    QLabel *picture = nullptr;
    QGroupBox *Ap_RG = nullptr;
    QRadioButton *autoplayOnButton = nullptr;
    QRadioButton *autoplayOffButton = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *rulesButton = nullptr;
};
