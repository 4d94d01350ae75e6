#pragma once

#include "app/options_page.h"

#include <array>

class QCheckBox;
class QRadioButton;
class QSlider;

// The page "Graphics": empty and completed piles, the animation speeds, shadows, the mouse
// highlight and card flipping.
class GraphicsPage : public OptionsPage {
    Q_OBJECT
public:
    static constexpr int DefaultDragSteps = 5;
    static constexpr int DefaultClickSteps = 4;
    explicit GraphicsPage(const OptionsContext &context, QWidget *parent = nullptr);
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;

    QCheckBox *cbShowEmpty = nullptr, *cbShowFinished = nullptr;
    QSlider *DragSpeed = nullptr, *ClickSpeed = nullptr; // 1 to 7 steps
    QCheckBox *cbShadow = nullptr;
    std::array<QRadioButton *, 3> Shadow{}; // "Blurred shadow", "Sharp shadow", "Dotted shadow"
    QCheckBox *cbHighlight = nullptr, *cbFlip = nullptr;
};
