#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

struct CustomGameRecord;
class QLabel;

namespace CustomHelpText {
inline constexpr char Caption[] = "Customization details for game '%1'";
inline constexpr char Undefined[] = "Undefined or can not be customized";
} // namespace CustomHelpText

// The texts of the rules window's code tables; a code not in a table gives an empty text.
QString RedealsText(int code);
QString StockDealText(int code);
QString BuildingDirectionText(int code);
QString BuildingMethodText(int code);
QString GroupMoveText(int code);
QString EmptyTableauText(int code);

// One row of the rules window: the variant's text and the base game's; bold where they differ.
struct CustomHelpRow {
    QString Label;
    QString Variant;
    QString Original;
    bool Bold = false;
};
// The eight rows, in window order, for a variant.
std::vector<CustomHelpRow> CustomHelpRows(const CustomGameRecord &variant);

// `TCustomHelp`: how a variant's rules differ from its base game's.
class TCustomHelp : public QDialog {
    Q_OBJECT
public:
    // originalRules: opens the base game's own rules ("Original rules").
    TCustomHelp(const CustomGameRecord &variant, std::function<void()> originalRules, QWidget *parent = nullptr);

    // The variant's text of each row, in row order.
    const std::vector<QLabel *> &VariantLabels() const { return variantLabels; }

private:
    std::vector<QLabel *> variantLabels;
};
