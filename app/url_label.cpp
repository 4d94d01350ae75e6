#include "app/url_label.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>

bool OpenWebPage(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return false;
    return QDesktopServices::openUrl(url);
}

TQelURLLabel::TQelURLLabel(const QString &text, const QUrl &link, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(QStringLiteral("URLLabel"));
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    SetURL(link);
    applyLook();
}

void TQelURLLabel::SetURL(const QUrl &value)
{
    url = value;
    SetHint(ownHint);
}

void TQelURLLabel::SetHint(const QString &hint)
{
    ownHint = hint;
    setToolTip(!ownHint.isEmpty() ? ownHint : ShowURLInHint ? url.toString() : QString());
}

void TQelURLLabel::applyLook()
{
    QFont shown = font();
    shown.setUnderline(hovered ? HoverUnderline : true);
    setFont(shown);
    const QColor colour = hovered ? HoverColor : visited ? VisitedColor : NormalColor;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    adjustSize();
}

void TQelURLLabel::JumpToURL()
{
    if (!isEnabled() || url.isEmpty())
        return;
    if (Open && Open(url)) {
        visited = true;
        applyLook();
    }
}

void TQelURLLabel::CopyURL() const
{
    QGuiApplication::clipboard()->setText(url.toString());
}

QMenu *TQelURLLabel::PopupMenu()
{
    if (!popup) {
        popup = new QMenu(this);
        popup->setObjectName(QStringLiteral("URLPopup"));
        connect(popup->addAction(QString::fromLatin1(UrlLabelText::JumpToUrl)), &QAction::triggered, this,
                &TQelURLLabel::JumpToURL);
        connect(popup->addAction(QString::fromLatin1(UrlLabelText::CopyUrl)), &QAction::triggered, this,
                &TQelURLLabel::CopyURL);
    }
    return popup;
}

void TQelURLLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        JumpToURL();
}

void TQelURLLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    hovered = true;
    applyLook();
}

void TQelURLLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    hovered = false;
    applyLook();
}

void TQelURLLabel::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu()->popup(event->globalPos());
}
