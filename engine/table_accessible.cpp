// The table for screen readers: one accessible child that follows the keyboard focus and
// speaks the focused card, its pile and the pile's size.
#include "engine/table_accessible.h"

#include "engine/board.h"
#include "engine/card.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace {

// The focused pile and card of a table.
class FocusItemAccessible : public QAccessibleInterface {
public:
    explicit FocusItemAccessible(TBoard *board) : board(board) {}

    bool isValid() const override { return !board.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return board ? board->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return board ? QAccessible::queryAccessibleInterface(board.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override
    {
        return board && kind == QAccessible::Name ? board->FocusDescription() : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!board)
            return {};
        const QRect frame = board->FocusFrameRect();
        return QRect(board->mapToGlobal(frame.topLeft()), frame.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = board && board->hasFocus() && board->FocusShown();
        state.selectable = true;
        state.selected = board && board->KeyboardHeldCard() != nullptr;
        state.invisible = !board || !board->FocusShown();
        return state;
    }

private:
    QPointer<TBoard> board;
};

class TableAccessible : public QAccessibleWidget {
public:
    explicit TableAccessible(TBoard *board) : QAccessibleWidget(board, QAccessible::Pane)
    {
        focusItem = QAccessible::registerAccessibleInterface(new FocusItemAccessible(board));
    }
    ~TableAccessible() override
    {
        if (QAccessible::accessibleInterface(focusItem))
            QAccessible::deleteAccessibleInterface(focusItem);
    }

    // The table's buttons come first, the focus item last.
    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == QAccessibleWidget::childCount())
            return QAccessible::accessibleInterface(focusItem);
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && child == QAccessible::accessibleInterface(focusItem))
            return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface *focusChild() const override
    {
        auto *board = static_cast<TBoard *>(widget());
        if (board->hasFocus() && board->FocusShown() && board->FocusedDeck())
            return QAccessible::accessibleInterface(focusItem);
        return QAccessibleWidget::focusChild();
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return QStringLiteral("Card table");
        return QAccessibleWidget::text(kind);
    }

private:
    QAccessible::Id focusItem = 0;
};

QAccessibleInterface *tableFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TBoard") && object && object->isWidgetType())
        return new TableAccessible(static_cast<TBoard *>(object));
    return nullptr;
}

} // namespace

QString SpokenCardName(int cardFace)
{
    static const char *const ranks[] = {"Ace", "Two", "Three", "Four", "Five", "Six", "Seven",
                                        "Eight", "Nine", "Ten", "Jack", "Queen", "King"};
    static const char *const suits[] = {"clubs", "diamonds", "hearts", "spades"};
    const int suit = (cardFace & 0xFFFF) / 256;
    const int rank = (cardFace & 0xFFFF) % 256;
    if (suit < 1 || suit > 4 || rank < 1 || rank > 13)
        return QStringLiteral("Card");
    return QString::fromLatin1(ranks[rank - 1]) + QStringLiteral(" of ") + QString::fromLatin1(suits[suit - 1]);
}

void InstallTableAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(tableFactory);
        return true;
    }();
    (void)installed;
}
