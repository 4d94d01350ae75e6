#include "store/clear_statistics.h"

#include "store/log_file.h"
#include "store/statistics_store.h"

bool clearStatistics(StatisticsStore &statistics, GameLog &log, const ClearRequest &request)
{
    if (request.playerIndex < 0 || request.playerIndex >= statistics.Players.count())
        return false;
    QList<int> ids = request.gameIds;
    if (request.allGames)
        for (int gameId = 0; gameId < RecordedGameIds; ++gameId)
            ids.append(gameId);
    statistics.clearStatistics(request.playerIndex, ids);
    if (!request.clearLog || log.recordCount() == 0)
        return true;
    const QString name = statistics.Players.at(request.playerIndex).Name;
    return request.allGames ? log.deletePlayerRecords(name, -1) : log.deletePlayerRecords(name, request.gameIds);
}
