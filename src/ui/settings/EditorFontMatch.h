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

// How the stand-in for a family that is not installed is found. Without a
// finder, through Qt's own matching, which sorts every installed font for
// fallbacks before it answers; the program hands in fontconfig's matcher,
// which gives the same answer for a third of the cost, before its window
// shows. A finder returns an empty name when it has none.
using FontStandInFinder = QString (*)(const QString& family);
void setFontStandInFinder(FontStandInFinder finder);

} // namespace quaredit
