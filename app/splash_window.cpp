#include "app/splash_window.h"

#include "app/program_pictures.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>

namespace {

// The picture made at build time; drawn now only when the resource is missing or damaged.
QImage builtPicture()
{
    QImage built(QStringLiteral(":/tarnwick/splash.png"));
    if (built.size() != SplashSize)
        return splashPicture();
    return built.convertToFormat(QImage::Format_RGB32);
}

} // namespace

SplashWindow::SplashWindow() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), picture(builtPicture())
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The picture covers the whole window, so nothing is cleared before it is drawn.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(SplashSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        colourDepth = screen->depth();
        move(screen->geometry().center() - rect().center());
    }
}

void SplashWindow::ShowNow()
{
    // The window paints when it is first exposed, while the events waiting are handled.
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}
