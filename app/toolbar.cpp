#include "app/toolbar.h"

#include "store/binary_stream.h"
#include "store/settings.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace {

namespace Value {
constexpr char Visible[] = "Visible";
constexpr char DockedTo[] = "DockedTo";
constexpr char LastDock[] = "LastDock";
constexpr char DockRow[] = "DockRow";
constexpr char DockPos[] = "DockPos";
constexpr char FloatLeft[] = "FloatLeft";
constexpr char FloatTop[] = "FloatTop";
} // namespace Value

const struct {
    Qt::ToolBarArea area;
    const char *name;
} Docks[] = {
    {Qt::TopToolBarArea, ToolbarDock::Top},
    {Qt::BottomToolBarArea, ToolbarDock::Bottom},
    {Qt::RightToolBarArea, ToolbarDock::Right},
    {Qt::LeftToolBarArea, ToolbarDock::Left},
};

QString dockName(Qt::ToolBarArea area)
{
    for (const auto &dock : Docks)
        if (dock.area == area)
            return QString::fromLatin1(dock.name);
    return {};
}

std::optional<Qt::ToolBarArea> dockArea(const QString &name)
{
    for (const auto &dock : Docks)
        if (name == QLatin1String(dock.name))
            return dock.area;
    return std::nullopt;
}

// A stored coordinate, kept far from the integer limits so that rectangles stay computable.
std::optional<int> storedCoordinate(const QSettings &store, const char *name)
{
    bool converted = false;
    const int value = store.value(QString::fromLatin1(name)).toInt(&converted);
    if (!converted)
        return std::nullopt;
    return std::clamp(value, -100000, 100000);
}

QString shortHint(const char *hint)
{
    return QString::fromLatin1(hint).section(u'|', 0, 0);
}

QString longHint(const char *hint)
{
    return QString::fromLatin1(hint).section(u'|', 1);
}

} // namespace

MainToolbar::MainToolbar(QMainWindow &mainWindow, CardsSettings &settings, int depth, qreal dotsPerInch)
    : QToolBar(&mainWindow), window(mainWindow), cards(settings), colourDepth(depth),
      largeSize(ToolbarButtons::LargeButtonSize(dotsPerInch))
{
    setObjectName(QStringLiteral("Toolbar2"));
    setWindowTitle(QStringLiteral("Toolbar"));
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    // The window's own list of bars would offer a second way to hide it.
    toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &MainToolbar::showContextMenu);
    connect(this, &QToolBar::topLevelChanged, this, &MainToolbar::placeChanged);
    connect(this, &QToolBar::orientationChanged, this, [this] {
        applyThickness();
        placeChanged();
    });
    window.installEventFilter(this);
    createContextMenu();
}

void MainToolbar::createContextMenu()
{
    contextMenu = new QMenu(this);
    contextMenu->setObjectName(QStringLiteral("pmToolbar"));
    const auto flag = [this](const QString &caption, bool CardsSettings::*member) {
        QAction *item = contextMenu->addAction(caption);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, member](bool on) {
            cards.*member = on;
            Q_EMIT LookChanged();
        });
        return item;
    };
    FlatItem = flag(QStringLiteral("Use flat toolbar buttons"), &CardsSettings::FlatButtons);
    LargeItem = flag(QStringLiteral("Use large toolbar buttons"), &CardsSettings::LargeButtons);
    OldStyleItem = flag(QStringLiteral("&Old-style toolbar"), &CardsSettings::OldTBStyle);
    HintsItem = flag(QStringLiteral("&Show tool tips"), &CardsSettings::ShowHints);
    contextMenu->addSeparator();
    CustomizeItem = contextMenu->addAction(QStringLiteral("&Customize toolbar..."));
    connect(CustomizeItem, &QAction::triggered, this, &MainToolbar::CustomizeRequested);
    connect(contextMenu, &QMenu::aboutToShow, this, [this] {
        FlatItem->setChecked(cards.FlatButtons);
        LargeItem->setChecked(cards.LargeButtons);
        OldStyleItem->setChecked(cards.OldTBStyle);
        OldStyleItem->setEnabled(colourDepth > 8);
        HintsItem->setChecked(cards.ShowHints);
    });
}

void MainToolbar::showContextMenu(QPoint at)
{
    contextMenu->popup(mapToGlobal(at));
}

void MainToolbar::SetCommand(int code, QAction *item)
{
    if (code <= 0 || code >= int(commands.size()))
        return;
    commands[std::size_t(code)] = item;
    if (code == 5 && item)
        connect(item, &QAction::toggled, this, [this](bool on) {
            if (QAction *button = Button(5))
                button->setChecked(on);
        });
}

QAction *MainToolbar::Button(int code) const
{
    for (QAction *button : buttons)
        if (button->data().toInt() == code)
            return button;
    return nullptr;
}

void MainToolbar::Create()
{
    clear();
    for (QAction *button : buttons)
        delete button;
    buttons.clear();
    for (int index = 0; index < Lists.current.size(); ++index) {
        const QString &name = Lists.current[index];
        if (name == ToolbarButtons::SeparatorName()) {
            addSeparator();
            continue;
        }
        const ToolbarButtons::Button *button = ToolbarButtons::ByName(name);
        if (!button || button->code == ToolbarButtons::StatisticsCode)
            continue;
        const int code = button->code;
        auto *action = new QAction(QString::fromLatin1(button->caption), this);
        action->setData(code);
        action->setProperty("Tag", index);
        action->setToolTip(shortHint(button->hint));
        action->setStatusTip(longHint(button->hint));
        if (code == 5) {
            action->setCheckable(true);
            action->setChecked(commands[5] && commands[5]->isChecked());
        }
        connect(action, &QAction::triggered, this, [this, code] { runButton(code); });
        addAction(action);
        buttons.push_back(action);
        if (QWidget *widget = widgetForAction(action)) {
            widget->setObjectName(QStringLiteral("ToolButton%1").arg(code, 2, 10, QLatin1Char('0')));
            widget->installEventFilter(this);
        }
    }
    ApplyLook();
}

ButtonPictures::Set MainToolbar::PictureSet() const
{
    return ButtonPictures::ToolbarSet(cards.LargeButtons, cards.OldTBStyle, colourDepth);
}

void MainToolbar::ApplyLook()
{
    const bool large = cards.LargeButtons;
    const ButtonPictures::Set set = PictureSet();
    const int glyph = ButtonPictures::GlyphSize(set, largeSize);
    setIconSize(QSize(glyph, glyph));
    setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    // The captions of large buttons are made small enough that the longest fits its button.
    QFont captions = window.font();
    if (large) {
        qreal points = captions.pointSizeF() > 0 ? captions.pointSizeF() : 9;
        const auto widest = [&captions] {
            int widest = 0;
            for (const QString &name : ToolbarButtons::AllButtonNames())
                widest = std::max(widest, QFontMetrics(captions).horizontalAdvance(
                                              QString::fromLatin1(ToolbarButtons::ByName(name)->caption)));
            return widest;
        };
        while (widest() > largeSize - 7 && points > 6) {
            points -= 0.5;
            captions.setPointSizeF(points);
        }
    }
    setFont(captions);
    for (QAction *action : buttons) {
        action->setIcon(ButtonPictures::Icon(action->data().toInt(), set));
        if (auto *button = qobject_cast<QToolButton *>(widgetForAction(action))) {
            button->setFixedSize(large ? QSize(largeSize + 1, largeSize) : QSize(25, 24));
            button->setAutoRaise(cards.FlatButtons);
        }
    }
    applyThickness();
}

void MainToolbar::applyThickness()
{
    const int thickness = cards.LargeButtons ? largeSize + 4 : 27;
    // The buttons sit one pixel in from the edge; the style's wider margins would not leave
    // them room.
    layout()->setContentsMargins(1, 1, 1, 1);
    layout()->setSpacing(1);
    if (orientation() == Qt::Horizontal) {
        setMinimumSize(0, thickness);
        setMaximumSize(QWIDGETSIZE_MAX, thickness);
    } else {
        setMinimumSize(thickness, 0);
        setMaximumSize(thickness, QWIDGETSIZE_MAX);
    }
}

void MainToolbar::FollowItems(bool autoplayShown)
{
    for (QAction *button : buttons) {
        const int code = button->data().toInt();
        QAction *item = commands[std::size_t(code)];
        if (code == 5) {
            button->setEnabled(item && autoplayShown);
            button->setChecked(item && item->isChecked());
        } else {
            button->setEnabled(item && item->isEnabled());
        }
    }
}

void MainToolbar::runButton(int code)
{
    QAction *item = commands[std::size_t(code)];
    if (item && item->isEnabled())
        item->trigger();
    if (QAction *button = Button(code); button && code == 5)
        button->setChecked(item && item->isChecked());
}

Qt::ToolBarArea MainToolbar::DockArea() const
{
    return window.toolBarArea(const_cast<MainToolbar *>(this));
}

int MainToolbar::TopOffset() const
{
    return !isHidden() && !isFloating() && DockArea() == Qt::TopToolBarArea ? height() : 0;
}

int MainToolbar::LeftOffset() const
{
    return !isHidden() && !isFloating() && DockArea() == Qt::LeftToolBarArea ? width() : 0;
}

void MainToolbar::Dock(Qt::ToolBarArea area)
{
    pendingFloat.reset();
    changingPlace = true;
    const bool shown = !isHidden();
    if (isFloating()) {
        hide();
        setWindowFlags(Qt::Widget);
    }
    window.addToolBar(area, this);
    if (shown)
        show();
    changingPlace = false;
    placeChanged();
}

void MainToolbar::Float(QPoint topLeft)
{
    if (!window.isVisible()) {
        pendingFloat = topLeft;
        return;
    }
    pendingFloat.reset();
    changingPlace = true;
    const bool shown = !isHidden();
    hide();
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    adjustSize();
    move(onScreen(QRect(topLeft, size())).topLeft());
    if (shown)
        show();
    changingPlace = false;
    placeChanged();
}

QRect MainToolbar::onScreen(QRect area) const
{
    const QScreen *screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return area;
    const QRect available = screen->availableGeometry();
    const QSize size = area.size().boundedTo(available.size());
    const int left = std::clamp(area.left(), available.left(), available.right() + 1 - size.width());
    const int top = std::clamp(area.top(), available.top(), available.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

void MainToolbar::LoadPosition(const QString &path)
{
    QSettings store(path, QSettings::IniFormat);
    store.beginGroup(QString::fromLatin1(SettingSection::Toolbar2));
    if (const auto last = dockArea(store.value(QString::fromLatin1(Value::LastDock)).toString()))
        lastDock = *last;
    const std::optional<int> left = storedCoordinate(store, Value::FloatLeft);
    const std::optional<int> top = storedCoordinate(store, Value::FloatTop);
    if (left && top)
        floatPlace = QPoint(*left, *top);
    const QString docked = store.value(QString::fromLatin1(Value::DockedTo)).toString();
    if (const auto area = dockArea(docked))
        Dock(*area);
    else if (docked.isEmpty() && floatPlace && store.contains(QString::fromLatin1(Value::DockedTo)))
        Float(*floatPlace);
    else
        Dock(Qt::TopToolBarArea);
}

void MainToolbar::SavePosition(const QString &path) const
{
    QSettings store(path, QSettings::IniFormat);
    store.beginGroup(QString::fromLatin1(SettingSection::Toolbar2));
    const bool floating = isFloating() || pendingFloat;
    store.setValue(QString::fromLatin1(Value::Visible), int(cards.ToolBar));
    store.setValue(QString::fromLatin1(Value::DockedTo), floating ? QString() : dockName(DockArea()));
    store.setValue(QString::fromLatin1(Value::LastDock), dockName(lastDock));
    store.setValue(QString::fromLatin1(Value::DockRow), 0);
    store.setValue(QString::fromLatin1(Value::DockPos), floating ? 0 : (orientation() == Qt::Horizontal ? x() : y()));
    const std::optional<QPoint> place = pendingFloat ? pendingFloat : isFloating() ? std::optional(pos()) : floatPlace;
    if (place) {
        store.setValue(QString::fromLatin1(Value::FloatLeft), place->x());
        store.setValue(QString::fromLatin1(Value::FloatTop), place->y());
    }
    store.endGroup();
    store.sync();
    if (store.status() != QSettings::NoError)
        throw FileError("toolbar positions", QStringLiteral("cannot write %1").arg(path).toStdString());
}

void MainToolbar::placeChanged()
{
    if (changingPlace)
        return;
    if (isFloating())
        floatPlace = pos();
    else if (window.toolBarArea(this) != Qt::NoToolBarArea)
        lastDock = window.toolBarArea(this);
    Q_EMIT PlaceChanged();
}

bool MainToolbar::event(QEvent *event)
{
    const bool handled = QToolBar::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        placeChanged();
        break;
    default:
        break;
    }
    return handled;
}

bool MainToolbar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &window) {
        if (event->type() == QEvent::Show && pendingFloat)
            QTimer::singleShot(0, this, [this] {
                if (pendingFloat)
                    Float(*pendingFloat);
            });
        return false;
    }
    // Tool tips only when the player wants them.
    return event->type() == QEvent::ToolTip && !cards.ShowHints;
}
