#include "ui/editing/WordCompletion.h"

#include "core/asm/SourceNames.h"
#include "ui/editor/EditorAccess.h"

#include <Qsci/qsciscintilla.h>

namespace quaredit {

WordCompletion::WordCompletion(const EditorFeaturesContext& context, QObject* parent)
    : QObject(parent), context_(context) {
    connect(context_.editor, &QsciScintillaBase::SCN_CHARADDED, this, &WordCompletion::charAdded);
}

void WordCompletion::charAdded(int) {
    QsciScintilla* editor = context_.editor;
    // An open list narrows itself as the user types.
    if (editor->isListActive() || (context_.plainDocument && context_.plainDocument()))
        return;
    EditorAccess& access = *context_.access;
    if (access.selectionLength() != 0)
        return;
    const int caret = access.caretPosition();
    // The caret's line decides whether a name is being typed; only then is
    // the whole text read, since reading it all closes the editor's gap,
    // which costs a copy of half the text at each key.
    const int lineNo = access.lineOfOffset(caret);
    const int lineStart = access.offsetOfLine(lineNo);
    const int lineEnd =
        int(editor->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, lineNo));
    const auto* head = reinterpret_cast<const char*>(editor->SendScintilla(
        QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(lineStart),
        static_cast<long>(lineEnd - lineStart)));
    const QByteArrayView line(head, lineEnd - lineStart);
    const NameRange name = nameAt(line, caret - lineStart);
    if (name.end != caret - lineStart || name.end - name.start < MinCompletionPrefix)
        return;
    const QByteArray prefix = line.sliced(name.start, name.end - name.start).toByteArray();
    // "move." is a size being typed, not a name.
    if (prefix.lastIndexOf('.') > 0)
        return;
    const QByteArrayList words = completionWords(access.view(), prefix);
    if (words.isEmpty())
        return;
    const QByteArray list = words.join('\n');
    // Set each time: attaching or removing a lexer resets them. Names never
    // hold a line break, so it separates the entries; the list matches what
    // is typed ignoring case, as the assemblers read mnemonics.
    editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETSEPARATOR,
                          static_cast<unsigned long>('\n'));
    editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, 1UL);
    editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETORDER,
                          static_cast<unsigned long>(QsciScintillaBase::SC_ORDER_PERFORMSORT));
    editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 10UL);
    editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSHOW, static_cast<uintptr_t>(prefix.size()),
                          list.constData());
}

} // namespace quaredit
