#pragma once

#include <QColor>
#include <QString>

class QsciScintilla;

namespace quaredit {

// The editor's margin markers and text indicators: their numbers, looks and
// colours in one place, so that every feature marking lines draws them alike
// and a colour set changes them all at once.
namespace markers {

// The margin beside the line numbers that shows the markers.
constexpr int SymbolMargin = 1;
constexpr int SymbolMarginWidth = 14;

// A line the assembler, or the instruction check, finds at fault. The check
// has a number of its own, drawn the same as the error marker, so that
// clearing its marks never clears a build's.
constexpr int ErrorMarker = 1;
constexpr int InstructionMarker = 2;

// The squiggle under a faulty operand or mnemonic. Indicators from 8 on are
// the container's; the lexer uses none.
constexpr int InstructionIndicator = 8;

struct MarkerColours {
    QColor error;     // fill of the error marker
    QColor errorEdge; // its outline
    QColor fault;     // the squiggle
};

// The colours on a light paper, and on the dark set's near-black one.
MarkerColours lightMarkerColours();
MarkerColours darkMarkerColours();
inline MarkerColours markerColours(bool dark) {
    return dark ? darkMarkerColours() : lightMarkerColours();
}

// Defines the markers and indicators above on `editor` with `colours`, and
// which markers its symbol margin shows. Safe to call again with other
// colours.
void defineMarkers(QsciScintilla* editor, const MarkerColours& colours);

// Shows or hides the symbol margin.
void showSymbolMargin(QsciScintilla* editor, bool shown);

} // namespace markers

// What a mark in the editor says of its line: the build's messages use all
// three, the instruction check the error mark.
enum class MarkKind { Error, Warning, Note };

// The margin markers and the notes under lines (annotations) that point the
// user at a line, with their numbers and colours in this one place, so that
// every feature marks a line the same way and a colour set can change them
// all together.
namespace EditorMarkers {

// A build's error takes the error marker the instruction check draws alike;
// warnings and notes have their own.
constexpr int ErrorMarker = markers::ErrorMarker;
constexpr int WarningMarker = 3;
constexpr int NoteMarker = 4;
constexpr int MarkerMargin = markers::SymbolMargin;

int markerOf(MarkKind kind);

// The colours of each kind, from the editor's colour set (light or dark):
// its marker in the margin, its words in the messages panel (readable on
// the panel's paper), and the note under its line (the set's note colours).
struct MarkColours {
    QColor marker;
    QColor text;
    QColor noteText;
    QColor notePaper;
};
MarkColours colours(MarkKind kind, bool dark = false);
// Whether the editor shows the dark colour set (its default paper is dark).
bool showsDark(QsciScintilla& editor);

// Defines the warning and note markers and the notes' look on the editor,
// and opens the margin for every marker; again after anything that resets
// the editor's styles. The error marker is defineMarkers()'s.
void define(QsciScintilla& editor);

// Marks `line` (0-based) and returns the marker's handle, which follows the
// line as the text is edited.
int mark(QsciScintilla& editor, int line, MarkKind kind);
// The line a handle is on now, or -1 once its line was deleted.
int lineOf(QsciScintilla& editor, int handle);
// The note shown under `line`, replacing one there.
void annotate(QsciScintilla& editor, int line, const QString& text, MarkKind kind);
// Removes every mark and note of the current document.
void clear(QsciScintilla& editor);

} // namespace EditorMarkers

} // namespace quaredit
