#include "ui/app/Handover.h"

#include "core/app/Instance.h"
#include "platform/app/InstanceChannel.h"
#include "ui/app/TPFrm.h"
#include "ui/documents/DocumentSet.h"

#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

namespace quaredit {

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

void acceptHandovers(InstanceServer& server, TPFrm& window) {
    QObject::connect(&server, &InstanceServer::handedOver, &window,
                     [&window](const QStringList& files, const QString& token) {
                         for (const QString& file : files)
                             window.documents().OpenDocument(file);
                         if (window.isMinimized())
                             window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
                         window.show();
                         window.raise();
                         useActivationToken(QGuiApplication::platformName(), token);
                         window.activateWindow();
                     });
}

} // namespace quaredit
