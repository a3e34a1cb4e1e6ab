#include "ui/compile/BuildCommands.h"

#include "platform/compile/LinuxProcessStarter.h"

namespace quaredit {

BuildCommands::BuildCommands(const CommandContext& context)
    : ownStarter_(std::make_unique<LinuxProcessStarter>()), starter_(ownStarter_.get()),
      userMenu_(context, starter_), compilation_(context, starter_) {}

BuildCommands::~BuildCommands() = default;

} // namespace quaredit
