#pragma once

namespace quaredit {

class InstanceServer;
class TPFrm;

// Files handed over by a later start open as tabs of `window`, as a file
// named on the command line does (not added to the recent files), and the
// window comes to the front.
void acceptHandovers(InstanceServer& server, TPFrm& window);

} // namespace quaredit
