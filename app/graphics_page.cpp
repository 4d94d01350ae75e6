#include "app/graphics_page.h"

#include "store/settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QSlider *speed(const char *caption, int defaultSteps, QGridLayout *grid, int row, QWidget *parent)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(1, 7);
    slider->setTickPosition(QSlider::TicksBelow);
    auto *reset = new QPushButton(QStringLiteral("Default"), parent);
    QObject::connect(reset, &QPushButton::clicked, slider, [slider, defaultSteps] { slider->setValue(defaultSteps); });
    grid->addWidget(new QLabel(QString::fromUtf8(caption), parent), row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(reset, row, 2);
    return slider;
}

} // namespace

GraphicsPage::GraphicsPage(const OptionsContext &context, QWidget *parent) : OptionsPage(parent)
{
    auto *column = new QVBoxLayout(this);
    cbShowEmpty = new QCheckBox(QStringLiteral("Show empty tableau piles"), this);
    cbShowFinished = new QCheckBox(QStringLiteral("Highlight completed foundations"), this);
    column->addWidget(cbShowEmpty);
    column->addWidget(cbShowFinished);

    auto *animation = new QGroupBox(QStringLiteral("Animation Speed"), this);
    auto *speeds = new QGridLayout(animation);
    DragSpeed = speed("Drag-and-Drop", DefaultDragSteps, speeds, 0, animation);
    ClickSpeed = speed("Point-and-Click & Autoplay", DefaultClickSteps, speeds, 1, animation);
    column->addWidget(animation);

    auto *shadow = new QGroupBox(QStringLiteral("Show card shadow"), this);
    auto *shadows = new QVBoxLayout(shadow);
    cbShadow = new QCheckBox(QStringLiteral("Show card shadow"), shadow);
    shadows->addWidget(cbShadow);
    const char *styles[] = {"Blurred shadow", "Sharp shadow", "Dotted shadow"};
    for (std::size_t index = 0; index < Shadow.size(); ++index) {
        Shadow[index] = new QRadioButton(QString::fromLatin1(styles[index]), shadow);
        shadows->addWidget(Shadow[index]);
        connect(cbShadow, &QCheckBox::toggled, Shadow[index], &QWidget::setEnabled);
    }
    column->addWidget(shadow);

    cbHighlight = new QCheckBox(QStringLiteral("Mouse highlight"), this);
    cbHighlight->setEnabled(context.ColourDepth > 8);
    cbFlip = new QCheckBox(QStringLiteral("Animate card flipping"), this);
    column->addWidget(cbHighlight);
    column->addWidget(cbFlip);
    column->addStretch();
}

void GraphicsPage::Fill(const CardsSettings &settings)
{
    cbShowEmpty->setChecked(settings.Show_Empty);
    cbShowFinished->setChecked(settings.Show_Finished);
    DragSpeed->setValue(std::clamp(settings.DragSteps, 1, 7));
    ClickSpeed->setValue(std::clamp(settings.ClickSteps, 1, 7));
    cbShadow->setChecked(settings.ShadowEnabled);
    Shadow[std::size_t(std::clamp(settings.ShadowStyle, 0, 2))]->setChecked(true);
    for (QRadioButton *style : Shadow)
        style->setEnabled(settings.ShadowEnabled);
    cbHighlight->setChecked(settings.Highlight);
    cbFlip->setChecked(settings.FlipEnabled);
}

void GraphicsPage::Read(CardsSettings &settings) const
{
    settings.Show_Empty = cbShowEmpty->isChecked();
    settings.Show_Finished = cbShowFinished->isChecked();
    // Untouched sliders give back the stored steps, even ones outside 1 to 7.
    if (DragSpeed->value() != std::clamp(settings.DragSteps, 1, 7))
        settings.DragSteps = DragSpeed->value();
    if (ClickSpeed->value() != std::clamp(settings.ClickSteps, 1, 7))
        settings.ClickSteps = ClickSpeed->value();
    settings.ShadowEnabled = cbShadow->isChecked();
    for (std::size_t index = 0; index < Shadow.size(); ++index)
        if (Shadow[index]->isChecked() && int(index) != std::clamp(settings.ShadowStyle, 0, 2))
            settings.ShadowStyle = int(index);
    settings.Highlight = cbHighlight->isChecked();
    settings.FlipEnabled = cbFlip->isChecked();
}
