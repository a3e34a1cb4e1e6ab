#pragma once

#include <QByteArrayView>

class QsciScintilla;

namespace quaredit {

// The live instruction check's marks: a squiggle under the operand or
// mnemonic the 68000 cannot encode and a marker in the symbol margin. The
// lexer calls it for exactly the lines it styles, so the check costs what
// the colouring's range costs and nothing more.
namespace instructionmarks {

// Checks the whole lines of `text`, which starts at `start` (a line's start)
// in the editor, given the colour classes the lexer wrote for it (lines
// after `end` are comments and are left alone), and replaces the marks of
// those lines.
void markLines(QsciScintilla* editor, int start, QByteArrayView text, const unsigned char* classes);

// Removes every mark of the check from the current document.
void clearAll(QsciScintilla* editor);

} // namespace instructionmarks

} // namespace quaredit
