#include "app/shuffle_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

std::optional<quint32> ShuffleNumberFromText(const QString &text)
{
    bool ok = false;
    qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok)
        value = -1;
    if (value < 0 || value > qint64(std::numeric_limits<quint32>::max()))
        return std::nullopt;
    return quint32(value);
}

bool IsShuffleKeyAllowed(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    if (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter)
        return true;
    const bool control = modifiers & Qt::ControlModifier;
    if (control && (key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X))
        return true;
    // A key types something when it is a character key or brings printable text.
    bool types = key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis;
    for (const QChar c : text)
        types = types || c.isPrint();
    if (!types)
        return true;
    return !control && text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

TShuffle_Form::TShuffle_Form(const QStringList &recentNumbers, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Shuffle"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Game number:"), this));
    Shuffle_CB = new QComboBox(this);
    Shuffle_CB->setEditable(true);
    Shuffle_CB->setInsertPolicy(QComboBox::NoInsert);
    Shuffle_CB->setMaxVisibleItems(std::max(10, int(recentNumbers.size())));
    Shuffle_CB->addItems(recentNumbers);
    if (!recentNumbers.isEmpty())
        Shuffle_CB->setCurrentIndex(0);
    Shuffle_CB->lineEdit()->selectAll();
    // The player types the number straight away.
    Shuffle_CB->setFocus();
    // The combo box hands its key presses to its line edit directly, past the line
    // edit's filters: both are watched.
    Shuffle_CB->installEventFilter(this);
    Shuffle_CB->lineEdit()->installEventFilter(this);
    layout->addWidget(Shuffle_CB);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TShuffle_Form::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ShowMessage = [this](const QString &text) {
        QMessageBox::information(this, QStringLiteral("Tarnwick"), text);
    };
    Beep = [] { QApplication::beep(); };
}

bool TShuffle_Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!IsShuffleKeyAllowed(key->key(), key->modifiers(), key->text())) {
            if (Beep)
                Beep();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TShuffle_Form::accept()
{
    const QString text = Shuffle_CB->currentText();
    const std::optional<quint32> value = ShuffleNumberFromText(text);
    if (!value) {
        if (ShowMessage)
            ShowMessage(QStringLiteral("Game number doesn't fit the range 0..4294967295"));
        Shuffle_CB->setFocus();
        return;
    }
    number = *value;
    const QString canonical = QString::number(number);
    for (int index = Shuffle_CB->findText(canonical); index >= 0; index = Shuffle_CB->findText(canonical))
        Shuffle_CB->removeItem(index);
    Shuffle_CB->insertItem(0, canonical);
    while (Shuffle_CB->count() > ListLimit)
        Shuffle_CB->removeItem(Shuffle_CB->count() - 1);
    Shuffle_CB->setCurrentIndex(0);
    QDialog::accept();
}
