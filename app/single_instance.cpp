#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char LockName[] = "TARNWICK.lock";
// "OPEN " and a path in base64: paths run to 4096 bytes on Linux.
constexpr int LongestMessage = 8192;

QString joined(const QString &folder, const char *name)
{
    return QDir(folder).filePath(QString::fromLatin1(name));
}

// The socket's address; false when the path does not fit one.
bool addressOf(const QString &path, sockaddr_un &address)
{
    const QByteArray name = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(std::clamp<qint64>(deadline.remainingTime(), 1, 60000));
}

// Waits for the descriptor to become ready for `events`; false at the deadline or on an error.
bool waitFor(int descriptor, short events, const QDeadlineTimer &deadline)
{
    while (true) {
        pollfd entry{descriptor, events, 0};
        const int ready = ::poll(&entry, 1, deadline.hasExpired() ? 0 : remainingMs(deadline));
        if (ready > 0)
            return (entry.revents & events) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// One line to the listening copy and its answer line, within the deadline.
bool exchange(int descriptor, const QByteArray &line, const QDeadlineTimer &deadline)
{
    qsizetype sent = 0;
    while (sent < line.size()) {
        const ssize_t written = ::send(descriptor, line.constData() + sent, size_t(line.size() - sent), MSG_NOSIGNAL);
        if (written > 0)
            sent += written;
        else if (written < 0 && errno == EINTR)
            continue;
        else if (written < 0 && errno == EAGAIN) {
            if (!waitFor(descriptor, POLLOUT, deadline))
                return false;
        } else
            return false;
    }
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (!waitFor(descriptor, POLLIN, deadline))
            return false;
        char buffer[64];
        const ssize_t got = ::recv(descriptor, buffer, sizeof buffer, 0);
        if (got > 0)
            answer.append(buffer, got);
        else if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        else
            return false; // closed before answering
        if (answer.size() > LongestMessage)
            return false;
    }
    return answer.left(answer.indexOf('\n')).trimmed() == "0";
}

} // namespace

SingleInstance::SingleInstance(QString runtimeFolder, QObject *parent) : QObject(parent), folder_(std::move(runtimeFolder))
{
}

SingleInstance::~SingleInstance()
{
    closeServer();
}

QString SingleInstance::systemRuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

QString SingleInstance::LockPath() const
{
    return joined(folder_, LockName);
}

QString SingleInstance::ServerPath() const
{
    return joined(folder_, InstanceMessage::BringToFront);
}

bool SingleInstance::TryLock()
{
    if (IsLocked())
        return true;
    QDir().mkpath(folder_);
    lock_ = std::make_unique<QLockFile>(LockPath());
    // QLockFile takes over a lock whose owning process is gone; a live owner keeps it (it
    // also holds an flock on the file).
    if (lock_->tryLock(0))
        return true;
    lock_.reset();
    return false;
}

bool SingleInstance::Listen()
{
    if (!IsLocked())
        return false;
    if (server_ >= 0)
        return true;
    sockaddr_un address;
    if (!addressOf(ServerPath(), address))
        return false;
    // We hold the lock, so any socket file left here belongs to a copy that is gone.
    QFile::remove(ServerPath());
    server_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (server_ < 0)
        return false;
    // Reachable by this user only (the runtime folder usually is too).
    if (::bind(server_, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(server_, 16) != 0) {
        ::close(server_);
        server_ = -1;
        QFile::remove(ServerPath());
        return false;
    }
    serverNotifier_ = new QSocketNotifier(server_, QSocketNotifier::Read, this);
    connect(serverNotifier_, &QSocketNotifier::activated, this, [this] { acceptConnections(); });
    return true;
}

void SingleInstance::closeServer()
{
    for (const Connection &connection : connections_) {
        delete connection.notifier;
        ::close(connection.descriptor);
    }
    connections_.clear();
    if (server_ < 0)
        return;
    delete serverNotifier_;
    serverNotifier_ = nullptr;
    ::close(server_);
    server_ = -1;
    QFile::remove(ServerPath());
}

void SingleInstance::acceptConnections()
{
    while (true) {
        const int descriptor = ::accept4(server_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (descriptor < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // EAGAIN: none left; anything else: try again at the next activation
        }
        auto *notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
        connections_.push_back({descriptor, notifier, {}});
        connect(notifier, &QSocketNotifier::activated, this, [this, descriptor] { readFrom(descriptor); });
        readFrom(descriptor);
    }
}

void SingleInstance::drop(int descriptor)
{
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [descriptor](const Connection &connection) { return connection.descriptor == descriptor; });
    if (found == connections_.end())
        return;
    // Deleted later: this may run inside the notifier's own signal.
    found->notifier->setEnabled(false);
    found->notifier->deleteLater();
    ::close(descriptor);
    connections_.erase(found);
}

void SingleInstance::readFrom(int descriptor)
{
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [descriptor](const Connection &connection) { return connection.descriptor == descriptor; });
    if (found == connections_.end())
        return;
    QByteArray &received = found->received;
    bool closed = false;
    while (!received.contains('\n') && received.size() <= LongestMessage) {
        char buffer[4096];
        const ssize_t got = ::recv(descriptor, buffer, sizeof buffer, 0);
        if (got > 0)
            received.append(buffer, got);
        else if (got < 0 && errno == EINTR)
            continue;
        else {
            closed = got == 0 || errno != EAGAIN;
            break;
        }
    }
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        // A sender that writes endlessly without a line end is cut off, as is one that leaves.
        if (closed || received.size() > LongestMessage)
            drop(descriptor);
        return;
    }
    const QByteArray line = received.left(std::min<qsizetype>(end, LongestMessage)).trimmed();
    // The answer goes out before the message is acted on, so the sender is free at once.
    ::send(descriptor, "0\n", 2, MSG_NOSIGNAL);
    drop(descriptor);
    const QByteArray openPrefix = QByteArray(InstanceMessage::Open) + ' ';
    if (line == InstanceMessage::BringToFront)
        Q_EMIT BringToFrontRequested();
    else if (line == InstanceMessage::Terminate)
        Q_EMIT TerminateRequested();
    else if (line.startsWith(openPrefix)) {
        const auto decoded = QByteArray::fromBase64Encoding(line.mid(openPrefix.size()),
                                                           QByteArray::AbortOnBase64DecodingErrors);
        if (decoded && !decoded.decoded.isEmpty())
            Q_EMIT OpenRequested(QString::fromUtf8(decoded.decoded));
    }
}

QString SingleInstance::OpenMessage(const QString &path)
{
    return QString::fromLatin1(InstanceMessage::Open) + u' ' + QString::fromLatin1(path.toUtf8().toBase64());
}

bool SingleInstance::Send(const QString &runtimeFolder, const QString &message, int timeoutMs)
{
    sockaddr_un address;
    if (!addressOf(joined(runtimeFolder, InstanceMessage::BringToFront), address))
        return false;
    const QByteArray line = message.toLatin1() + '\n';
    QDeadlineTimer deadline(timeoutMs);
    // The running copy may still be starting and not listen yet: try again until the deadline.
    while (true) {
        // Not blocking: a local connect answers at once, and a full queue is tried again.
        const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (descriptor < 0)
            return false;
        if (::connect(descriptor, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
            const bool answered = exchange(descriptor, line, deadline);
            ::close(descriptor);
            return answered;
        }
        ::close(descriptor);
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}
