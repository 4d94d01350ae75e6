#include "app/solver_worker.h"

SolverWorker::SolverWorker(QObject *parent) : QObject(parent)
{
    thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

SolverWorker::~SolverWorker()
{
    {
        std::lock_guard lock(mutex);
        cancel = true;
        hasPending = false;
        pending.reset();
    }
    thread.request_stop();
    wake.notify_all();
    thread.join();
}

void SolverWorker::Solve(quint64 serial, std::unique_ptr<SolverPosition> position, SolveBudget budget)
{
    if (!position) {
        Cancel();
        Q_EMIT Solved(serial, int(Verdict::Unknown), {});
        return;
    }
    {
        std::lock_guard lock(mutex);
        cancel = true;
        pending = std::move(position);
        pendingSerial = serial;
        pendingBudget = budget;
        hasPending = true;
    }
    wake.notify_all();
}

void SolverWorker::Cancel()
{
    std::lock_guard lock(mutex);
    cancel = true;
    hasPending = false;
    pending.reset();
}

void SolverWorker::run(std::stop_token stop)
{
    for (;;) {
        std::unique_ptr<SolverPosition> position;
        quint64 serial = 0;
        SolveBudget budget;
        {
            std::unique_lock lock(mutex);
            if (!wake.wait(lock, stop, [this] { return hasPending; }))
                return;
            position = std::move(pending);
            serial = pendingSerial;
            budget = pendingBudget;
            hasPending = false;
            cancel = false;
        }
        budget.cancel = &cancel;
        const SolveResult result = position->Solve(budget);
        if (cancel)
            continue; // asked about a position that is gone
        QStringList lines;
        for (const std::string &line : result.lines)
            lines << QString::fromStdString(line);
        Q_EMIT Solved(serial, int(result.verdict), lines);
    }
}
