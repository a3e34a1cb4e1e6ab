#pragma once

#include "core/settings/Settings.h"

#include <QList>
#include <QRect>
#include <QString>

namespace quaredit {

// The stored placement of the main window fitted to the screens as they are
// now (`screens`: their available areas, the primary one first). A settings
// file may hold any number, or come from a desk with another monitor: the
// window is never larger than the screen it lands on, and its title bar is
// always on a screen, so it can be grabbed. A placement that already
// satisfies both stays as it is. Computed in 64 bits: the stored values may
// be anything a 32-bit integer holds.
WindowPlacement fitPlacement(const WindowPlacement& stored, const QList<QRect>& screens);

// Whether the desktop `platformName` (Qt's name of its window-system back
// end) tells a window where it stands. Wayland never does: a window there
// reads 0,0 wherever it is, which must not replace the position an X11
// session stored.
bool windowPositionKnown(const QString& platformName);

} // namespace quaredit
