#include "core/documents/CaretStatus.h"

namespace quaredit {

CaretPosition caretStatus(int caretLineStart, int selStart, int selLength,
                          const std::function<int(int)>& lineOfOffset) {
    int column = selStart - caretLineStart;
    int p = selStart;
    if (column < 0) {
        column += selLength;
        p = selStart + selLength;
    }
    return {lineOfOffset(p), column};
}

QString caretStatusText(CaretPosition position) {
    return QStringLiteral("%1 : %2").arg(position.line + 1).arg(position.column + 1);
}

} // namespace quaredit
