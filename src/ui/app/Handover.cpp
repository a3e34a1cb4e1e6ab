#include "ui/app/Handover.h"

#include "platform/app/InstanceChannel.h"
#include "ui/app/TPFrm.h"
#include "ui/documents/DocumentSet.h"

namespace quaredit {

void acceptHandovers(InstanceServer& server, TPFrm& window) {
    QObject::connect(&server, &InstanceServer::handedOver, &window,
                     [&window](const QStringList& files) {
                         for (const QString& file : files)
                             window.documents().OpenDocument(file);
                         if (window.isMinimized())
                             window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
                         window.show();
                         window.raise();
                         window.activateWindow();
                     });
}

} // namespace quaredit
