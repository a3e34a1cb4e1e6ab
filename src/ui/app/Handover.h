#pragma once

#include <QString>

namespace quaredit {

class InstanceServer;
class TPFrm;

// Files handed over by a later start open as tabs of `window`, as a file
// named on the command line does (not added to the recent files), and the
// window comes to the front.
void acceptHandovers(InstanceServer& server, TPFrm& window);

// Lets the next activation request of this program carry the activation
// token a later start handed over, as the desktop `platformName` expects it:
// on Wayland the compositor raises a window only with a token, on X11 the
// startup id ends the launcher's busy cursor. Anything else ignores it.
void useActivationToken(const QString& platformName, const QString& token);

} // namespace quaredit
