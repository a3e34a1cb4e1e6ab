#pragma once

#include <QString>

namespace quaredit {

// The installed family that shows the stored editor font name (cut to the
// length the editor takes): the name itself when installed, else the closest
// installed fixed-pitch family, as shownFontFamily decides.
QString installedEditorFamily(const QString& stored);

} // namespace quaredit
