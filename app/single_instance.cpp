#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr char LockName[] = "TARNWICK.lock";
// "OPEN " and a path in base64: paths run to 4096 bytes on Linux.
constexpr int LongestMessage = 8192;

QString joined(const QString &folder, const char *name)
{
    return QDir(folder).filePath(QString::fromLatin1(name));
}

} // namespace

SingleInstance::SingleInstance(QString runtimeFolder, QObject *parent) : QObject(parent), folder_(std::move(runtimeFolder))
{
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
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
    if (server_)
        return server_->isListening();
    // We hold the lock, so any socket file left here belongs to a copy that is gone.
    QLocalServer::removeServer(ServerPath());
    QFile::remove(ServerPath());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
            if (socket->bytesAvailable() > 0)
                readMessage(socket);
        }
    });
    return server_->listen(ServerPath());
}

void SingleInstance::readMessage(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        // A sender that writes endlessly without a line end is cut off.
        if (socket->bytesAvailable() > LongestMessage)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(LongestMessage + 1).trimmed();
    // The answer goes out before the message is acted on, so the sender is free at once.
    socket->write("0\n");
    socket->flush();
    socket->disconnectFromServer();
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
    const QString path = joined(runtimeFolder, InstanceMessage::BringToFront);
    QDeadlineTimer deadline(timeoutMs);
    // The running copy may still be starting and not listen yet: try again until the deadline.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(int(std::max<qint64>(1, deadline.remainingTime())))) {
            socket.write(message.toLatin1() + '\n');
            if (!socket.waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime()))))
                return false;
            while (!socket.canReadLine()) {
                if (deadline.hasExpired() || !socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
                    return false;
            }
            return socket.readLine().trimmed() == "0";
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}
