#include "ui/app/Handover.h"

#include "core/app/Instance.h"
#include "platform/app/InstanceChannel.h"
#include "ui/app/TPFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"

#include <QApplication>

namespace quaredit {

namespace {

// How often a waiting hand-over looks whether the dialogs are closed: soon
// enough to seem at once, rarely enough to cost nothing.
constexpr int RetryMs = 100;

} // namespace

HandoverQueue::HandoverQueue(TPFrm& window) : QObject(&window), window_(window) {
    retry_.setInterval(RetryMs);
    connect(&retry_, &QTimer::timeout, this, &HandoverQueue::openWaiting);
}

bool HandoverQueue::dialogOpen() const {
    return window_.services().modalDepth() > 0 || QApplication::activeModalWidget() != nullptr;
}

void HandoverQueue::receive(const QStringList& files) {
    waiting_.append(files);
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
