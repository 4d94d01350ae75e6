#pragma once

#include "games/rules_record.h"
#include "store/custom_games.h"

#include <QDialog>
#include <functional>

class CustomVariants;
class GameGroups;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace CustomRulesText {
inline constexpr char Caption[] = "Customize Rules";
inline constexpr char NameExists[] =
    "Solitaire with this name (\"%1\") already exists. Please choose different name for the customized game.";
} // namespace CustomRulesText

// Which choices the editor offers, from the base game's rules record.
struct RuleChoicesEnabled {
    bool redeals = false;
    bool stockDeal = false;
    bool tableau = false;
    bool emptyTableau = false;
    bool groupMove = false;
    bool foundation = false;
    bool foundationDirection = false; // also off when the base game fixes the direction
};
RuleChoicesEnabled EnabledChoices(const GameRulesRecord &base);

// The editor's choices as list indexes; -1 shows no selection.
struct RuleChoices {
    int redeals = -1;     // 0 "None", 1..8, 9 "Unlimited"
    int stockDeal = -1;   // 0 one card, 1 three cards
    int tableauDirection = -1; // 0 up, 1 down, 2 up and down
    int tableauMethod = -1;    // 0..4
    int groupMove = -1;        // 0 single cards, 1 any group, 2..6 the methods
    int emptyTableau = -1;     // 0..2
    int foundationDirection = -1;
    int foundationMethod = -1;
    bool operator==(const RuleChoices &) const = default;
};
// The shown choices of a working record; disabled choices show nothing.
RuleChoices ChoicesOf(const CustomGameRecord &working, const RuleChoicesEnabled &enabled);
// Writes every enabled choice into the working record; disabled ones keep its values.
void ApplyChoices(const RuleChoices &choices, const RuleChoicesEnabled &enabled, CustomGameRecord &working);

// The record the editor starts from: the current variant's, or the base game's rule values.
CustomGameRecord WorkingRecordFor(int currentGameId, const CustomVariants &variants);

// `TCustomRulesForm` ("Customize Rules"): derives a variant from the current game. OK adds
// it to the variants (with statistics records for every player); Created tells its id.
class TCustomRulesForm : public QDialog {
    Q_OBJECT
public:
    TCustomRulesForm(int currentGameId, CustomVariants &variants, const GameGroups &groups, const QStringList &players,
                     double today, const GameWindowRecord &baseWindow, QWidget *parent = nullptr);

    // The message box of a refused name or a full list; tests replace it.
    std::function<void(const QString &text)> ShowError;
    // The id of the variant OK created; -1 before.
    int CreatedGameId() const { return created; }

    QLineEdit *NameBox() const { return name; }
    QComboBox *Redeals() const { return redeals; }
    QComboBox *StockDeal() const { return stockDeal; }
    QComboBox *TableauDirection() const { return tableauDirection; }
    QComboBox *TableauMethod() const { return tableauMethod; }
    QComboBox *GroupMove() const { return groupMove; }
    QComboBox *EmptyTableau() const { return emptyTableau; }
    QComboBox *FoundationDirection() const { return foundationDirection; }
    QComboBox *FoundationMethod() const { return foundationMethod; }
    QPushButton *OkButton() const { return okButton; }

public Q_SLOTS:
    void accept() override;

private:
    RuleChoices shownChoices() const;

    CustomVariants &variants;
    const GameGroups &groups;
    QStringList players;
    double today = 0;
    GameWindowRecord baseWindow;
    CustomGameRecord working;
    RuleChoicesEnabled enabled;
    int created = -1;

    QLineEdit *name = nullptr;
    QComboBox *redeals = nullptr, *stockDeal = nullptr, *tableauDirection = nullptr, *tableauMethod = nullptr;
    QComboBox *groupMove = nullptr, *emptyTableau = nullptr, *foundationDirection = nullptr,
              *foundationMethod = nullptr;
    QPushButton *okButton = nullptr;
};
