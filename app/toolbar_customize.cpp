#include "app/toolbar_customize.h"

#include "app/stat_warn_dialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int CodeRole = Qt::UserRole;

// A row: the button's picture two pixels in and one down, its name after the row's height.
class RowDelegate : public QStyledItemDelegate {
public:
    RowDelegate(ButtonPictures::Set pictures, int rowHeight, QObject *parent)
        : QStyledItemDelegate(parent), pictures(pictures), rowHeight(rowHeight)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget *view = option.widget;
        QStyle *style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);
        const QRect row = option.rect;
        const int code = index.data(CodeRole).toInt();
        if (code > 0) {
            const int side = rowHeight - 2;
            ButtonPictures::Icon(code, pictures).paint(painter, QRect(row.left() + 2, row.top() + 1, side, side));
        }
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        const QRect text(row.left() + rowHeight + 4, row.top(), row.width() - rowHeight - 4, row.height());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width() + rowHeight + 4, rowHeight};
    }

private:
    ButtonPictures::Set pictures;
    int rowHeight;
};

QStringList namesOf(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    return names;
}

QString showNextMoveName()
{
    return QString::fromLatin1(ToolbarButtons::ByCode(ToolbarButtons::ShowNextMoveCode)->name);
}

} // namespace

TCustDlg::TCustDlg(const ToolbarButtons::Lists &lists, int mode, ButtonPictures::Set pictureSet, bool largeRows,
                   bool &addedNotice, bool &removedNotice, QWidget *parent)
    : QDialog(parent), statisticsMode(mode), pictures(pictureSet), rowHeight(largeRows ? 26 : 18),
      showAddedNotice(addedNotice), showRemovedNotice(removedNotice)
{
    setObjectName(QStringLiteral("CustDlg"));
    setWindowTitle(QStringLiteral("Customize toolbar"));
    setModal(true);
    ShowNotice = [this](const QString &text) { return TStatWarnD::Show(text, this); };

    const auto makeList = [this](const char *name) {
        auto *list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setItemDelegate(new RowDelegate(pictures, rowHeight, list));
        list->setUniformItemSizes(true);
        list->setMinimumSize(200, 14 * rowHeight + 4);
        list->viewport()->installEventFilter(this);
        return list;
    };
    SrcList = makeList("SrcList");
    SrcList->setSortingEnabled(true);
    DstList = makeList("DstList");
    for (const QString &name : lists.available)
        addItem(SrcList, SrcList->count(), name);
    addItem(SrcList, SrcList->count(), ToolbarButtons::SeparatorName());
    for (const QString &name : lists.current)
        addItem(DstList, DstList->count(), name);

    const auto makeButton = [this](const char *name, const QString &caption) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    AddButton = makeButton("AddButton", QStringLiteral("->"));
    RemoveButton = makeButton("RemoveButton", QStringLiteral("<-"));
    UpButton = makeButton("UpButton", QStringLiteral("Up"));
    DownButton = makeButton("DownButton", QStringLiteral("Down"));
    RestoreButton = makeButton("RestoreButton", QStringLiteral("Restore default"));
    OkButton = makeButton("OkButton", QStringLiteral("OK"));
    OkButton->setDefault(true);
    CancelButton = makeButton("CancelButton", QStringLiteral("Cancel"));

    connect(AddButton, &QPushButton::clicked, this,
            [this] { moveToToolbar(SrcList->currentRow(), std::max(0, DstList->currentRow())); });
    connect(RemoveButton, &QPushButton::clicked, this, [this] { moveFromToolbar(DstList->currentRow()); });
    connect(UpButton, &QPushButton::clicked, this, [this] {
        const int row = DstList->currentRow();
        moveWithinToolbar(row, row - 1);
    });
    connect(DownButton, &QPushButton::clicked, this, [this] {
        const int row = DstList->currentRow();
        moveWithinToolbar(row, row + 1);
    });
    connect(RestoreButton, &QPushButton::clicked, this, &TCustDlg::restoreDefault);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(SrcList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { moveToToolbar(SrcList->row(item), std::max(0, DstList->currentRow())); });
    connect(DstList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { moveFromToolbar(DstList->row(item)); });
    connect(SrcList, &QListWidget::currentRowChanged, this, &TCustDlg::updateButtons);
    connect(DstList, &QListWidget::currentRowChanged, this, &TCustDlg::updateButtons);

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(AddButton);
    middle->addWidget(RemoveButton);
    middle->addStretch();
    auto *order = new QVBoxLayout;
    order->addStretch();
    order->addWidget(UpButton);
    order->addWidget(DownButton);
    order->addStretch();
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Available toolbar buttons:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Current toolbar buttons:"), this), 0, 2);
    grid->addWidget(SrcList, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(DstList, 1, 2);
    grid->addLayout(order, 1, 3);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(RestoreButton);
    bottom->addStretch();
    bottom->addWidget(OkButton);
    bottom->addWidget(CancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    updateButtons();
}

TCustDlg::~TCustDlg()
{
    // A drag cut short by closing the dialog gives the cursor back.
    if (dragging)
        QApplication::restoreOverrideCursor();
}

void TCustDlg::addItem(QListWidget *list, int row, const QString &name)
{
    auto *item = new QListWidgetItem(name);
    const ToolbarButtons::Button *button = ToolbarButtons::ByName(name);
    item->setData(CodeRole, button ? button->code : 0);
    list->insertItem(std::clamp(row, 0, list->count()), item);
}

ToolbarButtons::Lists TCustDlg::Result() const
{
    ToolbarButtons::Lists lists;
    lists.current = namesOf(DstList);
    lists.available = namesOf(SrcList);
    lists.available.removeAll(ToolbarButtons::SeparatorName());
    return lists;
}

void TCustDlg::selectAfterMove(QListWidget *list, int row)
{
    if (list->count() == 0)
        list->setCurrentRow(-1);
    else
        list->setCurrentRow(std::clamp(row, 0, list->count() - 1));
}

void TCustDlg::moveToToolbar(int fromRow, int toRow)
{
    if (fromRow < 0 || fromRow >= SrcList->count())
        return;
    const QString name = SrcList->item(fromRow)->text();
    // The left list always offers a separator: it is copied, never taken.
    if (name != ToolbarButtons::SeparatorName())
        delete SrcList->takeItem(fromRow);
    addItem(DstList, toRow, name);
    selectAfterMove(SrcList, fromRow);
    changed = true;
    buttonArrived(name);
    updateButtons();
}

void TCustDlg::moveFromToolbar(int fromRow)
{
    if (fromRow < 0 || fromRow >= DstList->count())
        return;
    const QString name = DstList->item(fromRow)->text();
    delete DstList->takeItem(fromRow);
    // Sorted: a button finds its own place; a separator only goes.
    if (name != ToolbarButtons::SeparatorName())
        addItem(SrcList, SrcList->count(), name);
    selectAfterMove(DstList, fromRow);
    changed = true;
    buttonLeft(name);
    updateButtons();
}

void TCustDlg::moveWithinToolbar(int fromRow, int toRow)
{
    if (fromRow < 0 || fromRow >= DstList->count() || toRow < 0 || toRow >= DstList->count() || toRow == fromRow)
        return;
    QListWidgetItem *item = DstList->takeItem(fromRow);
    DstList->insertItem(toRow, item);
    DstList->setCurrentRow(toRow);
    changed = true;
    updateButtons();
}

void TCustDlg::restoreDefault()
{
    restoredDefault = true;
    while (DstList->count() > 0)
        moveFromToolbar(0);
    for (const QString &name : ToolbarButtons::DefaultButtonNames()) {
        const QList<QListWidgetItem *> found = SrcList->findItems(name, Qt::MatchExactly);
        if (!found.isEmpty())
            moveToToolbar(SrcList->row(found.first()), DstList->count());
    }
    DstList->setCurrentRow(-1);
    SrcList->setCurrentRow(-1);
    updateButtons();
}

void TCustDlg::buttonArrived(const QString &name)
{
    if (name != showNextMoveName())
        return;
    if (statisticsMode < 2)
        statisticsMode += 2;
    if (showAddedNotice && ShowNotice(QString::fromLatin1(StatWarnText::ButtonAdded)))
        showAddedNotice = false;
}

void TCustDlg::buttonLeft(const QString &name)
{
    if (name != showNextMoveName() || (statisticsMode != 2 && statisticsMode != 3))
        return;
    statisticsMode -= 2;
    if (showRemovedNotice && statisticsMode == 1 && ShowNotice(QString::fromLatin1(StatWarnText::ButtonRemoved)))
        showRemovedNotice = false;
}

void TCustDlg::updateButtons()
{
    const int row = DstList->currentRow();
    UpButton->setEnabled(row > 0);
    DownButton->setEnabled(row >= 0 && row < DstList->count() - 1);
    AddButton->setEnabled(SrcList->count() > 0);
    RemoveButton->setEnabled(DstList->count() > 0);
}

void TCustDlg::drop(QListWidget *source, int fromRow, QPoint globalPosition)
{
    QListWidget *target = nullptr;
    for (QListWidget *list : {SrcList, DstList})
        if (list->viewport()->rect().contains(list->viewport()->mapFromGlobal(globalPosition)))
            target = list;
    if (!target)
        return;
    const int underCursor = target->indexAt(target->viewport()->mapFromGlobal(globalPosition)).row();
    if (source == SrcList && target == DstList)
        moveToToolbar(fromRow, underCursor < 0 ? DstList->count() : underCursor);
    else if (source == DstList && target == SrcList)
        moveFromToolbar(fromRow);
    else if (source == DstList)
        moveWithinToolbar(fromRow, underCursor < 0 ? DstList->count() - 1 : underCursor);
    // The available list keeps its order by name.
}

bool TCustDlg::eventFilter(QObject *watched, QEvent *event)
{
    QListWidget *list = watched == SrcList->viewport() ? SrcList : watched == DstList->viewport() ? DstList : nullptr;
    if (!list)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            dragList = list;
            dragRow = list->indexAt(mouse->position().toPoint()).row();
            pressPosition = mouse->position().toPoint();
            dragging = false;
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (dragList != list || dragRow < 0 || !(mouse->buttons() & Qt::LeftButton))
            return false;
        if (!dragging && (mouse->position().toPoint() - pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            dragging = true;
            QApplication::setOverrideCursor(Qt::DragMoveCursor);
        }
        // The list would otherwise select the rows the drag passes over.
        return dragging;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || dragList != list)
            return false;
        const bool dropped = dragging;
        if (dragging)
            QApplication::restoreOverrideCursor();
        dragging = false;
        dragList = nullptr;
        if (dropped)
            drop(list, dragRow, mouse->globalPosition().toPoint());
        return dropped;
    }
    default:
        return false;
    }
}
