#include "app/about_box.h"

#include "app/program_pictures.h"
#include "app/tarnwick_application.h"
#include "app/url_label.h"
#include "store/settings.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QString::fromLatin1(AboutText::Caption));
    auto *icon = new QLabel;
    icon->setPixmap(programIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    icon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *name = new QLabel(QString::fromLatin1(ProgramTitle));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    name->setFont(nameFont);
    auto *version = new QLabel(QStringLiteral("Version ") + QString::fromLatin1(WrittenVersion));
    const auto paragraph = [](const char *text) {
        auto *label = new QLabel(QString::fromLatin1(text));
        label->setWordWrap(true);
        label->setMinimumWidth(340);
        return label;
    };
    link = new TQelURLLabel(QString::fromLatin1(AboutText::HomePageText), QUrl(QString::fromLatin1(AboutText::HomePage)));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(paragraph(AboutText::Description));
    text->addWidget(paragraph(AboutText::Licence));
    text->addSpacing(8);
    text->addWidget(link);
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}
