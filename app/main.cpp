#include "app/start_table.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    StartWindow window;
    window.show();
    return app.exec();
}
