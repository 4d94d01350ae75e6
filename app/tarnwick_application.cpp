#include "app/tarnwick_application.h"

#include <QMessageBox>
#include <exception>

bool ExceptionGuard::deliver(const std::function<bool()> &delivery)
{
    QString text;
    try {
        return delivery();
    } catch (const std::exception &error) {
        text = QString::fromLocal8Bit(error.what());
    } catch (...) {
        text = QStringLiteral("Unknown error");
    }
    failed_ = true;
    if (showing_) {
        // An error raised by the box itself: do not stack boxes, just end.
        if (end)
            end();
        return false;
    }
    showing_ = true;
    if (show)
        show(text);
    showing_ = false;
    if (end)
        end();
    return false;
}

TarnwickApplication::TarnwickApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    guard_.show = [](const QString &text) {
        QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ProgramTitle), text, QMessageBox::Ok);
        box.exec();
    };
    guard_.end = [] { QCoreApplication::exit(1); };
}

bool TarnwickApplication::notify(QObject *receiver, QEvent *event)
{
    return guard_.deliver([&] { return QApplication::notify(receiver, event); });
}
