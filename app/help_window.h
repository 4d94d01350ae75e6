#pragma once

#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QToolButton;

// Texts of the help window.
namespace HelpText {
inline constexpr char Caption[] = "Tarnwick Help";
inline constexpr char Back[] = "&Back";
inline constexpr char Forward[] = "&Forward";
inline constexpr char Contents[] = "&Contents";
inline constexpr char Search[] = "Search:";
inline constexpr char Find[] = "&Find";
inline constexpr char Results[] = "Search results";
inline constexpr char NoMatch[] = "No page of the help contains \"%1\".";
inline constexpr char Matches[] = "Pages that contain \"%1\":";
} // namespace HelpText

// The program's help: a window of its own beside the table (not modal) over the help pages
// in the resources, with links between them, back and forward, and a search over the text
// of every page. Its size is kept in the two values it is given. Asked for while a modal
// dialog is open, it belongs to that dialog (so that it takes input) until the dialog closes.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // width, height: the remembered size (0 for the default); updated when it changes.
    HelpWindow(int &width, int &height, QWidget *parent = nullptr);

    // Shows the window in front with the topic's page.
    void ShowTopic(int topic);
    // Lists the pages whose text contains the words (any case) as links.
    void Search(const QString &text);

    QTextBrowser *Browser() const { return browser; }
    QLineEdit *SearchBox() const { return searchBox; }
    QToolButton *BackButton() const { return backButton; }
    QToolButton *ForwardButton() const { return forwardButton; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Makes the window a window of owner's, where it stays as it was.
    void moveTo(QWidget *owner);

    QWidget *home; // the owner while no modal dialog is open
    int &width;
    int &height;
    QTextBrowser *browser = nullptr;
    QLineEdit *searchBox = nullptr;
    QToolButton *backButton = nullptr;
    QToolButton *forwardButton = nullptr;
};
