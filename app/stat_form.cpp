#include "app/stat_form.h"

#include "app/chart_maker.h"
#include "app/clear_stats_form.h"
#include "app/hiscore_form.h"
#include "app/log_form.h"
#include "app/score_history_form.h"
#include "store/settings.h"
#include "store/statistics_store.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char *const ColumnTitles[StatColumnCount] = {"Game", "Total", "Won", "Lost", "W/L Ratio", "Score", "Average", "Best Time"};

// The cell as drawn: "%" after a ratio, "$" before a score or an average.
QString markedText(const StatFigures &figures, StatColumn column)
{
    const QString text = cellText(figures, column);
    if (text.isEmpty())
        return text;
    if (column == StatColumn::Ratio)
        return text + u'%';
    if (column == StatColumn::Score || column == StatColumn::Average)
        return u'$' + text;
    return text;
}

void setRow(QTableWidget *grid, int row, const QString &name, const StatFigures &figures, const QColor &background)
{
    for (int column = 0; column < StatColumnCount; ++column) {
        auto *item = new QTableWidgetItem(column == 0 ? name : markedText(figures, StatColumn(column)));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        if (column > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (background.isValid()) {
            item->setBackground(background);
            item->setForeground(Qt::black);
        }
        grid->setItem(row, column, item);
    }
}

QTableWidget *makeGrid(QWidget *parent, bool header)
{
    auto *grid = new QTableWidget(0, StatColumnCount, parent);
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    grid->setColumnWidth(0, 190);
    if (header) {
        QStringList titles;
        for (const char *title : ColumnTitles)
            titles << QString::fromLatin1(title);
        grid->setHorizontalHeaderLabels(titles);
    } else {
        grid->horizontalHeader()->hide();
    }
    return grid;
}

} // namespace

TStatForm::TStatForm(StatisticsContext &context, QWidget *parent) : QDialog(parent), context(context)
{
    setObjectName(QStringLiteral("TStatForm"));
    resize(840, 560);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    Tabs = new QTabBar(this);
    for (const char *tab : {"Total", "Today", "Current session"})
        Tabs->addTab(QString::fromLatin1(tab));
    top->addWidget(Tabs, 1);
    top->addWidget(new QLabel(QStringLiteral("Show"), this));
    ShowBox = new QComboBox(this);
    ShowBox->addItems({QStringLiteral("All games"), QStringLiteral("Played"), QStringLiteral("Not Played"),
                       QStringLiteral("Won"), QStringLiteral("Not won")});
    top->addWidget(ShowBox);
    PlayerBox = new QComboBox(this);
    PlayerBox->addItems(context.statistics.Players.names());
    PlayerBox->setCurrentIndex(context.statistics.Players.currentIndex());
    top->addWidget(PlayerBox);
    layout->addLayout(top);

    Pages = new QStackedWidget(this);
    auto *gridPage = new QWidget(Pages);
    auto *gridLayout = new QVBoxLayout(gridPage);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    gridLayout->setSpacing(0);
    Grid = makeGrid(gridPage, true);
    Totals = makeGrid(gridPage, false);
    Totals->setRowCount(1);
    Totals->setSelectionMode(QAbstractItemView::NoSelection);
    Totals->setFixedHeight(Totals->verticalHeader()->defaultSectionSize() + 2 * Totals->frameWidth());
    Totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Totals->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The totals' columns follow the grid's, whatever its scroll bar takes.
    Totals->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(Grid->horizontalHeader(), &QHeaderView::sectionResized, Totals,
            [this](int column, int, int width) { Totals->setColumnWidth(column, width); });
    gridLayout->addWidget(Grid, 1);
    gridLayout->addWidget(Totals);
    Pages->addWidget(gridPage);
    DisabledText = new QLabel(Pages);
    DisabledText->setWordWrap(true);
    DisabledText->setAlignment(Qt::AlignCenter);
    DisabledText->setMargin(30);
    Pages->addWidget(DisabledText);
    layout->addWidget(Pages, 1);

    auto *buttons = new QHBoxLayout;
    const auto button = [&](const char *text) {
        auto *b = new QPushButton(QString::fromLatin1(text), this);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    ClearButton = button("&Clear...");
    HiScoresButton = button("&Hi-Scores...");
    LogButton = button("&Log...");
    HistoryButton = button("&Score History...");
    buttons->addStretch();
    PlayButton = button("Play selected game");
    CloseButton = button("Close");
    layout->addLayout(buttons);

    const CardsSettings &settings = context.settings;
    Tabs->setCurrentIndex(std::clamp(settings.StatPeriod, 0, 2));
    ShowBox->setCurrentIndex(std::clamp(settings.StatShow, 0, 4));
    const int collect = settings.CollectStatistics;
    if (collect == 0 || collect >= 2) {
        DisabledText->setText(QString::fromLatin1(collect == 0 ? StatText::Disabled : StatText::Suspended));
        Pages->setCurrentWidget(DisabledText);
    }

    connect(Tabs, &QTabBar::currentChanged, this, &TStatForm::Fill);
    connect(ShowBox, &QComboBox::currentIndexChanged, this, &TStatForm::Fill);
    connect(PlayerBox, &QComboBox::currentIndexChanged, this, &TStatForm::Fill);
    connect(Grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortBy(StatColumn(column)); });
    connect(Grid, &QTableWidget::cellDoubleClicked, this, &TStatForm::PlaySelectedGame);
    connect(Grid, &QTableWidget::itemSelectionChanged, this, [this] {
        PlayButton->setEnabled(SelectedGame() >= 0 && Pages->currentWidget() != DisabledText);
    });
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (Grid->itemAt(at))
            Grid->selectRow(Grid->itemAt(at)->row());
        QMenu menu(this);
        QAction *graph = menu.addAction(QStringLiteral("Show &Graph"));
        graph->setEnabled(SelectedGame() >= 0);
        if (menu.exec(Grid->viewport()->mapToGlobal(at)) == graph)
            ShowGraph();
    });
    connect(ClearButton, &QPushButton::clicked, this, &TStatForm::openClear);
    connect(HiScoresButton, &QPushButton::clicked, this, &TStatForm::openHiScores);
    connect(LogButton, &QPushButton::clicked, this, &TStatForm::openLog);
    connect(HistoryButton, &QPushButton::clicked, this, &TStatForm::openHistory);
    connect(PlayButton, &QPushButton::clicked, this, &TStatForm::PlaySelectedGame);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    Fill();
}

void TStatForm::Fill()
{
    const int player = std::max(0, PlayerBox->currentIndex());
    setWindowTitle(QString::fromLatin1(StatText::Caption).arg(context.statistics.Players.at(player).Name));
    table = buildStatTable(context.statistics, player, context.games, StatsPeriod(Tabs->currentIndex()),
                           RowFilter(ShowBox->currentIndex()));
    sortStatRows(table.rows, sorting.column(), sorting.ascending());
    showRows();
}

void TStatForm::SortBy(StatColumn column)
{
    sortStatRows(table.rows, column, sorting.click(column));
    showRows();
}

void TStatForm::showRows()
{
    const int selected = SelectedGame() >= 0 ? SelectedGame() : context.currentGameId;
    Grid->clearContents();
    Grid->setRowCount(int(table.rows.size()));
    int selectRow = -1;
    for (int row = 0; row < int(table.rows.size()); ++row) {
        const StatRow &entry = table.rows[std::size_t(row)];
        setRow(Grid, row, entry.name, entry.figures,
               entry.gameId == context.currentGameId ? QColor(0, 255, 0) : QColor());
        if (entry.gameId == selected)
            selectRow = row;
    }
    setRow(Totals, 0, QString::fromLatin1(StatText::TotalPrefix) + QString::number(table.rows.size()), table.totals,
           palette().color(QPalette::Button));
    if (selectRow >= 0) {
        Grid->selectRow(selectRow);
        Grid->scrollToItem(Grid->item(selectRow, 0));
    }
    PlayButton->setEnabled(SelectedGame() >= 0 && Pages->currentWidget() != DisabledText);
}

int TStatForm::SelectedGame() const
{
    const QList<QTableWidgetItem *> items = Grid->selectedItems();
    if (items.isEmpty())
        return -1;
    const int row = items.first()->row();
    return row >= 0 && row < int(table.rows.size()) ? table.rows[std::size_t(row)].gameId : -1;
}

void TStatForm::ShowGraph()
{
    const int gameId = SelectedGame();
    if (gameId < 0)
        return;
    const auto row = std::find_if(table.rows.begin(), table.rows.end(), [&](const StatRow &r) { return r.gameId == gameId; });
    const StatFigures &figures = row->figures;
    QDialog window(this);
    window.setObjectName(QStringLiteral("WinLossGraph"));
    window.setWindowTitle(row->name);
    window.resize(480, 380);
    auto *layout = new QVBoxLayout(&window);
    const QString title = QStringLiteral("Win/Loss graph for %1").arg(row->name);
    QString failure;
    if (ChartMaker *charts = chartMaker(&failure)) {
        const double won = figures.ratio();
        const double lost = figures.total > 0 ? 100.0 - won : 0.0;
        layout->addWidget(charts->pie(title,
                                      {{QStringLiteral("Won - %1").arg(won, 0, 'f', 1), won, QColor(0, 170, 0)},
                                       {QStringLiteral("Lost - %1").arg(lost, 0, 'f', 1), lost, QColor(210, 40, 40)}},
                                      &window));
    } else {
        layout->addWidget(new QLabel(failure, &window));
    }
    context.exec(window);
}

void TStatForm::PlaySelectedGame()
{
    const int gameId = SelectedGame();
    if (gameId < 0 || Pages->currentWidget() == DisabledText)
        return;
    outcome.gameId = gameId;
    accept();
}

void TStatForm::openClear()
{
    TCStatF dialog(context, PlayerBox->currentIndex(), this);
    context.exec(dialog);
    Fill();
}

void TStatForm::openHiScores()
{
    THiscoreForm window(context, SelectedGame() >= 0 ? SelectedGame() : context.currentGameId, this);
    context.exec(window);
}

void TStatForm::openLog()
{
    TDLog window(context, PlayerBox->currentIndex(), this);
    window.NamePlayerInCaption = true;
    window.Fill();
    if (context.exec(window) == QDialog::Accepted && window.Outcome().shuffle) {
        outcome = window.Outcome();
        accept();
    }
}

void TStatForm::openHistory()
{
    TdgGraph window(context, PlayerBox->currentIndex(), SelectedGame() >= 0 ? SelectedGame() : context.currentGameId,
                    this);
    context.exec(window);
}

void TStatForm::done(int result)
{
    context.settings.StatPeriod = Tabs->currentIndex();
    context.settings.StatShow = ShowBox->currentIndex();
    QDialog::done(result);
}
