#include "platform/app/InstanceChannel.h"

#include "core/app/Instance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quaredit {

HandoverResult handOverToRunningEditor(const QString& socketPath, const QStringList& files,
                                       int timeoutMs, const QString& activationToken) {
    if (socketPath.isEmpty())
        return HandoverResult::NoEditor;
    QElapsedTimer clock;
    clock.start();
    const auto left = [&] { return qMax(1, timeoutMs - int(clock.elapsed())); };
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    // A missing or stale socket refuses at once; only a live editor answers.
    if (!socket.waitForConnected(left()))
        return HandoverResult::NoEditor;
    socket.write(encodeHandover(files, activationToken));
    if (!socket.waitForBytesWritten(left()))
        return HandoverResult::NoEditor;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(left()))
            return HandoverResult::NoEditor;
    }
    char ack = 0;
    socket.getChar(&ack);
    return ack == HandoverAck ? HandoverResult::Delivered : HandoverResult::NoEditor;
}

StartLock::StartLock(const QString& socketPath, int waitMs) {
    if (socketPath.isEmpty())
        return;
    const QByteArray name = QFile::encodeName(socketPath + QStringLiteral(".lock"));
    // Never through a link: the runtime folder is the user's own, but a
    // link there would still lead the open elsewhere.
    fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    QElapsedTimer clock;
    clock.start();
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || clock.elapsed() > waitMs) {
            release();
            return;
        }
        ::usleep(5000);
    }
}

StartLock::~StartLock() {
    release();
}

void StartLock::release() {
    if (fd_ >= 0)
        ::close(fd_); // ends the lock
    fd_ = -1;
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent) {
    // The runtime folder is the user's own; the socket is made so as well.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::onNewConnection);
}

bool InstanceServer::listen(const QString& socketPath) {
    if (socketPath.isEmpty())
        return false;
    // Something is there: a live editor, or the file a crashed one left.
    // Asked first, because listening would put a new socket in its place
    // whichever it is.
    if (QFileInfo::exists(socketPath)) {
        QLocalSocket probe;
        probe.connectToServer(socketPath);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            return false;
        }
        QLocalServer::removeServer(socketPath);
    }
    return server_.listen(socketPath);
}

void InstanceServer::onNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A start that connects and never finishes its message is dropped.
        QTimer::singleShot(10000, socket, [socket] { socket->abort(); });
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            bool malformed = false;
            QString token;
            const auto files = takeHandover(*buffer, malformed, &token);
            if (malformed) {
                socket->abort();
                return;
            }
            if (!files)
                return;
            socket->putChar(HandoverAck);
            socket->flush();
            socket->disconnectFromServer();
            // Opening may show message boxes; the starter has its answer already.
            QTimer::singleShot(0, this,
                               [this, files = *files, token] { emit handedOver(files, token); });
        });
    }
}

} // namespace quaredit
