#include "store/display_info.h"

#include <QGuiApplication>
#include <QScreen>

FixedDisplayInfo measurePrimaryScreen()
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (!screen)
        return FixedDisplayInfo(24, QSize(1024, 768), QRect(0, 0, 1024, 768));
    return FixedDisplayInfo(screen->depth(), screen->geometry().size(), screen->availableGeometry());
}
