#include "app/preview_loader.h"

PreviewLoader::PreviewLoader(std::vector<Job> preview, QObject *parent) : QThread(parent), jobs(std::move(preview)) {}

PreviewLoader::~PreviewLoader()
{
    Stop();
}

void PreviewLoader::Start()
{
    start(QThread::IdlePriority);
}

void PreviewLoader::Stop()
{
    requestInterruption();
    // Raised so that a waiting dialog is not held up by busier threads.
    if (isRunning())
        setPriority(QThread::HighestPriority);
    wait();
}

void PreviewLoader::run()
{
    for (std::size_t index = 0; index < jobs.size() && !isInterruptionRequested(); ++index) {
        QImage picture = jobs[index]();
        if (!isInterruptionRequested())
            Q_EMIT Ready(int(index), picture);
    }
}
