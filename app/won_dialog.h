#pragma once

#include <QDialog>
#include <functional>

class QLabel;
struct WonFigures;

// TWinDlg: the dialog shown after a win, over the shower of cards.
class TWinDlg : public QDialog {
    Q_OBJECT
public:
    // Its results besides Rejected (Cancel).
    enum Result { NewGameResult = 10, SelectGameResult = 11 };

    TWinDlg(const QString &gameName, const WonFigures &figures, QWidget *parent = nullptr);

    QLabel *TimeLabel2 = nullptr;
    QLabel *TimeLabel4 = nullptr;
    QLabel *TimeLabel6 = nullptr;
    QLabel *WonLabel = nullptr;
    QLabel *LostLabel = nullptr;
    QLabel *TotalLabel = nullptr;
    QLabel *BestWLLabel = nullptr;
    QLabel *lbBest1 = nullptr;
    QLabel *lbBest2 = nullptr;
    QLabel *lbBest3 = nullptr;

    // Alt+M, "Comment this game": the comment offered for editing, and where OK stores the
    // text (Cancel leaves the comment as it was). Without a handler Alt+M does nothing.
    QString Comment;
    std::function<void(const QString &comment)> StoreComment;
    void CommentClick();
    // The comment box while it is open.
    QDialog *CommentDialog = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
