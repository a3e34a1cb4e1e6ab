#pragma once

#include "core/documents/Paths.h"

namespace quaredit {

// Which source tools the menus offer for the current document.
struct ToolMenuState {
    bool sourceTools = false;  // library window, labels window, compile, their pop-up items
    bool libraryEntry = false; // "&Insert Library Entry" and its separator
    bool operator==(const ToolMenuState&) const = default;
};

inline ToolMenuState toolMenuState(DocumentKind kind, bool isLibrary) {
    const bool program = kind == DocumentKind::ProgramSource;
    return {program, program && isLibrary};
}

} // namespace quaredit
