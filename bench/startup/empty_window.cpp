// The floor the start-up of Tarnwick is measured against: an empty Qt Widgets window with a
// menu bar and a status bar, and a dialog with a tree over it, as the program's first screen
// has. bench/startup.sh starts it and the program in turns.
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QScreen>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    window.menuBar()->addMenu(QStringLiteral("&Game"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    // "--maximized" gives the window the whole screen as the program's first start does, so
    // the backing store of the main window is counted alike.
    window.resize(800, 600);
    if (app.arguments().contains(QStringLiteral("--maximized"))) {
        window.setGeometry(window.screen()->availableGeometry());
        window.showMaximized();
    }
    else
        window.show();
    QDialog dialog(&window);
    dialog.setWindowTitle(QStringLiteral("Empty dialog"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *tree = new QTreeWidget(&dialog);
    for (int i = 0; i < 12; ++i)
        tree->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("Item %1").arg(i)}));
    layout->addWidget(tree);
    QTimer::singleShot(0, &dialog, &QDialog::show);
    return app.exec();
}
