#include "ui/build/BuildCommands.h"

#include "platform/build/LinuxProcessStarter.h"

namespace quaredit {

BuildCommands::BuildCommands(TPFrm& window)
    : ownStarter_(std::make_unique<LinuxProcessStarter>()), starter_(ownStarter_.get()),
      userMenu_(window, starter_), compilation_(window, starter_) {}

BuildCommands::~BuildCommands() = default;

} // namespace quaredit
