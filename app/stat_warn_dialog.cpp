#include "app/stat_warn_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

TStatWarnD::TStatWarnD(const QString &text, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("StatWarnD"));
    setWindowTitle(QString::fromLatin1(StatWarnText::Caption));
    setModal(true);
    auto *icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    Message = new QLabel(text, this);
    Message->setWordWrap(true);
    Message->setMinimumWidth(360);
    DontShow = new QCheckBox(QString::fromLatin1(StatWarnText::DontShowAgain), this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(Message, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(DontShow);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

bool TStatWarnD::Show(const QString &text, QWidget *parent)
{
    TStatWarnD notice(text, parent);
    notice.exec();
    return notice.DontShow->isChecked();
}
