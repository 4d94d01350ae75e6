#pragma once

#include "solve/solver.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// Solves positions on a thread of its own, one at a time. A new request ends the search
// under way at once (it answers Unknown, which nobody waits for any more); every answer
// carries the serial number it was asked with, so that the receiver can drop answers about
// positions that are gone. The answers cross to the receiver's thread as queued signals.
class SolverWorker : public QObject {
    Q_OBJECT
public:
    explicit SolverWorker(QObject *parent = nullptr);
    // Ends the search under way and waits for the thread (a few milliseconds at most).
    ~SolverWorker() override;

    // Solves position (copied out of the table, so the table may change meanwhile) under
    // serial; a null position is answered Unknown at once.
    void Solve(quint64 serial, std::unique_ptr<SolverPosition> position, SolveBudget budget);
    // Ends the search under way without asking another.
    void Cancel();

Q_SIGNALS:
    // verdict is a Verdict; lines the winning line's play commands.
    void Solved(quint64 serial, int verdict, QStringList lines);

private:
    void run(std::stop_token stop);

    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_ptr<SolverPosition> pending;
    quint64 pendingSerial = 0;
    SolveBudget pendingBudget;
    bool hasPending = false;
    std::atomic<bool> cancel = false;
    std::jthread thread; // last: started once everything it uses exists
};
