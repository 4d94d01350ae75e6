#include "games/shuffle_form.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>
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
    if (modifiers & Qt::ControlModifier)
        return key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X;
    return text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9');
}

TShuffle_Form::TShuffle_Form(const QStringList &recentNumbers, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Shuffle"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Game number:"), this));
    Shuffle_CB = new QComboBox(this);
    Shuffle_CB->setEditable(true);
    Shuffle_CB->setInsertPolicy(QComboBox::NoInsert);
    Shuffle_CB->addItems(recentNumbers.mid(0, ListLimit));
    if (!recentNumbers.isEmpty())
        Shuffle_CB->setCurrentIndex(0);
    Shuffle_CB->lineEdit()->selectAll();
    Shuffle_CB->lineEdit()->installEventFilter(this);
    layout->addWidget(Shuffle_CB);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TShuffle_Form::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ShowMessage = [this](const QString &text) {
        QMessageBox::information(this, QStringLiteral("Tarnwick"), text);
    };
}

bool TShuffle_Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const bool editing = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_Up
            || key->key() == Qt::Key_Down || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Escape;
        if (!editing && !IsShuffleKeyAllowed(key->key(), key->modifiers(), key->text())) {
            QApplication::beep();
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
