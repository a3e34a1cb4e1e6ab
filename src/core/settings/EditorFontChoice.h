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

// The entry naming `font` (letter case ignored), or -1 when it is not installed.
int fontFamilyEntry(const QStringList& families, const QString& font);

} // namespace quaredit
