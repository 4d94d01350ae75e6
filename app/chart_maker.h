#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

struct ChartSlice {
    QString label;
    double value = 0;
    QColor colour;
};

struct ChartBar {
    QString label;
    double value = 0;
};

// What the score history chart draws: scores at positions first, first + 1, ...
struct HistoryChartData {
    std::vector<double> scores;
    int firstPosition = 1;
    bool showValues = false;
    std::optional<double> average;
    std::optional<std::array<double, 3>> trend; // a + b x + c x² over the positions
    bool view3D = false;
};

// The charts, made by a library of their own that is loaded when the first chart is shown,
// so that the program starts without the chart toolkit.
class ChartMaker {
public:
    virtual ~ChartMaker() = default;
    virtual QWidget *pie(const QString &title, const std::vector<ChartSlice> &slices, QWidget *parent) = 0;
    // labelFormat: the bars' value labels, "@value" standing for the value.
    virtual QWidget *bars(const QString &title, const std::vector<ChartBar> &bars, const QString &labelFormat,
                          QWidget *parent) = 0;
    // hovered: the index into scores of the point under the mouse, -1 when it leaves the points.
    virtual QWidget *history(const HistoryChartData &data, std::function<void(int index)> hovered, QWidget *parent) = 0;
};

// The library's entry point.
extern "C" {
using ChartMakerEntry = ChartMaker *(*)();
}
inline constexpr char ChartMakerEntryName[] = "tarnwickChartMaker";

// Loads the chart library on the first call; null (and a reason) when it cannot be loaded.
ChartMaker *chartMaker(QString *failure = nullptr);
