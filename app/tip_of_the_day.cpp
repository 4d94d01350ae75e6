#include "app/tip_of_the_day.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// One line of at most MaxLength bytes, the rest of a longer line passed over; false at the
// end of the file or of the bytes the file may use.
bool readLine(QFile &file, QByteArray &line)
{
    if (file.atEnd() || file.pos() >= TipStep::MaxBytes)
        return false;
    line = file.readLine(TipStep::MaxLength + 1);
    while (!line.endsWith('\n') && !file.atEnd() && file.pos() < TipStep::MaxBytes) {
        char skipped[4096];
        const qint64 got = file.readLine(skipped, sizeof skipped);
        if (got <= 0)
            break;
        if (skipped[got - 1] == '\n')
            break;
    }
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    line.truncate(TipStep::MaxLength);
    return true;
}

} // namespace

TipStep ReadTip(const QString &fileName, int number)
{
    TipStep step;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return step;
    QByteArray line;
    int lineNumber = 0;
    // A number below 1 (a damaged setting) shows the first tip.
    while (readLine(file, line)) {
        step.read = true;
        step.tip = QString::fromUtf8(line);
        if (++lineNumber >= number)
            break;
    }
    // The last line of the file leads back to the first.
    const bool atEnd = file.atEnd() || file.pos() >= TipStep::MaxBytes;
    step.next = atEnd ? 1 : lineNumber + 1;
    return step;
}

TfmTipOfTheDay::TfmTipOfTheDay(const QString &file, int number, bool showAtStartup, QWidget *parent)
    : QDialog(parent), fileName(file), tipNumber(number)
{
    setObjectName(QStringLiteral("TfmTipOfTheDay"));
    setWindowTitle(QString::fromLatin1(TipText::Caption));
    auto *heading = new QLabel(QString::fromLatin1(TipText::Heading));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);
    tipLabel = new QLabel;
    tipLabel->setObjectName(QStringLiteral("TipText"));
    tipLabel->setWordWrap(true);
    tipLabel->setTextFormat(Qt::PlainText);
    tipLabel->setMinimumSize(360, 90);
    tipLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipLabel->setFrameShape(QFrame::StyledPanel);
    tipLabel->setMargin(10);
    showBox = new QCheckBox(QString::fromLatin1(TipText::ShowAtStartup));
    showBox->setChecked(showAtStartup);
    nextButton = new QPushButton(QString::fromLatin1(TipText::NextTip));
    auto *closeButton = new QPushButton(QString::fromLatin1(TipText::Close));
    closeButton->setDefault(true);
    connect(nextButton, &QPushButton::clicked, this, &TfmTipOfTheDay::NextTip);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(showBox);
    buttons->addStretch();
    buttons->addWidget(nextButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(tipLabel, 1);
    layout->addLayout(buttons);
    NextTip();
}

bool TfmTipOfTheDay::ShowAtStartup() const
{
    return showBox->isChecked();
}

void TfmTipOfTheDay::NextTip()
{
    const TipStep step = ReadTip(fileName, tipNumber);
    if (!step.read)
        return;
    tipLabel->setText(step.tip);
    tipNumber = step.next;
}
