#include "ui/editor/EditorMarkers.h"

#include <Qsci/qsciscintilla.h>

namespace quaredit::markers {

MarkerColours lightMarkerColours() {
    return {QColor(0xD0, 0x30, 0x30), QColor(0x90, 0x10, 0x10), QColor(0xE0, 0x20, 0x20)};
}

MarkerColours darkMarkerColours() {
    // Lighter reds: the light set's dark outline would vanish on a dark margin.
    return {QColor(0xF0, 0x5A, 0x5A), QColor(0xFF, 0xB4, 0xB4), QColor(0xFF, 0x6B, 0x6B)};
}

void defineMarkers(QsciScintilla* editor, const MarkerColours& colours) {
    for (const int marker : {ErrorMarker, InstructionMarker}) {
        editor->markerDefine(QsciScintilla::Circle, marker);
        editor->setMarkerBackgroundColor(colours.error, marker);
        editor->setMarkerForegroundColor(colours.errorEdge, marker);
    }
    editor->SendScintilla(QsciScintillaBase::SCI_SETMARGINMASKN, SymbolMargin,
                          long((1 << ErrorMarker) | (1 << InstructionMarker)));
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, InstructionIndicator,
                          long(QsciScintillaBase::INDIC_SQUIGGLE));
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, InstructionIndicator, colours.fault);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETUNDER, InstructionIndicator, 1L);
}

void showSymbolMargin(QsciScintilla* editor, bool shown) {
    editor->setMarginWidth(SymbolMargin, shown ? SymbolMarginWidth : 0);
}

} // namespace quaredit::markers
