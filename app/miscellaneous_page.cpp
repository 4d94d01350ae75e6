#include "app/miscellaneous_page.h"

#include "store/settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

MiscellaneousPage::MiscellaneousPage(const OptionsContext &context, QWidget *parent)
    : OptionsPage(parent), showNextMoveOnToolbar(context.ShowNextMoveOnToolbar)
{
    auto *column = new QVBoxLayout(this);
    auto *statistics = new QHBoxLayout;
    cbCollectStatistics = new QCheckBox(QStringLiteral("Collect statistics"), this);
    // While "Show Next Move" is on the toolbar the toolbar decides.
    cbCollectStatistics->setEnabled(!context.ShowNextMoveOnToolbar);
    ClearStatistics = new QPushButton(QStringLiteral("Clear Statistics..."), this);
    statistics->addWidget(cbCollectStatistics);
    statistics->addWidget(ClearStatistics);
    statistics->addStretch();
    column->addLayout(statistics);
    auto *log = new QHBoxLayout;
    GamesInLog = new QSpinBox(this);
    GamesInLog->setRange(1, MaxLogLimit);
    log->addWidget(new QLabel(QStringLiteral("Games in the log"), this));
    log->addWidget(GamesInLog);
    log->addStretch();
    column->addLayout(log);
    cbSaveWindowPosition = new QCheckBox(QStringLiteral("Save window position for each game"), this);
    cbScrollBars = new QCheckBox(QStringLiteral("Display scroll bars"), this);
    column->addWidget(cbSaveWindowPosition);
    column->addWidget(cbScrollBars);

    auto *autoplay = new QHBoxLayout;
    AutoplayOn = new QPushButton(QStringLiteral("On"), this);
    AutoplayOff = new QPushButton(QStringLiteral("Off"), this);
    autoplay->addWidget(new QLabel(QStringLiteral("Set AutoPlay for all games"), this));
    autoplay->addWidget(AutoplayOn);
    autoplay->addWidget(AutoplayOff);
    autoplay->addStretch();
    column->addLayout(autoplay);
    ClearRecent = new QPushButton(QStringLiteral("Clear the list of recently played games"), this);
    column->addWidget(ClearRecent, 0, Qt::AlignLeft);

    auto *fitting = new QGroupBox(QStringLiteral("Alter game layout to fit the game window"), this);
    auto *fittingRows = new QVBoxLayout(fitting);
    cbFitLayout = new QCheckBox(QStringLiteral("Alter game layout to fit the game window"), fitting);
    Fitting = {new QRadioButton(QStringLiteral("Spread cards"), fitting),
               new QRadioButton(QStringLiteral("Center layout"), fitting)};
    fittingRows->addWidget(cbFitLayout);
    for (QRadioButton *method : Fitting) {
        fittingRows->addWidget(method);
        connect(cbFitLayout, &QCheckBox::toggled, method, &QWidget::setEnabled);
    }
    column->addWidget(fitting);
    auto *right = new QGroupBox(QStringLiteral("Right mouse button assignment"), this);
    auto *rightRows = new QVBoxLayout(right);
    RightClick = {new QRadioButton(QStringLiteral("Right Click"), right),
                  new QRadioButton(QStringLiteral("Ctrl + Right Click"), right)};
    for (QRadioButton *mode : RightClick)
        rightRows->addWidget(mode);
    column->addWidget(right);
    column->addStretch();

    connect(ClearStatistics, &QPushButton::clicked, this, [clear = context.ClearStatistics] {
        if (clear)
            clear();
    });
    connect(AutoplayOn, &QPushButton::clicked, this, [set = context.SetAutoplayForAll] {
        if (set)
            set(true);
    });
    connect(AutoplayOff, &QPushButton::clicked, this, [set = context.SetAutoplayForAll] {
        if (set)
            set(false);
    });
    connect(ClearRecent, &QPushButton::clicked, this, [this, clear = context.ClearRecentGames] {
        if (clear)
            clear();
        ClearRecent->setEnabled(false);
    });
}

void MiscellaneousPage::Fill(const CardsSettings &settings)
{
    cbCollectStatistics->setChecked(settings.CollectStatistics == 1 || settings.CollectStatistics == 3);
    GamesInLog->setValue(std::clamp(settings.MaxLog, 1, MaxLogLimit));
    cbSaveWindowPosition->setChecked(settings.SaveWindowPosition);
    cbScrollBars->setChecked(settings.ScrollBars);
    cbFitLayout->setChecked(settings.SpreadCards);
    Fitting[settings.FittingMethod == 1 ? 1 : 0]->setChecked(true);
    for (QRadioButton *method : Fitting)
        method->setEnabled(settings.SpreadCards);
    RightClick[settings.RightClick ? 0 : 1]->setChecked(true);
}

void MiscellaneousPage::Read(CardsSettings &settings) const
{
    // The toolbar's "Show Next Move" keeps its own marks on the value (2 and 3).
    if (!showNextMoveOnToolbar) {
        const bool on = cbCollectStatistics->isChecked();
        if (on != (settings.CollectStatistics == 1 || settings.CollectStatistics == 3))
            settings.CollectStatistics = on ? 1 : 0;
    }
    if (GamesInLog->value() != std::clamp(settings.MaxLog, 1, MaxLogLimit))
        settings.MaxLog = GamesInLog->value();
    settings.SaveWindowPosition = cbSaveWindowPosition->isChecked();
    settings.ScrollBars = cbScrollBars->isChecked();
    settings.SpreadCards = cbFitLayout->isChecked();
    const int method = Fitting[1]->isChecked() ? 1 : 0;
    if (method != (settings.FittingMethod == 1 ? 1 : 0))
        settings.FittingMethod = method;
    settings.RightClick = RightClick[0]->isChecked();
}
