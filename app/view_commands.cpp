// The View menu: the statistics, log, high-score and score-history windows, and the won
// dialog's comment on the game just logged.
#include "app/Mainform.h"

#include "app/custom_variants.h"
#include "app/game_list.h"
#include "app/game_picture.h"
#include "app/game_session.h"
#include "app/hiscore_form.h"
#include "app/log_form.h"
#include "app/program_session.h"
#include "app/score_history_form.h"
#include "app/stat_form.h"
#include "app/won_dialog.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "store/binary_stream.h"
#include "store/log_listing.h"
#include "store/statistics_store.h"

#include <QMessageBox>

StatisticsContext TMain_F::StatisticsFor()
{
    DataStore &data = program.Data();
    StatisticsContext context{data.statistics, data.log, data.settings.Cards};
    // The games the game selection dialog lists: every dealt game and every variant.
    GameListSource source;
    source.customs = variants.get();
    source.customCount = variants->Count();
    source.dealAvailable = [this](int baseGameId) { return deals.Has(baseGameId); };
    for (const GameRow &row : buildGameRows(source))
        context.games.push_back({row.GameId, row.Name});
    context.currentGameId = CurrentGameId();
    context.runNumber = data.statistics.runNumber();
    context.now = toDayNumber(program.SessionClock().now());
    context.gameName = [this](int gameId) {
        const QString name = GameName(gameId, variants.get());
        return name.isEmpty() ? QString::number(gameId) : name;
    };
    context.ask = [this](const QString &text, const QString &caption) {
        return QMessageBox::question(MessageOwner(), caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes;
    };
    context.run = RunStatisticsWindow;
    return context;
}

void TMain_F::miStatisticsClick()
{
    StatisticsContext context = StatisticsFor();
    TStatForm window(context, this);
    context.exec(window);
    playFromStatistics(window.Outcome());
}

void TMain_F::miLogClick()
{
    StatisticsContext context = StatisticsFor();
    TDLog window(context, -1, this);
    context.exec(window);
    playFromStatistics(window.Outcome());
}

void TMain_F::miHiScoresClick()
{
    StatisticsContext context = StatisticsFor();
    THiscoreForm window(context, context.currentGameId, this);
    context.exec(window);
}

void TMain_F::miScoreHistoryClick()
{
    StatisticsContext context = StatisticsFor();
    TdgGraph window(context, -1, context.currentGameId, this);
    context.exec(window);
}

void TMain_F::playFromStatistics(const StatisticsOutcome &outcome)
{
    if (outcome.gameId < 0 || !IsKnownGameId(outcome.gameId, variants.get()))
        return;
    if (paused)
        Resume();
    StoreWindowPlacement(table->CurrentGameId);
    table->PreviousGameId = table->CurrentGameId;
    table->CurrentGameId = outcome.gameId;
    ApplyGameSettings(outcome.gameId);
    if (outcome.shuffle)
        session->DealShuffle(*outcome.shuffle);
    else
        session->NewGame();
}

void TMain_F::offerComment(TWinDlg &dialog, const GameResult &result)
{
    GameLog &log = program.Data().log;
    const std::optional<LogRecord> last = log.readLast();
    // Only the record of this game, should its logging have failed.
    if (!last || last->GameNumber != result.GameNumber || last->GameId != result.GameId
        || last->StartTime != result.StartTime)
        return;
    dialog.Comment = last->Comment;
    dialog.StoreComment = [&log, record = *last](const QString &comment) { commentLastGame(log, record, comment); };
}
