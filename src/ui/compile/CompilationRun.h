#pragma once

#include "ui/documents/CommandContext.h"

#include <QString>

namespace quaredit {

class ProcessStarter;

// The Compilation command: saves the current program source and starts
// "compil.bat" on it in a console window, then forgets it.
class CompilationRun {
public:
    CompilationRun(CommandContext context, ProcessStarter& starter);

    void MNU_Quaro_CompileClick();

    // The source being compiled, without extension, while the command runs.
    const QString& compileMarker() const { return CompileMarker; }

private:
    const CommandContext ctx_;
    ProcessStarter& starter_;
    QString CompileMarker;
};

} // namespace quaredit
