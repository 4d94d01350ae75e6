#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;

// The game number typed into Select Shuffle: a 64-bit integer within 0..4294967295; text
// that is no number counts as -1 and is refused like any value outside the range.
std::optional<quint32> ShuffleNumberFromText(const QString &text);

// Whether a key pressed in the number box is kept. Of the keys that type something only
// the digits, Backspace, Enter, Ctrl+C, Ctrl+V and Ctrl+X are; keys that type nothing
// (arrows, Delete, Home, Tab, Escape) keep their usual work.
bool IsShuffleKeyAllowed(int key, Qt::KeyboardModifiers modifiers, const QString &text);

// TShuffle_Form, "Select Shuffle": a number box over the recent game numbers.
class TShuffle_Form : public QDialog {
    Q_OBJECT
public:
    // The number chosen with OK goes first in a list of at most this many.
    static constexpr int ListLimit = 10;

    // The list offers every recent number it is given.
    TShuffle_Form(const QStringList &recentNumbers, QWidget *parent = nullptr);

    QComboBox *Shuffle_CB = nullptr;
    // The number chosen with OK.
    quint32 Number() const { return number; }
    // Shows the range message (a message box with the caption "Tarnwick"; tests replace it).
    std::function<void(const QString &text)> ShowMessage;
    // Sounds when a typed key is discarded (the system beep; tests replace it).
    std::function<void()> Beep;

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    quint32 number = 0;
};
