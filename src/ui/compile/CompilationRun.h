#pragma once

#include <QString>

namespace quaredit {

class ProcessStarter;
class TPFrm;

// The Compilation command: saves the current program source and starts
// "compil.bat" on it in a console window, then forgets it.
class CompilationRun {
public:
    CompilationRun(TPFrm& window, ProcessStarter*& starter);

    void MNU_Quaro_CompileClick();

    // The source being compiled, without extension, while the command runs.
    const QString& compileMarker() const { return CompileMarker; }

private:
    TPFrm& window_;
    ProcessStarter*& starter_;
    QString CompileMarker;
};

} // namespace quaredit
