#include "platform/app/InstanceChannel.h"

#include "core/app/Instance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace quaredit {

namespace {

// The socket's address; false when the path does not fit one.
bool socketAddress(const QByteArray& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Connects to the socket at `path` without blocking longer than `deadline`
// allows: a listener whose queue is full is asked again until then. -1 when
// nobody listens there.
int connectTo(const QByteArray& path, const QElapsedTimer& clock, int timeoutMs) {
    sockaddr_un address{};
    if (!socketAddress(path, address))
        return -1;
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return -1;
    for (;;) {
        if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return fd.release();
        if (errno == EINTR)
            continue;
        // A full queue: the listener is alive but busy.
        if (errno != EAGAIN || clock.elapsed() >= timeoutMs)
            return -1;
        ::usleep(2000);
    }
}

// Waits until `fd` is ready for `events`, at most until the deadline.
bool waitFor(int fd, short events, const QElapsedTimer& clock, int timeoutMs) {
    for (;;) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, int(left));
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

HandoverResult handOverToRunningEditor(const QString& socketPath, const QStringList& files,
                                       int timeoutMs, const QString& activationToken) {
    if (socketPath.isEmpty())
        return HandoverResult::NoEditor;
    QElapsedTimer clock;
    clock.start();
    // A missing or stale socket refuses at once; only a live editor answers.
    Fd fd(connectTo(QFile::encodeName(socketPath), clock, timeoutMs));
    if (fd.get() < 0)
        return HandoverResult::NoEditor;
    const QByteArray message = encodeHandover(files, activationToken);
    qsizetype sent = 0;
    while (sent < message.size()) {
        if (!waitFor(fd.get(), POLLOUT, clock, timeoutMs))
            return HandoverResult::NoEditor;
        const ssize_t n = ::send(fd.get(), message.constData() + sent,
                                 size_t(message.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return HandoverResult::NoEditor;
        if (n > 0)
            sent += n;
    }
    for (;;) {
        if (!waitFor(fd.get(), POLLIN, clock, timeoutMs))
            return HandoverResult::NoEditor;
        char ack = 0;
        const ssize_t n = ::recv(fd.get(), &ack, 1, 0);
        if (n == 1)
            return ack == HandoverAck ? HandoverResult::Delivered : HandoverResult::NoEditor;
        if (n == 0 || (errno != EINTR && errno != EAGAIN))
            return HandoverResult::NoEditor; // closed without an answer
    }
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

namespace {

// One later start's connection: reads its message as it comes, answers
// and closes. Lives until then, or until its time is up.
class HandoverConnection : public QObject {
public:
    HandoverConnection(int fd, InstanceServer* server,
                       std::function<void(const QStringList&, const QString&)> deliver)
        : QObject(server), fd_(fd), notifier_(fd, QSocketNotifier::Read, this),
          deliver_(std::move(deliver)) {
        connect(&notifier_, &QSocketNotifier::activated, this, &HandoverConnection::readSome);
        // A start that connects and never finishes its message is dropped.
        QTimer::singleShot(10000, this, [this] { finish(); });
    }
    ~HandoverConnection() override {
        notifier_.setEnabled(false);
        ::close(fd_);
    }

private:
    void readSome() {
        char chunk[4096];
        for (;;) {
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n > 0) {
                buffer_.append(chunk, n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno == EAGAIN)
                break;
            finish(); // closed early, or failed
            return;
        }
        bool malformed = false;
        QString token;
        const auto files = takeHandover(buffer_, malformed, &token);
        if (malformed) {
            finish();
            return;
        }
        if (!files)
            return; // more to come
        const char ack = HandoverAck;
        ::send(fd_, &ack, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        // Opening may show message boxes; the starter has its answer already.
        QTimer::singleShot(0, parent(),
                           [deliver = deliver_, files = *files, token] { deliver(files, token); });
        finish();
    }

    void finish() {
        notifier_.setEnabled(false);
        deleteLater();
    }

    int fd_;
    QSocketNotifier notifier_;
    std::function<void(const QStringList&, const QString&)> deliver_;
    QByteArray buffer_;
};

} // namespace

InstanceServer::InstanceServer(QObject* parent) : QObject(parent) {}

InstanceServer::~InstanceServer() {
    close();
}

bool InstanceServer::listen(const QString& socketPath) {
    close();
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un address{};
    if (!socketAddress(path, address))
        return false;
    // Something is there: a live editor, or the file a crashed one left.
    // Asked first, because listening would put a new socket in its place
    // whichever it is.
    struct stat there {};
    if (::lstat(path.constData(), &there) == 0) {
        QElapsedTimer clock;
        clock.start();
        const int probe = connectTo(path, clock, 1000);
        if (probe >= 0) {
            ::close(probe);
            return false;
        }
        ::unlink(path.constData());
    }
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return false;
    // The runtime folder is the user's own; the socket is made so as well,
    // from its first moment.
    const mode_t oldMask = ::umask(0077);
    const int bound = ::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::umask(oldMask);
    struct stat made {};
    if (bound != 0 || ::listen(fd.get(), 16) != 0 || ::stat(path.constData(), &made) != 0)
        return false;
    fd_ = fd.release();
    path_ = path;
    inode_ = made.st_ino;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &InstanceServer::onNewConnection);
    return true;
}

void InstanceServer::close() {
    if (fd_ < 0)
        return;
    delete notifier_;
    notifier_ = nullptr;
    ::close(fd_);
    fd_ = -1;
    // Removed only while it is still the one this editor made.
    struct stat there {};
    if (::lstat(path_.constData(), &there) == 0 && there.st_ino == inode_)
        ::unlink(path_.constData());
}

void InstanceServer::onNewConnection() {
    for (;;) {
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR)
                continue;
            return; // none left (EAGAIN), or a failure for this one only
        }
        new HandoverConnection(client, this,
                               [this](const QStringList& files, const QString& token) {
                                   emit handedOver(files, token);
                               });
    }
}

} // namespace quaredit
