#pragma once

#include "app/options_page.h"

#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The page "Miscellaneous": statistics and the log, window placement, scroll bars, autoplay
// for every game, the recently played list, how the layout fits the window and what the
// right mouse button needs.
class MiscellaneousPage : public OptionsPage {
    Q_OBJECT
public:
    static constexpr int MaxLogLimit = 10000;
    explicit MiscellaneousPage(const OptionsContext &context, QWidget *parent = nullptr);
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;

    QCheckBox *cbCollectStatistics = nullptr;
    QPushButton *ClearStatistics = nullptr;
    QSpinBox *GamesInLog = nullptr;
    QCheckBox *cbSaveWindowPosition = nullptr, *cbScrollBars = nullptr;
    QPushButton *AutoplayOn = nullptr, *AutoplayOff = nullptr, *ClearRecent = nullptr;
    std::array<QRadioButton *, 2> Fitting{};    // "Spread cards", "Center layout"
    QCheckBox *cbFitLayout = nullptr;           // "Alter game layout to fit the game window"
    std::array<QRadioButton *, 2> RightClick{}; // "Right Click", "Ctrl + Right Click"

private:
    bool showNextMoveOnToolbar = false;
};
