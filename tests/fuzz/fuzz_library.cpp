// The library window's reading and rewriting of a program's includes, and
// the library entry inserted at any caret.
#include "FuzzInput.h"
#include "core/tools/Library.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const int caretLine = in.take() % 64;
    const int caretColumn = in.take() % 64;
    const QByteArrayView text = in.bytes();
    QStringList selected = ProgramLibraries(text).value_or(QStringList());
    sortLibraries(selected);
    ToggleLibrary(selected, QStringLiteral("graphlib"));
    RewriteLibraryIncludes(text, selected);
    InsertLibraryEntry(text, caretLine, caretColumn, QStringLiteral("entry"));
    editorLines(text);
    return 0;
}
