#pragma once

#include "core/asm/AsmTokenizer.h"
#include "core/settings/ColourScheme.h"

#include <array>

namespace quaredit {

// Every colour the editor paints with, for one background: a light set made
// for white paper and a dark one for a dark theme's. Each syntax colour
// reads (contrast 4.5 or more) on the paper, on the current line and under
// the selection; the tests hold them to it.
struct EditorColours {
    Rgb paper;
    Rgb text;
    std::array<Rgb, AsmClassCount> syntax; // by AsmClass
    Rgb marginText;
    Rgb marginPaper;
    Rgb currentLine;
    Rgb selection;
    Rgb caret;
    // Marks and notes beside the text (build errors, instruction checks).
    Rgb errorMarker;
    Rgb warningMarker;
    Rgb annotationText;
    Rgb annotationPaper;
};

const EditorColours& lightEditorColours();
const EditorColours& darkEditorColours();
inline const EditorColours& editorColours(bool dark) {
    return dark ? darkEditorColours() : lightEditorColours();
}

} // namespace quaredit
