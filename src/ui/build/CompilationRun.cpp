#include "ui/build/CompilationRun.h"

#include "core/build/CompileRun.h"
#include "platform/build/ProcessStarter.h"
#include "ui/app/TPFrm.h"
#include "ui/app/WindowServices.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QDir>

namespace quaredit {

namespace {
const QString CompilationCaption = QStringLiteral("Compilation");
} // namespace

CompilationRun::CompilationRun(TPFrm& window, ProcessStarter*& starter)
    : window_(window), starter_(starter) {
    QObject::connect(window_.menus().MNU_Quaro_Compile, &QAction::triggered, &window_,
                     [this] { MNU_Quaro_CompileClick(); });
}

void CompilationRun::MNU_Quaro_CompileClick() {
    WindowServices& services = window_.services();
    const QString previousFolder = QDir::currentPath();
    const Document& doc = window_.documents().current();
    if (!canCompile(doc)) {
        services.messageBox(QStringLiteral("You can only compile saved ASM programs."),
                            CompilationCaption, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    if (!CompileMarker.isEmpty()) {
        services.messageBox(QStringLiteral("There is already an open compilation window."),
                            CompilationCaption, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    const QString marker = compileMarkerOf(doc.FullPath);
    const CompileCommand command = compileCommandFor(window_.programFolder(), marker);
    // The batch interpreter would run what follows an "&" in the name: such
    // a source is refused before anything is saved or started.
    if (!isSafeBatchArgument(command.argument)) {
        services.messageBox(
            QStringLiteral("The name <%1> cannot be passed to compil.bat: it holds one of the "
                           "characters %2 or a control character.")
                .arg(command.argument, batchArgumentRefusedCharacters()),
            CompilationCaption, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    CompileMarker = marker;
    QDir::setCurrent(command.workingFolder); // a failure is harmless: the start names the folder
    // A failed save has been reported by the document set; the folder and the
    // marker are restored all the same, so later compilations are not refused.
    if (window_.documents().SaveDocument()) {
        if (!starter_->startConsole(command.batchFile, {command.argument}, command.workingFolder))
            services.plainMessage(QStringLiteral("error"));
    }
    QDir::setCurrent(previousFolder);
    CompileMarker.clear();
}

} // namespace quaredit
