#pragma once

#include <QString>

class QFont;

namespace quaredit {

// The installed family that shows the stored editor font name (cut to the
// length the editor takes): the name itself when installed, else the closest
// installed fixed-pitch family, as shownFontFamily decides. `pointSize`
// (when above 0) is the size the editor shows it at: measured at that size,
// the font loaded for the answer is the one the editor then draws with.
QString installedEditorFamily(const QString& stored, int pointSize = 0);

// Whether text in `font` lines up in columns, as measured on the font that
// is really used for it.
bool measuresFixedPitch(const QFont& font);

} // namespace quaredit
