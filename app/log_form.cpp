#include "app/log_form.h"

#include "app/score_history_form.h"
#include "store/binary_stream.h"
#include "store/settings.h"
#include "store/statistics_store.h"
#include "store/won_figures.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char *const Titles[] = {"", "Game #", "Game", "Status", "Score", "Moves", "Started", "Time"};

QString startedText(double day)
{
    const QDateTime time = fromDayNumber(day);
    if (!time.isValid())
        return {};
    const QLocale locale;
    return locale.toString(time.date(), QLocale::ShortFormat) + u' ' + locale.toString(time.time(), QLocale::ShortFormat);
}

} // namespace

TDLog::TDLog(StatisticsContext &context, int playerIndex, QWidget *parent) : QDialog(parent), context(context)
{
    setObjectName(QStringLiteral("TDLog"));
    resize(780, 520);
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    PlayerBox = new QComboBox(this);
    PlayerBox->addItems(context.statistics.Players.names());
    PlayerBox->setCurrentIndex(playerIndex >= 0 ? playerIndex : context.statistics.Players.currentIndex());
    top->addWidget(PlayerBox);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("Filter log records"), this));
    FilterBox = new QComboBox(this);
    const std::pair<const char *, LogFilter> filters[] = {
        {"All records", LogFilter::All},       {"Today", LogFilter::Today}, {"Current Session", LogFilter::CurrentSession},
        {"Lost games", LogFilter::Lost},       {"Won games", LogFilter::Won}, {"Last 30 days", LogFilter::Last30Days},
        {"Last 7 days", LogFilter::Last7Days},
    };
    for (const auto &[text, filter] : filters)
        FilterBox->addItem(QString::fromLatin1(text), int(filter));
    FilterBox->setCurrentIndex(std::max(0, FilterBox->findData(int(logFilterFrom(context.settings.Filter)))));
    top->addWidget(FilterBox);
    layout->addLayout(top);

    Records = new QTableWidget(0, 8, this);
    QStringList titles;
    for (const char *title : Titles)
        titles << QString::fromLatin1(title);
    Records->setHorizontalHeaderLabels(titles);
    Records->verticalHeader()->hide();
    Records->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Records->setSelectionBehavior(QAbstractItemView::SelectRows);
    Records->setSelectionMode(QAbstractItemView::SingleSelection);
    Records->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Records->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(Records, 1);
    DamagedNote = new QLabel(this);
    DamagedNote->hide();
    layout->addWidget(DamagedNote);
    layout->addWidget(new QLabel(QStringLiteral("Comment for selected game:"), this));
    CommentEdit = new QLineEdit(this);
    CommentEdit->setMaxLength(LogRecord::CommentLength);
    layout->addWidget(CommentEdit);
    auto *buttons = new QHBoxLayout;
    ReplayButton = new QPushButton(QStringLiteral("&Replay the game"), this);
    HistoryButton = new QPushButton(QStringLiteral("Score &History..."), this);
    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    for (QPushButton *button : {ReplayButton, HistoryButton, CloseButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->insertStretch(2);
    layout->addLayout(buttons);

    connect(PlayerBox, &QComboBox::currentIndexChanged, this, &TDLog::Fill);
    connect(FilterBox, &QComboBox::currentIndexChanged, this, &TDLog::Fill);
    connect(Records->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { SortBy(LogColumn(column)); });
    connect(Records, &QTableWidget::itemSelectionChanged, this, [this] {
        const LoggedGame *game = selectedGame();
        CommentEdit->setText(game ? game->record.Comment : QString());
        CommentEdit->setEnabled(game);
        ReplayButton->setEnabled(game);
    });
    connect(CommentEdit, &QLineEdit::editingFinished, this, &TDLog::storeComment);
    connect(ReplayButton, &QPushButton::clicked, this, &TDLog::ReplayClick);
    connect(HistoryButton, &QPushButton::clicked, this, [this] {
        const LoggedGame *game = selectedGame();
        TdgGraph window(this->context, PlayerBox->currentIndex(), game ? game->record.GameId : this->context.currentGameId,
                        this);
        this->context.exec(window);
    });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    Fill();
}

void TDLog::Fill()
{
    const int player = std::max(0, PlayerBox->currentIndex());
    const QString name = context.statistics.Players.at(player).Name;
    setWindowTitle(NamePlayerInCaption ? QStringLiteral("Log for player '%1'").arg(name)
                                       : QString::fromLatin1(LogText::Caption));
    listing = readLogListing(context.log, name, LogFilter(FilterBox->currentData().toInt()), context.runNumber,
                             context.now);
    DamagedNote->setText(QString::fromLatin1(LogText::Damaged) + QStringLiteral(" (%1)").arg(listing.damaged));
    DamagedNote->setVisible(listing.damaged > 0);
    showRecords();
}

void TDLog::SortBy(LogColumn column)
{
    sortLogGames(listing.games, column, sorting.click(StatColumn(column)),
                 [this](int gameId) { return context.nameOf(gameId); });
    showRecords();
}

void TDLog::showRecords()
{
    Records->clearContents();
    Records->setRowCount(int(listing.games.size()));
    for (int row = 0; row < int(listing.games.size()); ++row) {
        const LogRecord &record = listing.games[std::size_t(row)].record;
        const QString cells[] = {
            record.Comment.isEmpty() ? QString() : QStringLiteral("*"),
            QString::number(record.GameNumber),
            context.nameOf(record.GameId),
            QString::fromLatin1(record.Won ? LogText::Won : LogText::Lost),
            QString::number(record.Score),
            QString::number(record.Moves),
            startedText(record.StartTime),
            FormatDuration(record.Duration),
        };
        for (int column = 0; column < 8; ++column)
            Records->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    if (!listing.games.empty())
        Records->selectRow(0);
    const bool any = selectedGame();
    CommentEdit->setEnabled(any);
    ReplayButton->setEnabled(any);
    if (!any)
        CommentEdit->clear();
}

const LoggedGame *TDLog::selectedGame() const
{
    const QList<QTableWidgetItem *> items = Records->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const int row = items.first()->row();
    return row >= 0 && row < int(listing.games.size()) ? &listing.games[std::size_t(row)] : nullptr;
}

void TDLog::storeComment()
{
    const LoggedGame *shown = selectedGame();
    if (!shown || shown->record.Comment == CommentEdit->text())
        return;
    if (!setCommentOf(context.log, *shown, CommentEdit->text())) {
        // The log changed since it was read: read it again rather than write into another game.
        Fill();
        return;
    }
    auto *game = const_cast<LoggedGame *>(shown);
    game->record.Comment = fitToField(CommentEdit->text(), LogRecord::CommentLength);
    Records->item(int(game - listing.games.data()), 0)->setText(game->record.Comment.isEmpty() ? QString() : QStringLiteral("*"));
}

void TDLog::ReplayClick()
{
    const LoggedGame *game = selectedGame();
    if (!game)
        return;
    outcome.gameId = game->record.GameId;
    outcome.shuffle = game->record.GameNumber;
    accept();
}

void TDLog::done(int result)
{
    storeComment();
    context.settings.Filter = FilterBox->currentData().toInt();
    QDialog::done(result);
}
