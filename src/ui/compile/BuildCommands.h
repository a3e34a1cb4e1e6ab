#pragma once

#include "ui/compile/CompilationRun.h"
#include "ui/compile/UserMenu.h"

#include <memory>

namespace quaredit {

class ProcessStarter;

// The build subsystem's commands of the main window: the compilation run and
// the "&User" menu, sharing one way of starting outside programs.
class BuildCommands {
public:
    explicit BuildCommands(const CommandContext& context);
    ~BuildCommands();

    UserMenu& userMenu() { return userMenu_; }
    CompilationRun& compilation() { return compilation_; }
    // Tests put a fake in place of the real process starts.
    void setProcessStarter(ProcessStarter& starter) { starter_ = &starter; }

private:
    std::unique_ptr<ProcessStarter> ownStarter_;
    ProcessStarter* starter_ = nullptr;
    UserMenu userMenu_;
    CompilationRun compilation_;
};

} // namespace quaredit
