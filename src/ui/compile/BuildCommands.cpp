#include "ui/compile/BuildCommands.h"

namespace quaredit {

BuildCommands::BuildCommands(const CommandContext& context, ProcessStarter& starter, PanelHost host)
    : userMenu_(context, starter), panelBuild_(context, std::move(host)),
      compilation_(context, starter, panelBuild_) {}

BuildCommands::~BuildCommands() = default;

} // namespace quaredit
