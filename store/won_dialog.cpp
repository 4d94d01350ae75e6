#include "store/won_dialog.h"

#include "store/binary_stream.h"
#include "store/statistics_store.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Best times above 99.98 days are no times.
constexpr double LongestBestTime = 99.98;

bool isBestTime(double days)
{
    return days > 0 && days <= LongestBestTime;
}

} // namespace

QString FormatDuration(double days)
{
    const qint64 seconds = std::isfinite(days) && days > 0 ? qint64(std::llround(days * 86400.0)) : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

WonTexts MakeWonTexts(const WonFigures &figures)
{
    WonTexts texts;
    const QString none = QStringLiteral(" ##:##:##");
    texts.time = QStringLiteral(" ") + FormatDuration(figures.duration) + QStringLiteral("  ");
    texts.yourBest = isBestTime(figures.playerBestBefore) ? QStringLiteral(" ") + FormatDuration(figures.playerBestBefore)
                                                          : none;
    texts.bestOfAll = isBestTime(figures.bestOfAllBefore) ? QStringLiteral(" ") + FormatDuration(figures.bestOfAllBefore)
                                                          : none;
    const int total = figures.won + figures.notWon;
    texts.won = QStringLiteral(" %1").arg(figures.won);
    texts.lost = QStringLiteral(" %1").arg(figures.notWon);
    int percentage = 0;
    // Percentages only when games were played: a win that did not count may leave none.
    if (total > 0) {
        percentage = int(std::lround(figures.won * 100.0 / total));
        texts.won += QStringLiteral("  (%1%)").arg(percentage);
        texts.lost += QStringLiteral("  (%1%)").arg(100 - percentage);
    }
    texts.total = QStringLiteral(" %1").arg(total);
    texts.bestRatio = QStringLiteral(" %1%").arg(figures.bestPercentageBefore.value_or(0));

    if (figures.counted) {
        const bool beatsAll = !isBestTime(figures.bestOfAllBefore) || figures.duration < figures.bestOfAllBefore;
        if (beatsAll)
            texts.records << QStringLiteral("Best Time");
        else if (isBestTime(figures.playerBestBefore) && figures.duration < figures.playerBestBefore)
            texts.records << QStringLiteral("Your Best Time");
        if (total > 0 && percentage > figures.bestPercentageBefore.value_or(0))
            texts.records << QStringLiteral("Best W/L Ratio");
    }
    return texts;
}

WonFigures RecordWin(StatisticsStore &statistics, const GameResult &result, bool countsForStatistics,
                     bool statisticsOn)
{
    WonFigures figures;
    figures.statisticsShown = statisticsOn;
    figures.duration = result.EndTime - result.StartTime;
    const WinComparison comparison = statistics.compareWithAllPlayers(result.GameId);
    figures.bestOfAllBefore = comparison.bestTimeOfAll;
    figures.bestPercentageBefore = comparison.bestWinPercentage;
    GameStats *stats = statistics.gameStats(statistics.Players.currentIndex(), result.GameId);
    if (stats)
        figures.playerBestBefore = stats->AllTime.BestTime;
    statistics.recordResult(result, countsForStatistics);
    figures.counted = countsForStatistics && statistics.collecting() && stats;
    if (stats) {
        figures.won = stats->AllTime.Won;
        figures.notWon = stats->AllTime.NotWon;
    }
    return figures;
}

TWinDlg::TWinDlg(const QString &gameName, const WonFigures &figures, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(gameName);
    const WonTexts texts = MakeWonTexts(figures);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Congratulations!!!"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto *grid = new QGridLayout;
    const auto row = [&](int at, const QString &caption, const QString &value) {
        grid->addWidget(new QLabel(caption, this), at, 0);
        auto *label = new QLabel(value, this);
        grid->addWidget(label, at, 1);
        return label;
    };
    TimeLabel2 = row(0, QStringLiteral(" Your time:"), texts.time);
    TimeLabel4 = row(1, QStringLiteral(" Your best time:"), texts.yourBest);
    TimeLabel6 = row(2, QStringLiteral(" Best time:"), texts.bestOfAll);
    WonLabel = row(3, QStringLiteral(" Won:"), texts.won);
    LostLabel = row(4, QStringLiteral(" Lost:"), texts.lost);
    TotalLabel = row(5, QStringLiteral(" Total:"), texts.total);
    BestWLLabel = row(6, QStringLiteral(" Best W/L ratio:"), texts.bestRatio);
    layout->addLayout(grid);
    if (!figures.statisticsShown) {
        // Only this game's time stays.
        for (int index = 2; index < grid->count(); ++index)
            grid->itemAt(index)->widget()->hide();
        layout->addWidget(new QLabel(QStringLiteral("Statistics disabled"), this));
        auto *more = new QLabel(QStringLiteral("More information..."), this);
        more->setEnabled(false);
        layout->addWidget(more);
    }

    QLabel **records[] = {&lbBest1, &lbBest2, &lbBest3};
    for (int i = 0; i < 3; ++i) {
        *records[i] = new QLabel(i < texts.records.size() ? texts.records[i] : QString(), this);
        QFont font = (*records[i])->font();
        font.setBold(true);
        (*records[i])->setFont(font);
        (*records[i])->setVisible(i < texts.records.size());
        layout->addWidget(*records[i]);
    }

    auto *buttons = new QHBoxLayout;
    auto *newGame = new QPushButton(QStringLiteral("&New Game"), this);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    auto *select = new QPushButton(QStringLiteral("Select Solitaire..."), this);
    newGame->setDefault(true);
    connect(newGame, &QPushButton::clicked, this, [this] { done(NewGameResult); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(select, &QPushButton::clicked, this, [this] { done(SelectGameResult); });
    buttons->addWidget(newGame);
    buttons->addWidget(cancel);
    buttons->addWidget(select);
    layout->addLayout(buttons);
}
