#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QSocketNotifier;

// Names shared by every copy of the program.
namespace InstanceMessage {
inline constexpr char BringToFront[] = "TARNWICK";  // a second start: show the running copy
inline constexpr char Terminate[] = "QELTERMINATE"; // "-STOP": end the running copy
inline constexpr char Open[] = "OPEN";              // a second start given a saved game
} // namespace InstanceMessage

// One running copy per user: a lock file "TARNWICK.lock" and a local (AF_UNIX) stream
// socket "TARNWICK", both in the user's runtime folder. The copy that holds the lock
// listens; a later start sends it one line, waits for the answer "0" and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // runtimeFolder: the per-user folder of the lock and the socket.
    explicit SingleInstance(QString runtimeFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The system's per-user runtime folder.
    static QString systemRuntimeFolder();

    // Takes the lock; false while another live copy holds it. A lock left by a copy that died
    // is taken over.
    bool TryLock();
    bool IsLocked() const { return lock_ && lock_->isLocked(); }

    // Starts the server (only while holding the lock); a socket left by a dead copy is
    // replaced. The socket is reachable by this user only.
    bool Listen();

    // Sends a message to the copy that holds the lock and waits for its answer. False when
    // no copy answered within the time.
    static bool Send(const QString &runtimeFolder, const QString &message, int timeoutMs = 3000);
    // The message that hands a saved game's path to the running copy (any characters survive).
    static QString OpenMessage(const QString &path);

    QString LockPath() const;
    QString ServerPath() const;

Q_SIGNALS:
    void BringToFrontRequested();
    void TerminateRequested();
    void OpenRequested(const QString &path);

private:
    struct Connection {
        int descriptor = -1;
        QSocketNotifier *notifier = nullptr;
        QByteArray received;
    };
    void acceptConnections();
    void readFrom(int descriptor);
    void drop(int descriptor);
    void closeServer();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    int server_ = -1;
    QSocketNotifier *serverNotifier_ = nullptr;
    std::vector<Connection> connections_;
};
