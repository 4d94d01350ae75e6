#pragma once

#include "app/options_page.h"
#include "app/sound_form.h"

#include <array>
#include <functional>

class QCheckBox;
class QPushButton;
class QRadioButton;

// The page "Preferences": sounds, warnings and confirmations, the status bar, the system,
// card movement, undo and the saved game at exit.
class PreferencesPage : public OptionsPage {
    Q_OBJECT
public:
    explicit PreferencesPage(const OptionsContext &context, QWidget *parent = nullptr);
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;
    // The launcher boxes as the player left them.
    bool DesktopIcon() const;
    bool StartMenuIcon() const;
    // Runs the sound dialog; tests answer it at once.
    std::function<int(TSoundForm &form)> RunSoundForm;

    // "Play sound": checked with all five sounds on, grayed with some, unchecked with none; a
    // click goes to checked, or from checked to unchecked, never to grayed.
    QCheckBox *Sound_CB = nullptr;
    QPushButton *btnCustomSound = nullptr;
    QCheckBox *WEChk = nullptr, *cbConfirmExit = nullptr, *cbConfirmNewGame = nullptr;
    QCheckBox *Stuck_CB = nullptr, *cbBuildingTips = nullptr, *cbShowTimer = nullptr;
    QCheckBox *cbDesktopIcon = nullptr, *cbTray = nullptr, *cbStartMenu = nullptr, *cbMinimizeOnEscape = nullptr;
    std::array<QRadioButton *, 3> CardMovement{}; // "Drag-and-Drop", "Point-and-Click", "Both"
    std::array<QRadioButton *, 3> UndoOption{};   // "Disable Undo/Redo", "One move Undo/Redo", "Multi-Level"
    QCheckBox *cbSaveOnExit = nullptr, *cbStatusIndicator = nullptr, *cbWinnableOnly = nullptr;

private:
    void customizeSounds();
    void showSounds();
    SoundSwitches sounds;
};
