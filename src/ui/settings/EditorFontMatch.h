#pragma once

#include <QString>

class QFont;

namespace quaredit {

// The installed family that shows the stored editor font name (cut to the
// length the editor takes): the name itself when installed, else the closest
// installed fixed-pitch family, as shownFontFamily decides.
QString installedEditorFamily(const QString& stored);

// Whether text in `font` lines up in columns, as measured on the font that
// is really used for it.
bool measuresFixedPitch(const QFont& font);

} // namespace quaredit
