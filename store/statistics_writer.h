#pragma once

#include "store/game_stats.h"

#include <QDateTime>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Writes qelstat.dat whole and atomically. writeLater hands a copy of the records to a
// worker thread, which encodes and writes them, so that the caller is held only for the copy;
// writeNow waits for that worker first, so that the file always ends with the newest records.
class StatisticsWriter {
public:
    explicit StatisticsWriter(QString path);
    // Finishes the writes handed over.
    ~StatisticsWriter();
    StatisticsWriter(const StatisticsWriter &) = delete;
    StatisticsWriter &operator=(const StatisticsWriter &) = delete;

    // Returns at once. A write still waiting for the worker is replaced by this one; content
    // that the worker itself wrote last and that the file still holds is not written again.
    void writeLater(std::vector<PlayerRecord> players, int currentIndex);
    // Drops a write still waiting, waits for the one in flight, then writes these records
    // here, encoded a few at a time so that the whole file is never held at once. False (and
    // the old file untouched) when writing fails.
    bool writeNow(const std::vector<PlayerRecord> &players, int currentIndex);
    // Waits until the worker has nothing left to do.
    void finish();
    // Why the last write failed (the system's words), told once; nothing when it succeeded.
    std::optional<QString> takeFailure();

private:
    struct Snapshot {
        std::vector<PlayerRecord> players;
        int currentIndex = 0;
    };
    // What a write of the worker left on disk, to know the same content again.
    struct Written {
        std::size_t hash = 0;
        qint64 size = 0;
        QDateTime modified;
    };

    void work();
    bool fileStillHolds(const Written &written) const;

    QString path_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Snapshot> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    std::optional<Written> lastWritten_; // touched only by the one writing
    std::optional<QString> failure_;
    std::thread worker_;                 // started by the first writeLater
};
