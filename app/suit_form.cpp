#include "app/suit_form.h"

#include "engine/card.h"
#include "engine/card_pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TSuitForm::TSuitForm(const QString &caption, const QString &label, const std::vector<TCard *> &offered,
                     QWidget *parent)
    : QDialog(parent), candidates(offered)
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(label, this));
    auto *cardRow = new QHBoxLayout;
    const CardPictures &pictures = cardPictures();
    const QSize buttonSize(pictures.CardWidth() + 10, pictures.CardHeight() + 10);
    for (int index = 0; index < int(candidates.size()); ++index) {
        auto *button = new QPushButton(this);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setFixedSize(buttonSize);
        const TCard *card = candidates[std::size_t(index)];
        const QImage &picture = pictures.Picture(TCard::FacePictureSlot(card->CardFace()));
        if (!picture.isNull()) {
            button->setIcon(QPixmap::fromImage(picture));
            button->setIconSize(QSize(pictures.CardWidth(), pictures.CardHeight()));
        } else {
            button->setText(QStringLiteral("%1%2")
                                .arg(QStringLiteral("A23456789TJQK").mid(card->Rank() - 1, 1))
                                .arg(QStringLiteral("CDHS").mid(card->Suit() - 1, 1)));
        }
        connect(button, &QPushButton::clicked, this, [this, index] { Choose(index); });
        cardRow->addWidget(button);
        cardButtons.push_back(button);
    }
    cardRow->addStretch();
    layout->addLayout(cardRow);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    moveButton = new QPushButton(QStringLiteral("&Move"), this);
    moveButton->setEnabled(false);
    moveButton->setDefault(true);
    connect(moveButton, &QPushButton::clicked, this, [this] { done(MoveResult); });
    auto *cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    connect(cancelButton, &QPushButton::clicked, this, [this] { done(CancelResult); });
    buttons->addWidget(moveButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);
}

void TSuitForm::Choose(int index)
{
    if (index < 0 || index >= int(candidates.size()))
        return;
    chosen = candidates[std::size_t(index)];
    cardButtons[std::size_t(index)]->setChecked(true);
    moveButton->setEnabled(true);
}

TCard *CardChoiceDialog::ChooseCard(const QString &caption, const QString &label,
                                    const std::vector<TCard *> &candidates)
{
    TSuitForm form(caption, label, candidates, parent);
    // Closing the window counts as Cancel.
    return form.exec() == TSuitForm::MoveResult ? form.Chosen() : nullptr;
}
