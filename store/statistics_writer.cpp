#include "store/statistics_writer.h"

#include "store/binary_stream.h"
#include "store/stats_file.h"

#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <functional>
#include <utility>

namespace {

using WritePart = std::function<bool(QByteArrayView part)>;

// Writes whole parts through a save file; the reason when the file could not be replaced.
std::optional<QString> writeInParts(const QString &path, const std::function<bool(const WritePart &)> &produce)
{
    // Unbuffered, so that a short write (a full disk) is seen at once; without a commit the
    // old file stays.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failureReason(file);
    bool written = false;
    try {
        written = produce([&file](QByteArrayView part) { return file.write(part.data(), part.size()) == part.size(); });
    } catch (const std::exception &error) {
        return QString::fromLocal8Bit(error.what());
    }
    if (written && file.commit())
        return std::nullopt;
    const QString reason = failureReason(file);
    file.cancelWriting();
    return reason;
}

} // namespace

StatisticsWriter::StatisticsWriter(QString path) : path_(std::move(path)) {}

StatisticsWriter::~StatisticsWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void StatisticsWriter::writeLater(std::vector<PlayerRecord> players, int currentIndex)
{
    {
        const std::lock_guard lock(mutex_);
        waiting_ = Snapshot{std::move(players), currentIndex};
        if (!worker_.joinable())
            worker_ = std::thread([this] { work(); });
    }
    wake_.notify_all();
}

bool StatisticsWriter::writeNow(const std::vector<PlayerRecord> &players, int currentIndex)
{
    std::unique_lock lock(mutex_);
    // The waiting copy is older than these records; the one in flight must land first.
    waiting_.reset();
    idle_.wait(lock, [this] { return !busy_; });
    lastWritten_.reset();
    // A write that succeeds makes an earlier failure history: the file is whole again.
    failure_ = writeInParts(path_, [&](const WritePart &write) {
        return encodeStatsFileInParts(players, currentIndex, write);
    });
    return !failure_;
}

std::optional<QString> StatisticsWriter::takeFailure()
{
    const std::lock_guard lock(mutex_);
    return std::exchange(failure_, std::nullopt);
}

void StatisticsWriter::finish()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_ && !waiting_; });
}

bool StatisticsWriter::fileStillHolds(const Written &written) const
{
    const QFileInfo file(path_);
    return file.exists() && file.size() == written.size && file.lastModified() == written.modified;
}

void StatisticsWriter::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return waiting_ || stopping_; });
        if (!waiting_)
            return;
        Snapshot snapshot = std::move(*waiting_);
        waiting_.reset();
        busy_ = true;
        lock.unlock();
        // A failed write leaves the last good file; the next save tries again.
        std::optional<QString> failure;
        try {
            QByteArray bytes = encodeStatsFile(snapshot.players, snapshot.currentIndex);
            snapshot = {};
            const std::size_t hash = qHash(bytes);
            if (!lastWritten_ || lastWritten_->hash != hash || !fileStillHolds(*lastWritten_)) {
                lastWritten_.reset();
                failure = writeInParts(path_, [&bytes](const WritePart &write) { return write(bytes); });
                if (!failure) {
                    const QFileInfo file(path_);
                    lastWritten_ = Written{hash, file.size(), file.lastModified()};
                }
            }
        } catch (const std::exception &error) {
            lastWritten_.reset();
            failure = QString::fromLocal8Bit(error.what());
        }
        lock.lock();
        failure_ = failure;
        busy_ = false;
        idle_.notify_all();
    }
}
