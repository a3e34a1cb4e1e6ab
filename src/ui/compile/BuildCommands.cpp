#include "ui/compile/BuildCommands.h"

namespace quaredit {

BuildCommands::BuildCommands(const CommandContext& context, ProcessStarter& starter)
    : userMenu_(context, starter), compilation_(context, starter) {}

BuildCommands::~BuildCommands() = default;

} // namespace quaredit
