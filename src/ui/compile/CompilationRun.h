#pragma once

#include "ui/documents/CommandContext.h"

#include <QString>

namespace quaredit {

class PanelBuild;
class ProcessStarter;

// The Compilation command: saves the current program source and starts
// "compil.bat" (or the user's "compil.sh") on it in a console window, then
// forgets it; or, with the messages panel on, runs it inside the editor.
class CompilationRun {
public:
    CompilationRun(CommandContext context, ProcessStarter& starter, PanelBuild& panel);

    void MNU_Quaro_CompileClick();

    // The source being compiled, without extension, while the command runs.
    const QString& compileMarker() const { return CompileMarker; }

private:
    const CommandContext ctx_;
    ProcessStarter& starter_;
    PanelBuild& panel_;
    QString CompileMarker;
};

} // namespace quaredit
