#pragma once

#include "ui/compile/CompilationRun.h"
#include "ui/compile/PanelBuild.h"
#include "ui/compile/UserMenu.h"

namespace quaredit {

class ProcessStarter;

// The build subsystem's commands of the main window: the compilation run and
// the "&User" menu, sharing one way of starting outside programs.
class BuildCommands {
public:
    BuildCommands(const CommandContext& context, ProcessStarter& starter, PanelHost host);
    ~BuildCommands();

    UserMenu& userMenu() { return userMenu_; }
    CompilationRun& compilation() { return compilation_; }
    PanelBuild& panelBuild() { return panelBuild_; }

private:
    UserMenu userMenu_;
    PanelBuild panelBuild_;
    CompilationRun compilation_;
};

} // namespace quaredit
