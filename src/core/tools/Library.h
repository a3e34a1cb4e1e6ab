#pragma once

#include "core/documents/LineEdit.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace quaredit {

// The texts here are whole sources as the editor holds them: Latin-1 bytes,
// one byte one character.

// Offset of the first "xdef" of a source, found as plain text: inside longer
// words and comments too, ignoring case. The library includes of a program
// are the include directives standing before it.
std::optional<qsizetype> firstXdef(QByteArrayView text);

// The program's library include arguments in text order, or nullopt when the
// source has no "xdef" at all (the library window cannot work on it).
std::optional<QStringList> ProgramLibraries(QByteArrayView text);

// Alphabetical order ignoring case; names equal but for case keep a fixed order.
void sortLibraries(QStringList& libraries);

// Adds `name` to the sorted `selected`, or takes it out when it is already
// there under any case. Returns true when it was added.
bool ToggleLibrary(QStringList& selected, const QString& name);

// The include line written for one library.
QString libraryIncludeLine(const QString& library);

// Replaces the library include lines with one include per entry of
// `selected` (already sorted), standing where the first of them stood, or at
// the top of the text when there was none. Includes after the first "xdef"
// are left alone. No "xdef" at all: no library lines to find, no edits.
LineEdits RewriteLibraryIncludes(QByteArrayView text, const QStringList& selected);

struct LibraryEntryResult {
    LineEdits edits;
    int caretLine = 0; // where the caret stands once the edits are applied
    int caretColumn = 0;
};

// A new entry point of a library: an xdef line right after the last line that
// holds "xdef" (at the top when none does), and the name as a label at the
// caret line: replacing that line when it is blank, above it otherwise.
// `caretLine` and `caretColumn` are the caret before the edit.
LibraryEntryResult InsertLibraryEntry(QByteArrayView text, int caretLine, int caretColumn,
                                      const QString& entry);

// The lines of a text as the editor counts them: a line ends at CR LF, LF or
// CR, and a text ending with a line break has an empty last line.
QStringList editorLines(QByteArrayView text);

} // namespace quaredit
