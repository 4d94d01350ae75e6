#pragma once

#include "app/options_page.h"

class QCheckBox;
class QPushButton;

// The page "Toolbar && Menu": the toolbar's buttons, its content, and the menu's style.
class ToolbarMenuPage : public OptionsPage {
    Q_OBJECT
public:
    explicit ToolbarMenuPage(const OptionsContext &context, QWidget *parent = nullptr);
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;
    // "Customize toolbar..." was used.
    bool Customised() const { return customised; }

    QCheckBox *cbFlat = nullptr, *cbLargeBtns = nullptr, *cbShowHints = nullptr, *cbOldStyle = nullptr;
    QPushButton *CusomizeTB = nullptr;
    QCheckBox *cb_MenuXP = nullptr, *cb_MenuIcons = nullptr;

private:
    bool customised = false;
};
