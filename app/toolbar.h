#pragma once

#include "app/button_pictures.h"
#include "app/toolbar_buttons.h"

#include <QPoint>
#include <QToolBar>
#include <array>
#include <optional>
#include <vector>

class QMainWindow;
class QMenu;
struct CardsSettings;

// The names of the toolbar's docks, as the toolbar positions file keeps them.
namespace ToolbarDock {
inline constexpr char Top[] = "Dock971";
inline constexpr char Bottom[] = "Dock972";
inline constexpr char Right[] = "Dock973";
inline constexpr char Left[] = "Dock974";
} // namespace ToolbarDock

// `Toolbar2`: the main window's toolbar. Its buttons are the current list of `Lists`, each
// running and following a menu item of the window; it docks at any side of the window or
// floats, in the sizes and looks the settings choose.
class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    MainToolbar(QMainWindow &window, CardsSettings &cards, int colourDepth, qreal dotsPerInch);

    ToolbarButtons::Lists Lists;

    // The menu item a button code runs and follows.
    void SetCommand(int code, QAction *item);
    // Makes the buttons of the current list afresh and applies the look.
    void Create();
    // Sizes, captions, flat or raised buttons, tool tips and the picture set of the settings.
    void ApplyLook();
    // The buttons take the enabled states of their items; Autoplay is offered while its item
    // is shown.
    void FollowItems(bool autoplayShown);
    // The button of a code, null when it is not on the toolbar.
    QAction *Button(int code) const;
    ButtonPictures::Set PictureSet() const;
    int LargeSize() const { return largeSize; }
    // The room the toolbar takes above and left of the table (VDelta and GDelta).
    int TopOffset() const;
    int LeftOffset() const;
    Qt::ToolBarArea DockArea() const;

    void Dock(Qt::ToolBarArea area);
    // Floats the toolbar with its corner at topLeft, kept within a screen; the window must be
    // on screen first, else the toolbar floats once it is.
    void Float(QPoint topLeft);

    // The dock position and floating state in the toolbar positions file; LoadPosition starts
    // docked at the top when the file holds nothing usable. SavePosition throws FileError.
    void LoadPosition(const QString &path);
    void SavePosition(const QString &path) const;

    QMenu *ContextMenu() const { return contextMenu; }
    QAction *FlatItem = nullptr, *LargeItem = nullptr, *OldStyleItem = nullptr, *HintsItem = nullptr;
    QAction *CustomizeItem = nullptr;

Q_SIGNALS:
    // Docked elsewhere, floated, shown, hidden or resized.
    void PlaceChanged();
    // A look flag was toggled from the context menu.
    void LookChanged();
    void CustomizeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createContextMenu();
    void showContextMenu(QPoint at);
    void runButton(int code);
    void applyThickness();
    QRect onScreen(QRect area) const;
    void placeChanged();

    QMainWindow &window;
    CardsSettings &cards;
    int colourDepth;
    int largeSize;
    std::array<QAction *, 14> commands{}; // by code, 1 to 13
    std::vector<QAction *> buttons;
    QMenu *contextMenu = nullptr;
    bool changingPlace = false;
    Qt::ToolBarArea lastDock = Qt::TopToolBarArea;
    std::optional<QPoint> floatPlace; // the last floating place
    std::optional<QPoint> pendingFloat;
};
