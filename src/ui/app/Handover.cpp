#include "ui/app/Handover.h"

#include "core/app/Instance.h"
#include "platform/app/InstanceChannel.h"
#include "ui/app/TPFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"

#include <QApplication>
#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

namespace quaredit {

namespace {

// How often a waiting hand-over looks whether the dialogs are closed: soon
// enough to seem at once, rarely enough to cost nothing.
constexpr int RetryMs = 100;

} // namespace

void useActivationToken(const QString& platformName, const QString& token) {
    if (!isUsableActivationToken(token))
        return;
    if (platformName.startsWith(QLatin1String("wayland"))) {
        // Qt's Wayland back end hands this token to the compositor with the
        // next activation request, and then forgets it.
        qputenv("XDG_ACTIVATION_TOKEN", token.toLatin1());
    } else if (platformName == QLatin1String("xcb")) {
        // The startup id the window manager and the launcher's busy cursor
        // wait for.
        QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
        using SetStartupId = void (*)(const char*);
        // The platform layer hands every function as one generic type.
        const auto set = native ? reinterpret_cast<SetStartupId>(reinterpret_cast<void (*)()>(
                                      native->nativeResourceFunctionForIntegration("setstartupid")))
                                : nullptr;
        if (set)
            set(token.toLatin1().constData());
    }
}

HandoverQueue::HandoverQueue(TPFrm& window) : QObject(&window), window_(window) {
    retry_.setInterval(RetryMs);
    connect(&retry_, &QTimer::timeout, this, &HandoverQueue::openWaiting);
}

bool HandoverQueue::dialogOpen() const {
    return window_.services().modalDepth() > 0 || QApplication::activeModalWidget() != nullptr;
}

void HandoverQueue::receive(const QStringList& files, const QString& token) {
    waiting_.append(files);
    if (!token.isEmpty())
        token_ = token;
    openWaiting();
}

void HandoverQueue::openWaiting() {
    if (dialogOpen()) {
        if (!retry_.isActive())
            retry_.start();
        return;
    }
    retry_.stop();
    if (waiting_.isEmpty())
        return;
    const QList<QStringList> batches = std::exchange(waiting_, {});
    QStringList refusals;
    DocumentSet& documents = window_.documents();
    documents.collectRefusals(&refusals);
    for (const QStringList& files : batches) {
        for (const QString& file : files)
            documents.OpenDocument(file);
    }
    documents.collectRefusals(nullptr);
    if (window_.isMinimized())
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    useActivationToken(QGuiApplication::platformName(), std::exchange(token_, {}));
    window_.activateWindow();
    if (!refusals.isEmpty())
        window_.services().messageBox(handoverRefusals(refusals), QStringLiteral("File Error"),
                                      MsgIcon::Error, MsgButtons::Ok);
    // What arrived during that box waits for the next turn.
    if (!waiting_.isEmpty())
        retry_.start();
}

void acceptHandovers(InstanceServer& server, TPFrm& window) {
    auto* queue = new HandoverQueue(window);
    QObject::connect(&server, &InstanceServer::handedOver, queue, &HandoverQueue::receive);
}

} // namespace quaredit
