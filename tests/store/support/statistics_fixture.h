#pragma once

#include "store/log_file.h"
#include "store/statistics_store.h"
#include "store_fixtures.h"

#include <gtest/gtest.h>

// The statistics of a fresh data folder, loaded for run 5 at 14:00 on 1 March 2024.
struct StoredStatistics : ::testing::Test {
    TempFolders folders;
    FakeClock clock{QDateTime(QDate(2024, 3, 1), QTime(14, 0))};
    GameLog log{folders.path(QStringLiteral("qellog.dat"))};
    StatisticsStore statistics{folders.path(QStringLiteral("qelstat.dat")), folders.path(QStringLiteral("players.dat")),
                               log, clock};

    void SetUp() override
    {
        statistics.setRun(5, true);
        statistics.load({});
    }
};
