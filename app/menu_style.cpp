#include "app/menu_style.h"

#include <QColor>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QString>

namespace MenuStyle {
namespace {

QColor mixed(const QColor &one, const QColor &other, qreal share)
{
    return QColor::fromRgbF(one.redF() * share + other.redF() * (1 - share),
                            one.greenF() * share + other.greenF() * (1 - share),
                            one.blueF() * share + other.blueF() * (1 - share));
}

} // namespace

QString FlatStyleSheet(const QPalette &palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::WindowText);
    const QColor highlight = palette.color(QPalette::Highlight);
    const QColor hot = mixed(highlight, base, 0.28);
    const QColor frame = mixed(text, window, 0.35);
    const QColor disabled = palette.color(QPalette::Disabled, QPalette::WindowText);
    const QString sheet = QStringLiteral(
        "QMenuBar { background: %1; border: none; padding: 1px; }"
        "QMenuBar::item { background: transparent; color: %3; padding: 3px 8px; margin: 1px;"
        " border: 1px solid transparent; }"
        "QMenuBar::item:selected, QMenuBar::item:pressed { background: %4; border: 1px solid %5; }"
        "QMenu { background: %2; border: 1px solid %6; padding: 2px; }"
        "QMenu::item { color: %3; padding: 4px 28px 4px 30px; border: 1px solid transparent; }"
        "QMenu::item:selected { background: %4; border: 1px solid %5; }"
        "QMenu::item:disabled { color: %7; }"
        "QMenu::item:disabled:selected { background: transparent; border: 1px solid %6; }"
        "QMenu::separator { height: 1px; background: %6; margin: 3px 6px 3px 30px; }"
        "QMenu::icon { padding-left: 6px; }"
        "QMenu::icon:checked { background: %4; border: 1px solid %5; }"
        "QMenu::indicator { width: 13px; height: 13px; left: 8px; }");
    return sheet.arg(window.name(), base.name(), text.name(), hot.name(), highlight.name(), frame.name(),
                     disabled.name());
}

void Apply(QMainWindow &window, bool flat)
{
    const QString sheet = flat ? FlatStyleSheet(window.palette()) : QString();
    if (window.menuBar()->styleSheet() == sheet)
        return;
    window.menuBar()->setStyleSheet(sheet);
    for (QMenu *menu : window.findChildren<QMenu *>())
        menu->setStyleSheet(sheet);
}

} // namespace MenuStyle
