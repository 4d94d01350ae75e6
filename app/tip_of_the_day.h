#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

// Texts of the tip window.
namespace TipText {
inline constexpr char Caption[] = "Tip of the Day";
inline constexpr char Heading[] = "  Did you know...";
inline constexpr char ShowAtStartup[] = "Show tips at startup";
inline constexpr char NextTip[] = "&Next Tip";
inline constexpr char Close[] = "&Close";
inline constexpr char FileName[] = "qeltips.dat";
} // namespace TipText

// One step through the tips file: the lines from the first up to the line with the current
// number are read (or to the end of the file); the last line read is the tip, and the next
// number is one more, or 1 when no line follows it. Nothing is read from a file that cannot
// be opened. Lines are cut to MaxLength bytes and the file is read no further than
// MaxBytes, so a huge or binary file never stalls the program.
struct TipStep {
    static constexpr int MaxLength = 1000;
    static constexpr qint64 MaxBytes = 1 << 20;

    bool read = false;
    QString tip;
    int next = 1;
};
TipStep ReadTip(const QString &fileName, int number);

// `TfmTipOfTheDay`: shows one tip of the file at a time; "&Next Tip" steps through them and
// starts again after the last. The tip number and the check box go back to the caller.
class TfmTipOfTheDay : public QDialog {
    Q_OBJECT
public:
    TfmTipOfTheDay(const QString &fileName, int tipNumber, bool showAtStartup, QWidget *parent = nullptr);

    // The number of the tip to show next time.
    int TipNumber() const { return tipNumber; }
    bool ShowAtStartup() const;

    QLabel *TipLabel() const { return tipLabel; }
    QCheckBox *ShowAtStartupBox() const { return showBox; }
    QPushButton *NextTipButton() const { return nextButton; }

    // Shows the next tip (an unreadable file leaves the tip shown).
    void NextTip();

private:
    QString fileName;
    int tipNumber;
    QLabel *tipLabel = nullptr;
    QCheckBox *showBox = nullptr;
    QPushButton *nextButton = nullptr;
};
