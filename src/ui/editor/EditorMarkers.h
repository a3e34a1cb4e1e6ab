#pragma once

#include <QColor>

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

} // namespace quaredit
