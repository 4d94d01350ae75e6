#pragma once

#include "app/button_pictures.h"
#include "app/toolbar_buttons.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QPushButton;

// `TCustDlg`, "Customize toolbar": the player moves buttons between the available list and
// the toolbar's list, and orders the toolbar, with the buttons or by dragging rows. The
// statistics mode follows "Show Next Move" coming onto the toolbar or leaving it.
class TCustDlg : public QDialog {
    Q_OBJECT
public:
    // The notices' switches are the player's settings ("DW", "EW"), changed at once when a
    // notice is told not to show again.
    TCustDlg(const ToolbarButtons::Lists &lists, int statisticsMode, ButtonPictures::Set pictures, bool largeRows,
             bool &showAddedNotice, bool &showRemovedNotice, QWidget *parent = nullptr);
    ~TCustDlg() override;

    QListWidget *SrcList = nullptr; // "Available toolbar buttons:", sorted
    QListWidget *DstList = nullptr; // "Current toolbar buttons:"
    QPushButton *AddButton = nullptr, *RemoveButton = nullptr, *UpButton = nullptr, *DownButton = nullptr;
    QPushButton *RestoreButton = nullptr, *OkButton = nullptr, *CancelButton = nullptr;

    // The lists as the dialog leaves them (without the left list's spare "Separator").
    ToolbarButtons::Lists Result() const;
    int StatisticsMode() const { return statisticsMode; }
    bool Changed() const { return changed; }
    // "Restore default" was pressed: the toolbar goes back to the top.
    bool RestoredDefault() const { return restoredDefault; }
    // Shows a notice; true when it is not to be shown again. A TStatWarnD unless replaced.
    std::function<bool(const QString &text)> ShowNotice;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addItem(QListWidget *list, int row, const QString &name);
    void moveToToolbar(int fromRow, int toRow);
    void moveFromToolbar(int fromRow);
    void moveWithinToolbar(int fromRow, int toRow);
    void restoreDefault();
    void updateButtons();
    void selectAfterMove(QListWidget *list, int row);
    void buttonArrived(const QString &name);
    void buttonLeft(const QString &name);
    void drop(QListWidget *source, int fromRow, QPoint globalPosition);

    int statisticsMode;
    ButtonPictures::Set pictures;
    int rowHeight;
    bool &showAddedNotice;
    bool &showRemovedNotice;
    bool changed = false;
    bool restoredDefault = false;
    // A row being dragged: its list and row, and where the press was.
    QListWidget *dragList = nullptr;
    int dragRow = -1;
    QPoint pressPosition;
    bool dragging = false;
};
