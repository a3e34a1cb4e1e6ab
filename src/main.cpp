#include "core/app/Instance.h"
#include "platform/app/InstanceChannel.h"
#include "platform/compile/LinuxProcessStarter.h"
#include "platform/settings/FontconfigStandIn.h"
#include "platform/settings/IniKeyStore.h"
#include "platform/settings/SettingsLocation.h"
#include "platform/settings/XdgShellAssociation.h"
#include "ui/app/Handover.h"
#include "ui/app/StartupTiming.h"
#include "ui/app/TPFrm.h"
#include "ui/common/DeferredIconStyle.h"
#include "ui/common/ProgramArt.h"
#include "ui/common/QtWindowServices.h"
#include "ui/settings/EditorFontMatch.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <Qsci/qsciscintilla.h>
#include <csignal>
#include <cstdio>
#include <exception>

namespace {

QStringList argumentsAfterProgram(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString sessionSocket() {
    QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty())
        display = qEnvironmentVariable("DISPLAY");
    return quaredit::instanceSocketPath(qEnvironmentVariable("XDG_RUNTIME_DIR"), display);
}

} // namespace

int main(int argc, char* argv[]) {
    // Past the file-size limit a write fails and is reported like a full
    // disk, instead of the signal ending the program with the text unsaved.
    std::signal(SIGXFSZ, SIG_IGN);

    // One editor per session: a start while an editor runs hands its files
    // over and ends, before anything of the window system is loaded.
    const QString socket = sessionSocket();
    const quaredit::StartRequest request =
        quaredit::parseStartRequest(argumentsAfterProgram(argc, argv));
    // "Ask, else listen" as one step: two first starts at the same moment
    // would otherwise both find nobody and both stay.
    quaredit::StartLock startLock(socket);
    const QStringList files =
        quaredit::startFiles(request, [](const QString& path) { return QFileInfo(path).isFile(); });
    // The launcher's token goes along: only with it may the running editor
    // take the focus on Wayland, and be raised at once on X11.
    const QString token = quaredit::launchActivationToken(
        qEnvironmentVariable("XDG_ACTIVATION_TOKEN"), qEnvironmentVariable("DESKTOP_STARTUP_ID"));
    if (!request.newWindow) {
        QStringList handed = files;
        if (const int left = quaredit::fitHandover(handed))
            std::fprintf(stderr,
                         "quaredit: %d files left out: at most %d at once, with paths of at "
                         "most %d characters\n",
                         left, quaredit::MaxHandoverFiles, quaredit::MaxHandoverPath);
        if (quaredit::handOverToRunningEditor(socket, handed, 3000, token) ==
            quaredit::HandoverResult::Delivered)
            return 0;
    }

    QApplication app(argc, argv);
    quaredit::deferStandardIcons(app);
    quaredit::setFontStandInFinder(quaredit::fontconfigStandIn);
    quaredit::applyProgramIdentity(app);
    try {
        // A separate editor takes the session's socket only when no other
        // editor holds it.
        quaredit::InstanceServer server;
        server.listen(socket);
        startLock.release();
        quaredit::IniKeyStore store(quaredit::settingsFilePath());
        quaredit::QtWindowServices services;
        store.setProblemReporter([&services](const QString& problem) {
            services.messageBox(problem, QStringLiteral("File Error"), quaredit::MsgIcon::Warning,
                                quaredit::MsgButtons::Ok);
        });
        // The platform services, made here and only here: everything
        // below is handed them, so tests can hand it fakes instead.
        quaredit::LinuxProcessStarter processStarter;
        quaredit::XdgShellAssociation shellAssociation;
        quaredit::TPFrmContext context;
        context.store = &store;
        context.services = &services;
        context.programFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
        context.processStarter = &processStarter;
        context.shellAssociation = &shellAssociation;
        quaredit::TPFrm window(context);
        quaredit::acceptHandovers(server, window);
        quaredit::reportFirstPaint(window.editorWidget()->viewport());
        window.startUp(files);
        window.createDialogsAfterFirstPaint();
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, quaredit::TPFrm::ApplicationTitle,
                              QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
