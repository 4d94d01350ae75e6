#include "app/help_window.h"

#include "app/help_topics.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr QSize DefaultSize(640, 560);
constexpr QSize SmallestSize(320, 240);
// A help page is a few kilobytes; anything larger in the resources is not one of ours.
constexpr qint64 LargestPage = 1 << 20;

struct PageText {
    QString path;
    QString title;
    QString text;
};

QList<PageText> readPages()
{
    QList<PageText> pages;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly) || file.size() > LargestPage)
            continue;
        const QString html = QString::fromUtf8(file.readAll());
        const QTextDocumentFragment fragment = QTextDocumentFragment::fromHtml(html);
        QString title = html.section(QStringLiteral("<title>"), 1).section(QStringLiteral("</title>"), 0, 0);
        pages.push_back({file.fileName().mid(1), title, fragment.toPlainText()});
    }
    std::sort(pages.begin(), pages.end(), [](const PageText &a, const PageText &b) { return a.title < b.title; });
    return pages;
}

} // namespace

HelpWindow::HelpWindow(int &widthSetting, int &heightSetting, QWidget *parent)
    : QWidget(parent, Qt::Window), home(parent), width(widthSetting), height(heightSetting)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromLatin1(HelpText::Caption));

    browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    browser->setOpenExternalLinks(false);

    const auto toolButton = [this](const char *text, const char *name) {
        auto *button = new QToolButton(this);
        button->setText(QString::fromLatin1(text));
        button->setObjectName(QString::fromLatin1(name));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return button;
    };
    backButton = toolButton(HelpText::Back, "HelpBack");
    forwardButton = toolButton(HelpText::Forward, "HelpForward");
    QToolButton *contentsButton = toolButton(HelpText::Contents, "HelpContents");
    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(backButton, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(contentsButton, &QToolButton::clicked, this, [this] { ShowTopic(HelpTopic::Contents); });
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QToolButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QToolButton::setEnabled);

    searchBox = new QLineEdit;
    searchBox->setObjectName(QStringLiteral("HelpSearch"));
    searchBox->setClearButtonEnabled(true);
    auto *searchLabel = new QLabel(QString::fromLatin1(HelpText::Search));
    searchLabel->setBuddy(searchBox);
    auto *findButton = new QPushButton(QString::fromLatin1(HelpText::Find));
    connect(searchBox, &QLineEdit::returnPressed, this, [this] { Search(searchBox->text()); });
    connect(findButton, &QPushButton::clicked, this, [this] { Search(searchBox->text()); });

    auto *bar = new QHBoxLayout;
    bar->addWidget(backButton);
    bar->addWidget(forwardButton);
    bar->addWidget(contentsButton);
    bar->addSpacing(12);
    bar->addWidget(searchLabel);
    bar->addWidget(searchBox, 1);
    bar->addWidget(findButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser, 1);

    setMinimumSize(SmallestSize);
    const QSize remembered(width, height);
    resize(remembered.width() >= SmallestSize.width() && remembered.height() >= SmallestSize.height() ? remembered
                                                                                                      : DefaultSize);
}

void HelpWindow::ShowTopic(int topic)
{
    // A window beside an open modal dialog takes no input unless the dialog owns it.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = home;
    if (owner && parentWidget() != owner) {
        moveTo(owner);
        // Back to its home when the dialog closes, before the dialog may be freed.
        if (owner != home)
            owner->installEventFilter(this);
    }
    browser->setSource(HelpTopicPage(topic));
    show();
    raise();
    activateWindow();
}

void HelpWindow::Search(const QString &text)
{
    const QString words = text.simplified();
    if (words.isEmpty())
        return;
    QString html = QStringLiteral("<html><body><h1>%1</h1>").arg(QString::fromLatin1(HelpText::Results));
    QString found;
    for (const PageText &page : readPages())
        if (page.text.contains(words, Qt::CaseInsensitive))
            found += QStringLiteral("<li><a href=\"qrc:%1\">%2</a></li>").arg(page.path, page.title.toHtmlEscaped());
    if (found.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(QString::fromLatin1(HelpText::NoMatch).arg(words.toHtmlEscaped()));
    else
        html += QStringLiteral("<p>%1</p><ul>%2</ul>")
                    .arg(QString::fromLatin1(HelpText::Matches).arg(words.toHtmlEscaped()), found);
    browser->setHtml(html + QStringLiteral("</body></html>"));
}

void HelpWindow::moveTo(QWidget *owner)
{
    const QRect frame = geometry();
    const bool shown = isVisible();
    setParent(owner, Qt::Window);
    setGeometry(frame);
    if (shown)
        show();
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && watched != home && event->type() == QEvent::Hide) {
        watched->removeEventFilter(this);
        moveTo(home);
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    width = size().width();
    height = size().height();
}
