#include "app/score_history_form.h"

#include "app/chart_maker.h"
#include "store/settings.h"
#include "store/statistics_store.h"
#include "store/trend_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TdgGraph::TdgGraph(StatisticsContext &context, int playerIndex, int gameId, QWidget *parent)
    : QDialog(parent), context(context)
{
    setObjectName(QStringLiteral("TdgGraph"));
    setWindowTitle(QString::fromLatin1(HistoryText::Caption));
    resize(860, 560);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    PlayerBox = new QComboBox(this);
    PlayerBox->addItems(context.statistics.Players.names());
    PlayerBox->setCurrentIndex(playerIndex >= 0 ? playerIndex : context.statistics.Players.currentIndex());
    GameBox = new QComboBox(this);
    for (const ListedGame &game : context.games)
        GameBox->addItem(game.name, game.gameId);
    GameBox->setCurrentIndex(std::max(0, GameBox->findData(gameId)));
    FilterBox = new QComboBox(this);
    FilterBox->addItems({QStringLiteral("All"), QStringLiteral("Last 30 days"), QStringLiteral("Last 7 days"),
                         QStringLiteral("Today"), QStringLiteral("Current session"), QStringLiteral("Last")});
    FilterBox->setCurrentIndex(std::clamp(context.settings.HistoryFiltering, 0, 5));
    LastAmount = new QSpinBox(this);
    LastAmount->setRange(1, MostLastGames);
    LastAmount->setValue(std::clamp(context.settings.LastGamesAmount, 1, MostLastGames));
    for (QWidget *widget : {static_cast<QWidget *>(PlayerBox), static_cast<QWidget *>(GameBox),
                            static_cast<QWidget *>(FilterBox), static_cast<QWidget *>(LastAmount)})
        top->addWidget(widget);
    top->addWidget(new QLabel(QStringLiteral("games"), this));
    top->addStretch();
    layout->addLayout(top);
    auto *options = new QHBoxLayout;
    ScoreValues = new QCheckBox(QStringLiteral("&Show score values"), this);
    AverageLine = new QCheckBox(QStringLiteral("Show &average score value"), this);
    TrendCurve = new QCheckBox(QStringLiteral("Show &Trend Curve"), this);
    View3D = new QCheckBox(QStringLiteral("3D"), this);
    ScoreValues->setChecked(context.settings.ScoreValues);
    AverageLine->setChecked(context.settings.HistoryAverage);
    TrendCurve->setChecked(context.settings.TrendCurve);
    View3D->setChecked(context.settings.View3D);
    for (QCheckBox *box : {ScoreValues, AverageLine, TrendCurve, View3D})
        options->addWidget(box);
    options->addStretch();
    layout->addLayout(options);
    auto *chartArea = new QWidget(this);
    chartLayout = new QVBoxLayout(chartArea);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chartArea, 1);
    TrendError = new QLabel(this);
    TrendError->hide();
    layout->addWidget(TrendError);
    InfoLine = new QLabel(this);
    InfoLine->setMinimumHeight(InfoLine->fontMetrics().height() + 4);
    layout->addWidget(InfoLine);
    auto *bottom = new QHBoxLayout;
    PreviousPage = new QPushButton(QStringLiteral("<"), this);
    PageLabel = new QLabel(this);
    NextPage = new QPushButton(QStringLiteral(">"), this);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    bottom->addWidget(PreviousPage);
    bottom->addWidget(PageLabel);
    bottom->addWidget(NextPage);
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    for (QComboBox *box : {PlayerBox, GameBox, FilterBox})
        connect(box, &QComboBox::currentIndexChanged, this, &TdgGraph::Fill);
    connect(LastAmount, &QSpinBox::valueChanged, this, &TdgGraph::Fill);
    for (QCheckBox *box : {ScoreValues, AverageLine, TrendCurve, View3D})
        connect(box, &QCheckBox::toggled, this, &TdgGraph::showPage);
    connect(PreviousPage, &QPushButton::clicked, this, [this] {
        page = std::max(0, page - 1);
        showPage();
    });
    connect(NextPage, &QPushButton::clicked, this, [this] {
        page = std::min(PageCount() - 1, page + 1);
        showPage();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Fill();
}

int TdgGraph::PageCount() const
{
    return std::max<int>(1, int((history.games.size() + PageSize - 1) / PageSize));
}

void TdgGraph::Fill()
{
    const int player = std::max(0, PlayerBox->currentIndex());
    LastAmount->setEnabled(FilterBox->currentIndex() == int(HistoryFilter::LastGames));
    history = readScoreHistory(context.log, context.statistics.Players.at(player).Name, GameBox->currentData().toInt(),
                               HistoryFilter(FilterBox->currentIndex()), LastAmount->value(), context.runNumber,
                               context.now);
    // The newest games first come into view.
    page = PageCount() - 1;
    showPage();
}

void TdgGraph::showPage()
{
    delete chart;
    chart = nullptr;
    InfoLine->clear();
    PageLabel->setText(QStringLiteral("Page %1 of %2").arg(page + 1).arg(PageCount()));
    PreviousPage->setEnabled(page > 0);
    NextPage->setEnabled(page < PageCount() - 1);

    HistoryChartData data;
    const std::size_t first = std::size_t(page) * PageSize;
    const std::vector<double> scores = history.scores();
    for (std::size_t index = first; index < scores.size() && index < first + PageSize; ++index)
        data.scores.push_back(scores[index]);
    data.firstPosition = int(first) + 1;
    data.showValues = ScoreValues->isChecked();
    data.view3D = View3D->isChecked();
    if (AverageLine->isChecked() && !scores.empty())
        data.average = double(history.average());
    TrendError->hide();
    if (TrendCurve->isChecked()) {
        const auto fit = fitTrend(scores);
        if (const Quadratic *curve = std::get_if<Quadratic>(&fit))
            data.trend = *curve;
        else if (!scores.empty()) {
            TrendError->setText(std::get<QString>(fit));
            TrendError->show();
        }
    }
    QString failure;
    if (ChartMaker *charts = chartMaker(&failure))
        chart = charts->history(data, [this](int index) { PointHovered(index); }, this);
    else
        chart = new QLabel(failure, this);
    chartLayout->addWidget(chart);
}

void TdgGraph::PointHovered(int indexOnPage)
{
    const std::size_t index = std::size_t(page) * PageSize + std::size_t(std::max(0, indexOnPage));
    if (indexOnPage < 0 || indexOnPage >= PageSize || index >= history.games.size()) {
        InfoLine->clear();
        return;
    }
    InfoLine->setText(historyInfoLine(history.games[index].record));
}

void TdgGraph::done(int result)
{
    CardsSettings &settings = context.settings;
    settings.HistoryFiltering = FilterBox->currentIndex();
    settings.LastGamesAmount = LastAmount->value();
    settings.ScoreValues = ScoreValues->isChecked();
    settings.HistoryAverage = AverageLine->isChecked();
    settings.TrendCurve = TrendCurve->isChecked();
    settings.View3D = View3D->isChecked();
    QDialog::done(result);
}
