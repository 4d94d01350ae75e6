// The charts of the statistics windows, in a library of their own that the program loads
// when it first shows a chart (the chart toolkit is slow to load and large).
#include "app/chart_maker.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

QChartView *viewOf(QChart *chart, QWidget *parent)
{
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    chart->setAnimationOptions(QChart::NoAnimation);
    return view;
}

class QtChartMaker : public ChartMaker {
public:
    QWidget *pie(const QString &title, const std::vector<ChartSlice> &slices, QWidget *parent) override
    {
        auto *series = new QPieSeries;
        for (const ChartSlice &part : slices) {
            QPieSlice *slice = series->append(part.label, std::max(0.0, part.value));
            slice->setColor(part.colour);
            slice->setLabelVisible(part.value > 0);
        }
        auto *chart = new QChart;
        chart->addSeries(series);
        chart->setTitle(title);
        chart->legend()->setAlignment(Qt::AlignBottom);
        return viewOf(chart, parent);
    }

    QWidget *bars(const QString &title, const std::vector<ChartBar> &bars, const QString &labelFormat,
                  QWidget *parent) override
    {
        auto *set = new QBarSet(title);
        QStringList categories;
        double largest = 0;
        for (const ChartBar &bar : bars) {
            *set << bar.value;
            categories << bar.label;
            largest = std::max(largest, bar.value);
        }
        auto *series = new QBarSeries;
        series->append(set);
        series->setLabelsVisible(true);
        series->setLabelsFormat(labelFormat);
        series->setLabelsPrecision(6);
        auto *chart = new QChart;
        chart->addSeries(series);
        chart->legend()->hide();
        auto *names = new QBarCategoryAxis;
        names->append(categories);
        chart->addAxis(names, Qt::AlignBottom);
        series->attachAxis(names);
        auto *values = new QValueAxis;
        values->setRange(0, largest > 0 ? largest * 1.1 : 1);
        chart->addAxis(values, Qt::AlignLeft);
        series->attachAxis(values);
        return viewOf(chart, parent);
    }

    QWidget *history(const HistoryChartData &data, std::function<void(int)> hovered, QWidget *parent) override
    {
        auto *chart = new QChart;
        chart->legend()->hide();
        auto *positions = new QValueAxis;
        auto *scores = new QValueAxis;
        positions->setLabelFormat(QStringLiteral("%d"));
        scores->setLabelFormat(QStringLiteral("%d"));
        chart->addAxis(positions, Qt::AlignBottom);
        chart->addAxis(scores, Qt::AlignLeft);
        const int count = int(data.scores.size());
        const double first = data.firstPosition;
        double low = 0, high = 0;
        for (double score : data.scores) {
            low = std::min(low, score);
            high = std::max(high, score);
        }
        if (high == low)
            high = low + 1;
        const double margin = (high - low) * 0.08;
        // Whole positions on the axis, about ten of them; round score steps.
        positions->setRange(first - 1, first + std::max(1, count));
        positions->setTickType(QValueAxis::TicksDynamic);
        positions->setTickAnchor(0);
        positions->setTickInterval(std::max(1.0, std::ceil(count / 10.0)));
        scores->setRange(low - margin, high + margin);
        scores->applyNiceNumbers();

        const auto add = [&](QXYSeries *series) {
            chart->addSeries(series);
            series->attachAxis(positions);
            series->attachAxis(scores);
        };
        if (data.view3D) {
            // A shadow line behind the scores gives the chart its depth.
            auto *shadow = new QLineSeries;
            for (int index = 0; index < count; ++index)
                shadow->append(first + index + 0.12, data.scores[std::size_t(index)] - margin * 0.25);
            shadow->setPen(QPen(QColor(0, 0, 0, 70), 5));
            add(shadow);
        }
        auto *line = new QLineSeries;
        auto *points = new QScatterSeries;
        for (int index = 0; index < count; ++index) {
            line->append(first + index, data.scores[std::size_t(index)]);
            points->append(first + index, data.scores[std::size_t(index)]);
        }
        line->setPen(QPen(QColor(0, 90, 200), data.view3D ? 3 : 2));
        line->setPointLabelsVisible(data.showValues);
        line->setPointLabelsFormat(QStringLiteral("@yPoint"));
        add(line);
        points->setMarkerSize(8);
        points->setColor(QColor(0, 90, 200));
        points->setBorderColor(Qt::white);
        add(points);
        if (data.average) {
            auto *average = new QLineSeries;
            average->append(first - 1, *data.average);
            average->append(first + std::max(1, count), *data.average);
            average->setPen(QPen(QColor(0, 150, 0), 2, Qt::DashLine));
            add(average);
        }
        if (data.trend) {
            auto *trend = new QLineSeries;
            const auto &c = *data.trend;
            const int steps = std::max(2, std::min(200, count * 4));
            for (int step = 0; step <= steps; ++step) {
                const double x = first + (count - 1) * double(step) / steps;
                trend->append(x, c[0] + c[1] * x + c[2] * x * x);
            }
            trend->setPen(QPen(QColor(200, 40, 40), 2));
            add(trend);
        }
        QObject::connect(points, &QScatterSeries::hovered, points, [hovered, first](const QPointF &point, bool state) {
            if (hovered)
                hovered(state ? int(std::lround(point.x() - first)) : -1);
        });
        return viewOf(chart, parent);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT ChartMaker *tarnwickChartMaker()
{
    static QtChartMaker maker;
    return &maker;
}
