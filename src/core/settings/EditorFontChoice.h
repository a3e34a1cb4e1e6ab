#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace quaredit {

// The editor takes at most this many characters of a font name.
constexpr int MaxEditorFontName = 31;

inline QString editorFontName(const QString& stored) {
    return stored.left(MaxEditorFontName);
}

// The sizes the options dialog offers, in points.
const QList<int>& editorFontSizes();

// The entry of editorFontSizes() to show for a stored size; a size the list
// does not hold shows 9, the default, so the choice can always be read back.
int editorFontSizeEntry(int size);

// Installed families as the dialog lists them: alphabetical, ignoring case.
QStringList sortedFontFamilies(QStringList families);

// The families a font list offers: each family once, without the foundry
// that tells apart families of the same name ("Nimbus Mono PS [urw]" and
// "Nimbus Mono PS [UKWN]" are one entry), sorted as sortedFontFamilies.
QStringList listedFontFamilies(const QStringList& families);

// A family name without its foundry: "Nimbus Mono PS [urw]" is "Nimbus Mono PS".
QString plainFamilyName(QString family);

// Installed families known to be fixed-pitch, in the order the editor
// prefers them when neither the stored name nor the system's fixed font
// gives one: Liberation Mono has Courier New's metrics.
const QStringList& fixedPitchFallbacks();

// What the machine knows of a stored family that may not be installed.
// "Fixed" is measured (an "i" as wide as a "W"), not taken from the font's
// own flag: fonts such as Noto Sans Mono are fixed-pitch without saying so,
// and a desktop's "fixed" font may be its proportional general font.
struct FontMatch {
    bool installed = false;       // the stored family itself is installed
    QString matched;              // the family the font matcher picks for the name
    bool matchedFixed = false;    // that family measures fixed-pitch
    QString systemFixed;          // the system's fixed-pitch font
    bool systemFixedFixed = true; // and whether it really measures so
    QString fallback;             // the first of fixedPitchFallbacks() installed and fixed
};

// The installed family that stands for `stored` in the editor and the
// options dialog: itself when installed, else the matcher's pick when it is
// fixed-pitch (source text lines up only in such a font), else the system's
// fixed font when it is fixed-pitch, else the first installed fallback, each
// without its foundry as the font list shows it. The stored value itself is
// never changed by this.
QString shownFontFamily(const QString& stored, const FontMatch& match);

// The entry naming `font` (letter case ignored), or -1 when it is not installed.
int fontFamilyEntry(const QStringList& families, const QString& font);

} // namespace quaredit
