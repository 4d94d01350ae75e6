#pragma once

#include <QImage>
#include <QThread>
#include <atomic>
#include <functional>
#include <vector>

// Makes pictures off the interface thread, at idle priority, one job after another. The jobs
// touch no widget; each picture crosses to the receiver's thread by a queued signal. Stop()
// (and the destructor) asks the thread to end and waits for it.
class PreviewLoader : public QThread {
    Q_OBJECT
public:
    using Job = std::function<QImage()>;
    explicit PreviewLoader(std::vector<Job> jobs, QObject *parent = nullptr);
    ~PreviewLoader() override;
    void Start();
    void Stop();

Q_SIGNALS:
    void Ready(int index, const QImage &picture);

protected:
    void run() override;

private:
    std::vector<Job> jobs;
};
