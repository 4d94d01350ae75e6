#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

// Texts of the statistics notices.
namespace StatWarnText {
inline constexpr char Caption[] = "Tarnwick";
inline constexpr char ButtonAdded[] =
    "You have \"Show Next Move\" button included into toolbar. It will disable your statistics. Your current "
    "statistics will remain. But no new values will be added to your statistics if you have this button in the "
    "toolbar. Remove it to enable statistics.";
inline constexpr char ButtonRemoved[] =
    "\"Show Next Move\" button was removed from the Tarnwick toolbar. Your statistics are now enabled. ";
inline constexpr char DontShowAgain[] = "Don't show this message again";
} // namespace StatWarnText

// `TStatWarnD`: the notice that the "Show Next Move" button stops (or no longer stops) the
// statistics, with "Don't show this message again".
class TStatWarnD : public QDialog {
    Q_OBJECT
public:
    TStatWarnD(const QString &text, QWidget *parent = nullptr);

    QLabel *Message = nullptr;
    QCheckBox *DontShow = nullptr;

    // Shows the notice modally; true when the player ticked "Don't show this message again".
    static bool Show(const QString &text, QWidget *parent);
};
