#include "app/hiscore_form.h"

#include "app/chart_maker.h"
#include "store/settings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

THiscoreForm::THiscoreForm(StatisticsContext &context, int gameId, QWidget *parent) : QDialog(parent), context(context)
{
    setObjectName(QStringLiteral("THiscoreForm"));
    resize(560, 460);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    GameBox = new QComboBox(this);
    for (const ListedGame &game : context.games)
        GameBox->addItem(game.name, game.gameId);
    GameBox->setCurrentIndex(std::max(0, GameBox->findData(gameId)));
    PeriodBox = new QComboBox(this);
    PeriodBox->addItems({QStringLiteral("Total"), QStringLiteral("Today"), QStringLiteral("Current Session")});
    PeriodBox->setCurrentIndex(std::clamp(context.settings.HiPeriod, 0, 2));
    KindBox = new QComboBox(this);
    KindBox->addItems({QStringLiteral("By Best Time"), QStringLiteral("By Total Score"), QStringLiteral("By Average Score"),
                       QStringLiteral("By W/L Ratio")});
    KindBox->setCurrentIndex(std::clamp(context.settings.HiScoresKind, 0, 3));
    for (QComboBox *box : {GameBox, PeriodBox, KindBox})
        top->addWidget(box);
    layout->addLayout(top);
    Pages = new QTabWidget(this);
    Table = new QTableWidget(0, 3, Pages);
    Table->verticalHeader()->hide();
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    Pages->addTab(Table, QStringLiteral("Table"));
    GraphPage = new QWidget(Pages);
    graphLayout = new QVBoxLayout(GraphPage);
    Pages->addTab(GraphPage, QStringLiteral("Graph"));
    Pages->setCurrentIndex(std::clamp(context.settings.HiScoresPage, 0, 1));
    layout->addWidget(Pages, 1);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    for (QComboBox *box : {GameBox, PeriodBox, KindBox})
        connect(box, &QComboBox::currentIndexChanged, this, &THiscoreForm::Fill);
    connect(Pages, &QTabWidget::currentChanged, this, &THiscoreForm::showGraph);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Fill();
}

void THiscoreForm::Fill()
{
    const int gameId = GameBox->currentData().toInt();
    setWindowTitle(QString::fromLatin1(HiScoreText::Caption).arg(GameBox->currentText()));
    const auto kind = HiScoreKind(KindBox->currentIndex());
    scores = rankHiScores(context.statistics, gameId, StatsPeriod(PeriodBox->currentIndex()), kind);
    Table->setHorizontalHeaderLabels({QString(), QStringLiteral("Player"), hiScoreTitle(kind)});
    Table->setRowCount(int(scores.size()));
    for (int row = 0; row < int(scores.size()); ++row) {
        Table->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        Table->setItem(row, 1, new QTableWidgetItem(scores[std::size_t(row)].player));
        auto *value = new QTableWidgetItem(scores[std::size_t(row)].text);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Table->setItem(row, 2, value);
    }
    delete graph;
    graph = nullptr;
    showGraph();
}

void THiscoreForm::showGraph()
{
    // The chart is made when its page is first looked at.
    if (graph || Pages->currentWidget() != GraphPage)
        return;
    const auto kind = HiScoreKind(KindBox->currentIndex());
    QString failure;
    if (ChartMaker *charts = chartMaker(&failure)) {
        std::vector<ChartBar> bars;
        for (const HiScore &score : scores)
            bars.push_back({score.player, kind == HiScoreKind::BestTime ? score.value * 24 * 60 : score.value});
        // Best times are drawn in minutes.
        const QString title = kind == HiScoreKind::BestTime ? hiScoreTitle(kind) + QStringLiteral(" (minutes)")
                                                            : hiScoreTitle(kind);
        graph = charts->bars(title, bars, kind == HiScoreKind::Ratio ? QStringLiteral("@value%") : QStringLiteral("@value "),
                             GraphPage);
    } else {
        graph = new QLabel(failure, GraphPage);
    }
    graphLayout->addWidget(graph);
}

void THiscoreForm::done(int result)
{
    context.settings.HiPeriod = PeriodBox->currentIndex();
    context.settings.HiScoresKind = KindBox->currentIndex();
    context.settings.HiScoresPage = Pages->currentIndex();
    QDialog::done(result);
}
