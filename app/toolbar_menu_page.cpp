#include "app/toolbar_menu_page.h"

#include "store/settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

ToolbarMenuPage::ToolbarMenuPage(const OptionsContext &context, QWidget *parent) : OptionsPage(parent)
{
    auto *toolbar = new QGroupBox(QStringLiteral("Toolbar configuration"), this);
    auto *toolbarRows = new QVBoxLayout(toolbar);
    cbFlat = new QCheckBox(QStringLiteral("Use flat toolbar buttons"), toolbar);
    cbLargeBtns = new QCheckBox(QStringLiteral("Use large toolbar buttons"), toolbar);
    cbShowHints = new QCheckBox(QStringLiteral("Show tool tips"), toolbar);
    cbOldStyle = new QCheckBox(QStringLiteral("Old-style buttons"), toolbar);
    CusomizeTB = new QPushButton(QStringLiteral("Customize toolbar..."), toolbar);
    for (QWidget *control : {static_cast<QWidget *>(cbFlat), static_cast<QWidget *>(cbLargeBtns),
                             static_cast<QWidget *>(cbShowHints), static_cast<QWidget *>(cbOldStyle),
                             static_cast<QWidget *>(CusomizeTB)})
        toolbarRows->addWidget(control);
    auto *menu = new QGroupBox(QStringLiteral("Menu configuration"), this);
    auto *menuRows = new QVBoxLayout(menu);
    cb_MenuXP = new QCheckBox(QStringLiteral("Office XP style"), menu);
    cb_MenuXP->setEnabled(context.ColourDepth > 7);
    cb_MenuIcons = new QCheckBox(QStringLiteral("Show icons in menu"), menu);
    menuRows->addWidget(cb_MenuXP);
    menuRows->addWidget(cb_MenuIcons);
    auto *column = new QVBoxLayout(this);
    column->addWidget(toolbar);
    column->addWidget(menu);
    column->addStretch();
    connect(CusomizeTB, &QPushButton::clicked, this, [this, customize = context.CustomizeToolbar] {
        if (customize)
            customize();
        customised = true;
    });
}

void ToolbarMenuPage::Fill(const CardsSettings &settings)
{
    cbFlat->setChecked(settings.FlatButtons);
    cbLargeBtns->setChecked(settings.LargeButtons);
    cbShowHints->setChecked(settings.ShowHints);
    cbOldStyle->setChecked(settings.OldTBStyle);
    cb_MenuXP->setChecked(settings.MenuXP);
    cb_MenuIcons->setChecked(settings.MenuIcons);
}

void ToolbarMenuPage::Read(CardsSettings &settings) const
{
    settings.FlatButtons = cbFlat->isChecked();
    settings.LargeButtons = cbLargeBtns->isChecked();
    settings.ShowHints = cbShowHints->isChecked();
    settings.OldTBStyle = cbOldStyle->isChecked();
    settings.MenuXP = cb_MenuXP->isChecked();
    settings.MenuIcons = cb_MenuIcons->isChecked();
}
