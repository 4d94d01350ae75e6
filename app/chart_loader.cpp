#include "app/chart_maker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

struct LoadedCharts {
    ChartMaker *maker = nullptr;
    QString failure;
    bool tried = false;
};

LoadedCharts &loaded()
{
    static LoadedCharts charts;
    return charts;
}

QStringList candidates()
{
    const QString name = QStringLiteral("libtarnwick_charts.so");
    const QString executableFolder = QCoreApplication::applicationDirPath();
    QStringList paths;
    const QString buildTree = QFileInfo(QStringLiteral(TARNWICK_BUILD_TREE)).canonicalFilePath();
    if (!buildTree.isEmpty() && QFileInfo(executableFolder).canonicalFilePath().startsWith(buildTree))
        paths << QStringLiteral(TARNWICK_CHARTS_BUILD_PATH);
    // Installed: beside the program's own lib folder, wherever the installation was moved.
    paths << QDir::cleanPath(executableFolder + QStringLiteral("/../lib/tarnwick/") + name);
    paths << QStringLiteral(TARNWICK_CHARTS_INSTALL_PATH);
    return paths;
}

} // namespace

ChartMaker *chartMaker(QString *failure)
{
    LoadedCharts &charts = loaded();
    if (!charts.tried) {
        charts.tried = true;
        for (const QString &path : candidates()) {
            if (!QFileInfo::exists(path))
                continue;
            // Kept loaded for the rest of the run.
            auto *library = new QLibrary(path);
            const auto entry = reinterpret_cast<ChartMakerEntry>(library->resolve(ChartMakerEntryName));
            if (entry) {
                charts.maker = entry();
                break;
            }
            charts.failure = library->errorString();
            delete library;
        }
        if (!charts.maker && charts.failure.isEmpty())
            charts.failure = QStringLiteral("The chart library libtarnwick_charts.so was not found.");
    }
    if (failure)
        *failure = charts.failure;
    return charts.maker;
}
