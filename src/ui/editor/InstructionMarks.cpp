#include "ui/editor/InstructionMarks.h"

#include "core/asm/AsmTokenizer.h"
#include "core/asm/M68kCheck.h"
#include "core/text/Latin1Search.h"
#include "ui/editor/EditorMarkers.h"

#include <Qsci/qsciscintilla.h>

namespace quaredit::instructionmarks {

namespace {

void clearMarkers(QsciScintilla* editor, int firstLine, int lastLine) {
    const long mask = 1L << markers::InstructionMarker;
    int line = firstLine;
    while (line <= lastLine) {
        line = int(editor->SendScintilla(QsciScintillaBase::SCI_MARKERNEXT, line, mask));
        if (line < 0 || line > lastLine)
            break;
        editor->SendScintilla(QsciScintillaBase::SCI_MARKERDELETE, line,
                              long(markers::InstructionMarker));
        ++line;
    }
}

} // namespace

void markLines(QsciScintilla* editor, int start, QByteArrayView text,
               const unsigned char* classes) {
    const qsizetype n = text.size();
    if (n == 0)
        return;
    const int firstLine =
        int(editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, long(start)));
    const int lastLine =
        int(editor->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, long(start + n - 1)));
    editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT,
                          long(markers::InstructionIndicator));
    editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, long(start), long(n));
    clearMarkers(editor, firstLine, lastLine);
    int line = firstLine;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype e = lineBreak(text, i);
        // The line break carries the state after its line: a comment there
        // means the line is at or past `end`, which the assembler never reads.
        const bool afterEnd = e < n && classes[e] == static_cast<unsigned char>(AsmClass::Comment);
        if (!afterEnd) {
            const m68k::LineCheck c = m68k::checkLine(text.sliced(i, e - i), false);
            if (c.verdict == m68k::Verdict::Fault) {
                editor->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE,
                                      long(start + i + c.faultStart), long(c.faultLength));
                editor->SendScintilla(QsciScintillaBase::SCI_MARKERADD, line,
                                      long(markers::InstructionMarker));
            }
        }
        if (e >= n)
            break;
        i = text[e] == '\r' && e + 1 < n && text[e + 1] == '\n' ? e + 2 : e + 1;
        ++line;
    }
}

void clearAll(QsciScintilla* editor) {
    const long length = editor->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT,
                          long(markers::InstructionIndicator));
    editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0L, length);
    editor->SendScintilla(QsciScintillaBase::SCI_MARKERDELETEALL, long(markers::InstructionMarker));
}

} // namespace quaredit::instructionmarks
