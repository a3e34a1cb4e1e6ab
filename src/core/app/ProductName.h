#pragma once

#include <QString>

namespace quaredit {

// The program's name, as message boxes and the window system show it.
inline const QString ProductName = QStringLiteral("Quaro Program Editor v2.0");
// The name with the release, the main window's caption.
inline const QString ProductRelease = QStringLiteral("Quaro Program Editor v2.0 ALPHA 5");

} // namespace quaredit
