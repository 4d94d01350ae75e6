#include "app/sound_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

TSoundForm::TSoundForm(const SoundSwitches &switches, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSoundForm"));
    setWindowTitle(QStringLiteral("Cusomize sounds"));
    auto *group = new QGroupBox(QStringLiteral("Sound events"), this);
    auto *column = new QVBoxLayout(group);
    const std::array<std::pair<const char *, bool>, 5> boxes{{{"Card &Move", switches.CardMove},
                                                              {"&Turn a Deck", switches.DeckOver},
                                                              {"&Game is won", switches.GameWon},
                                                              {"&Shuffle", switches.Shuffle},
                                                              {"Start Card &Dragging", switches.CardDrag}}};
    for (std::size_t index = 0; index < boxes.size(); ++index) {
        Boxes[index] = new QCheckBox(QString::fromLatin1(boxes[index].first), group);
        Boxes[index]->setChecked(boxes[index].second);
        column->addWidget(Boxes[index]);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

SoundSwitches TSoundForm::Switches() const
{
    return {Boxes[0]->isChecked(), Boxes[1]->isChecked(), Boxes[2]->isChecked(), Boxes[3]->isChecked(),
            Boxes[4]->isChecked()};
}
