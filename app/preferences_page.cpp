#include "app/preferences_page.h"

#include "store/settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

class SoundBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

QCheckBox *box(const char *caption, QLayout *layout)
{
    auto *check = new QCheckBox(QString::fromUtf8(caption));
    layout->addWidget(check);
    return check;
}

std::array<QRadioButton *, 3> choice(const char *title, const std::array<const char *, 3> &captions, QWidget *parent,
                                     QGroupBox *&group)
{
    group = new QGroupBox(QString::fromLatin1(title), parent);
    auto *column = new QVBoxLayout(group);
    auto *buttons = new QButtonGroup(group);
    std::array<QRadioButton *, 3> radios{};
    for (std::size_t index = 0; index < radios.size(); ++index) {
        radios[index] = new QRadioButton(QString::fromLatin1(captions[index]), group);
        buttons->addButton(radios[index], int(index));
        column->addWidget(radios[index]);
    }
    return radios;
}

int chosen(const std::array<QRadioButton *, 3> &radios, int fallback)
{
    for (std::size_t index = 0; index < radios.size(); ++index)
        if (radios[index]->isChecked())
            return int(index);
    return fallback;
}

void choose(const std::array<QRadioButton *, 3> &radios, int index)
{
    if (index >= 0 && index < int(radios.size()))
        radios[std::size_t(index)]->setChecked(true);
}

} // namespace

PreferencesPage::PreferencesPage(const OptionsContext &context, QWidget *parent) : OptionsPage(parent)
{
    auto *general = new QGroupBox(QStringLiteral("General"), this);
    auto *generalRows = new QVBoxLayout(general);
    auto *soundRow = new QHBoxLayout;
    Sound_CB = new SoundBox(QStringLiteral("Play sound"), general);
    Sound_CB->setTristate(true);
    btnCustomSound = new QPushButton(QStringLiteral("Customize"), general);
    soundRow->addWidget(Sound_CB);
    soundRow->addWidget(btnCustomSound);
    soundRow->addStretch();
    generalRows->addLayout(soundRow);
    WEChk = box("Display messages on illegal move", generalRows);
    cbConfirmNewGame = box("Confirm new game", generalRows);
    cbConfirmExit = box("Confirm on exit", generalRows);
    cbSaveOnExit = box("Save game on exit", generalRows);
    cbStatusIndicator = box("Show Game Status Indicator", generalRows);
    cbWinnableOnly = box("Winnable deals only", generalRows);

    auto *status = new QGroupBox(QStringLiteral("Status Bar"), this);
    auto *statusRows = new QVBoxLayout(status);
    Stuck_CB = box("Show \"You Are Stuck\" warning", statusRows);
    cbBuildingTips = box("Show card building tips", statusRows);
    cbShowTimer = box("Show timer", statusRows);

    auto *system = new QGroupBox(QStringLiteral("System"), this);
    auto *systemRows = new QVBoxLayout(system);
    cbDesktopIcon = box("Show icon on the Desktop", systemRows);
    cbTray = box("Minimize to Taskbar Tray", systemRows);
    cbStartMenu = box("Include icon in the start menu", systemRows);
    cbMinimizeOnEscape = box("Minimize on &Escape", systemRows);
    cbDesktopIcon->setChecked(context.DesktopIcon);
    cbStartMenu->setChecked(context.StartMenuIcon);

    QGroupBox *movement = nullptr, *undo = nullptr;
    CardMovement = choice("Card Movement", {"Drag-and-Drop", "Point-and-Click", "Both"}, this, movement);
    UndoOption = choice("Undo/Redo", {"Disable Undo/Redo", "One move Undo/Redo", "Multi-Level"}, this, undo);

    auto *grid = new QGridLayout(this);
    grid->addWidget(general, 0, 0);
    grid->addWidget(status, 1, 0);
    grid->addWidget(system, 0, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(movement);
    right->addWidget(undo);
    grid->addLayout(right, 1, 1);
    grid->setRowStretch(2, 1);

    connect(Sound_CB, &QCheckBox::clicked, this, [this] {
        const bool on = Sound_CB->checkState() == Qt::Checked;
        sounds = {on, on, on, on, on};
    });
    connect(btnCustomSound, &QPushButton::clicked, this, &PreferencesPage::customizeSounds);
}

void PreferencesPage::showSounds()
{
    const int on = sounds.CountOn();
    Sound_CB->setCheckState(on == 5 ? Qt::Checked : on == 0 ? Qt::Unchecked : Qt::PartiallyChecked);
}

void PreferencesPage::customizeSounds()
{
    TSoundForm form(sounds, this);
    const int result = RunSoundForm ? RunSoundForm(form) : form.exec();
    if (result != QDialog::Accepted)
        return;
    sounds = form.Switches();
    showSounds();
}

void PreferencesPage::Fill(const CardsSettings &settings)
{
    sounds = {settings.Play_Card_Move, settings.Play_Deck_Over, settings.Play_Win_G, settings.PlayShuffle,
              settings.Play_Card_Drag};
    showSounds();
    WEChk->setChecked(settings.Warnings);
    cbConfirmExit->setChecked(settings.Confirm_On_Exit);
    cbConfirmNewGame->setChecked(settings.Confirm_New_Game);
    Stuck_CB->setChecked(settings.ShowStuckMessage);
    cbBuildingTips->setChecked(settings.BuildingTips);
    cbShowTimer->setChecked(settings.Timer);
    cbTray->setChecked(settings.Tray);
    cbMinimizeOnEscape->setChecked(settings.Minimize_On_ESC);
    choose(CardMovement, settings.CardMovement);
    choose(UndoOption, settings.UndoOption);
    cbSaveOnExit->setChecked(settings.Save_On_Exit);
    cbStatusIndicator->setChecked(settings.ShowStatusIndicator);
    cbWinnableOnly->setChecked(settings.WinnableOnly);
}

void PreferencesPage::Read(CardsSettings &settings) const
{
    settings.Play_Card_Move = sounds.CardMove;
    settings.Play_Deck_Over = sounds.DeckOver;
    settings.Play_Win_G = sounds.GameWon;
    settings.PlayShuffle = sounds.Shuffle;
    settings.Play_Card_Drag = sounds.CardDrag;
    settings.Warnings = WEChk->isChecked();
    settings.Confirm_On_Exit = cbConfirmExit->isChecked();
    settings.Confirm_New_Game = cbConfirmNewGame->isChecked();
    settings.ShowStuckMessage = Stuck_CB->isChecked();
    settings.BuildingTips = cbBuildingTips->isChecked();
    settings.Timer = cbShowTimer->isChecked();
    settings.Tray = cbTray->isChecked();
    settings.Minimize_On_ESC = cbMinimizeOnEscape->isChecked();
    // A stored value outside the choices stays as it was unless the player picks one.
    settings.CardMovement = chosen(CardMovement, settings.CardMovement);
    settings.UndoOption = chosen(UndoOption, settings.UndoOption);
    settings.Save_On_Exit = cbSaveOnExit->isChecked();
    settings.ShowStatusIndicator = cbStatusIndicator->isChecked();
    settings.WinnableOnly = cbWinnableOnly->isChecked();
}

bool PreferencesPage::DesktopIcon() const
{
    return cbDesktopIcon->isChecked();
}

bool PreferencesPage::StartMenuIcon() const
{
    return cbStartMenu->isChecked();
}
