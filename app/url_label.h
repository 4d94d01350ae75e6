#pragma once

#include <QColor>
#include <QLabel>
#include <QUrl>
#include <functional>

class QMenu;

// Texts of the link label's popup.
namespace UrlLabelText {
inline constexpr char JumpToUrl[] = "&Jump to URL";
inline constexpr char CopyUrl[] = "&Copy URL";
} // namespace UrlLabelText

// Opens a web page with the desktop's browser: http and https only, anything else is refused
// (false).
bool OpenWebPage(const QUrl &url);

// `TQelURLLabel`: a text label that acts as a link. Underlined and blue, with the hand
// cursor; a click opens its URL, marks it visited and shows the visited colour; while the
// mouse is over it the hover colour and style replace the normal ones. Without a hint of its
// own the URL is its hint. Its popup offers "&Jump to URL" and "&Copy URL".
class TQelURLLabel : public QLabel {
    Q_OBJECT
public:
    explicit TQelURLLabel(const QString &text, const QUrl &url, QWidget *parent = nullptr);

    QUrl URL() const { return url; }
    void SetURL(const QUrl &value);
    bool Visited() const { return visited; }
    QColor VisitedColor = QColor(128, 0, 128);
    QColor HoverColor = QColor(255, 0, 0);
    QColor NormalColor = QColor(0, 0, 255);
    // The font style while the mouse is over the label: underlined unless turned off.
    bool HoverUnderline = true;
    bool ShowURLInHint = true;
    // The hint given by the owner; empty lets the URL be the hint.
    void SetHint(const QString &hint);
    bool Hovered() const { return hovered; }
    // How the URL is opened; tests replace it.
    std::function<bool(const QUrl &)> Open = OpenWebPage;

    // Opens the URL as a click does.
    void JumpToURL();
    void CopyURL() const;
    // The popup as a right click shows it (the caller runs it).
    QMenu *PopupMenu();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void applyLook();

    QUrl url;
    QString ownHint;
    bool visited = false;
    bool hovered = false;
    QMenu *popup = nullptr;
};
