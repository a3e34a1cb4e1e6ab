#include "ui/compile/CompilationRun.h"

#include "core/compile/BatchText.h"
#include "core/compile/CompileRun.h"
#include "core/settings/Settings.h"
#include "platform/compile/ProcessStarter.h"
#include "ui/common/MenuMap.h"
#include "ui/common/WindowServices.h"
#include "ui/compile/PanelBuild.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QDir>

namespace quaredit {

namespace {
const QString CompilationCaption = QStringLiteral("Compilation");
} // namespace

CompilationRun::CompilationRun(CommandContext context, ProcessStarter& starter, PanelBuild& panel)
    : ctx_(std::move(context)), starter_(starter), panel_(panel) {
    QObject::connect(ctx_.menus.MNU_Quaro_Compile, &QAction::triggered, &ctx_.window,
                     [this] { MNU_Quaro_CompileClick(); });
}

void CompilationRun::MNU_Quaro_CompileClick() {
    WindowServices& services = ctx_.services;
    const QString previousFolder = QDir::currentPath();
    const Document& doc = ctx_.documents.current();
    if (!canCompile(doc)) {
        services.messageBox(QStringLiteral("You can only compile saved ASM programs."),
                            CompilationCaption, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    const bool inPanel = ctx_.settings.MessagesPanel;
    if (!CompileMarker.isEmpty() || (inPanel && panel_.running())) {
        services.messageBox(QStringLiteral("There is already an open compilation window."),
                            CompilationCaption, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    const QString marker = compileMarkerOf(doc.FullPath);
    const QString script = buildScriptIn(ctx_.dataFolders, ctx_.settings.UsePredef == ConfigNone &&
                                                               userBatchIsScript(ctx_.dataFolders));
    const CompileCommand command = compileCommandFor(script, marker);
    if (isNativeBuildScript(script)) {
        if (!isSafeScriptArgument(command.argument)) {
            services.messageBox(QStringLiteral("The name <%1> cannot be passed to compil.sh: it "
                                               "holds a control character.")
                                    .arg(command.argument),
                                CompilationCaption, MsgIcon::Error, MsgButtons::Ok);
            return;
        }
    } else if (!isSafeBatchArgument(command.argument)) {
        // The batch interpreter would run what follows an "&" in the name:
        // such a source is refused before anything is saved or started.
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
    if (ctx_.documents.SaveDocument()) {
        if (inPanel)
            panel_.start(command);
        else if (!starter_.startConsole(command.batchFile, {command.argument},
                                        command.workingFolder)) {
            const QString detail = starter_.consoleFailure();
            if (detail.isEmpty())
                services.plainMessage(QStringLiteral("error"));
            else
                services.plainMessage(QStringLiteral("error"), detail);
        }
    }
    QDir::setCurrent(previousFolder);
    CompileMarker.clear();
}

} // namespace quaredit
