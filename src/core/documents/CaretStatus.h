#pragma once

#include <QString>
#include <functional>

namespace quaredit {

struct CaretPosition {
    int line = 0;   // zero-based
    int column = 0; // zero-based; a tab counts as one character
    bool operator==(const CaretPosition&) const = default;
};

// The position the status bar shows: the selection's start, unless the
// selection starts on a line above the caret's line, then its end.
// `caretLineStart` is the offset of the start of the caret's line.
CaretPosition caretStatus(int caretLineStart, int selStart, int selLength,
                          const std::function<int(int offset)>& lineOfOffset);

// "line : column", both counted from 1.
QString caretStatusText(CaretPosition position);

} // namespace quaredit
