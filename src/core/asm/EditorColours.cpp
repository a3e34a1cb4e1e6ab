#include "core/asm/EditorColours.h"

namespace quaredit {

// Syntax colours by AsmClass: Default, Comment, Label, LocalLabel, Mnemonic,
// Directive, Register, Number, String, Immediate, LibraryCall.

const EditorColours& lightEditorColours() {
    // Dark, saturated colours that keep their contrast on white in a thin
    // monospace font.
    static const EditorColours colours{
        0xFFFFFF,
        0x000000,
        {0x000000, 0x2F6F2F, 0x9C1C1C, 0x9A4530, 0x1A36A0, 0x7A1F8C, 0x006570, 0x964800, 0x7A5A00,
         0x964800, 0x1A36A0},
        0x5F5F5F,
        0xF0F0F0,
        0xFFF8D8,
        0xD6E8FF,
        0x000000,
        0xC62828,
        0xB26A00,
        0x5A2A00,
        0xFFF0D8,
    };
    return colours;
}

const EditorColours& darkEditorColours() {
    // The same hues lightened for a near-black paper; the current line and
    // the selection stay dark enough for every one of them.
    static const EditorColours colours{
        0x1E1E1E,
        0xD4D4D4,
        {0xD4D4D4, 0x7FB86A, 0xF48771, 0xE8A889, 0x6CB4F0, 0xD39BD0, 0x4EC9B0, 0xE5B567, 0xDDB07E,
         0xE5B567, 0x8CC8FF},
        0x9A9A9A,
        0x2A2A2A,
        0x2C2C2C,
        0x283C55,
        0xE8E8E8,
        0xF05A5A,
        0xE0A030,
        0xF2D7B0,
        0x3A2E1E,
    };
    return colours;
}

} // namespace quaredit
