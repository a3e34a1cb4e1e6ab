#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSocketNotifier;

namespace quaredit {

// The socket side of "one editor per user session" (core/app/Instance.h
// holds the name and the message).

enum class HandoverResult {
    Delivered, // the running editor has the files
    NoEditor,  // nobody listens: this start runs its own editor
};

// Hands `files` (absolute paths) to the editor listening at `socketPath`.
// Runs before any window or application object exists, so it blocks, and
// a hand-over that stalls for `timeoutMs` counts as no editor: the user
// gets an editor rather than nothing. `activationToken` is the start's own,
// which lets the running editor come to the front.
HandoverResult handOverToRunningEditor(const QString& socketPath, const QStringList& files,
                                       int timeoutMs = 3000, const QString& activationToken = {});

// Held by a start from before it asks for a running editor until it either
// handed its files over or listens itself, so that of two starts at the
// same moment the second asks the first. A lock file beside the socket
// (released by the system when a start dies); without it within a few
// seconds the start goes on alone: an editor too many is better than none.
class StartLock {
public:
    explicit StartLock(const QString& socketPath, int waitMs = 5000);
    ~StartLock();
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

    bool held() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
};

// The running editor's end: takes the hand-overs of later starts. A plain
// local socket watched by the event loop: Qt's network module would load a
// dozen libraries (Kerberos among them) before the window shows, for this
// one socket.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);
    ~InstanceServer() override;
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // Listens at `socketPath`. A socket file that no editor answers on, left
    // by one that crashed, is replaced. False when another editor already
    // listens there, or the socket cannot be made.
    bool listen(const QString& socketPath);
    bool isListening() const { return fd_ >= 0; }

signals:
    // A later start handed over these files; none means "come to the front".
    // `activationToken` is that start's, empty when it had none.
    void handedOver(const QStringList& files, const QString& activationToken);

private:
    void onNewConnection();
    void close();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray path_;         // the socket file, removed again when this editor ends
    unsigned long inode_ = 0; // ... but only while it is still this editor's
};

} // namespace quaredit
