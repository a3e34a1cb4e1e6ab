#include "ui/editing/TypingAids.h"

#include "core/asm/EditRules.h"
#include "core/documents/TypedKeys.h"
#include "ui/editor/EditorAccess.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

TypingAids::TypingAids(QsciScintilla* editor, EditorAccess& access, QObject* parent)
    : QObject(parent), editor_(editor), access_(access) {
    editor_->installEventFilter(this);
}

bool TypingAids::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->text().isEmpty() && !keyTypesText(key->modifiers(), key->text())) {
        // The editor still runs its own command for the key, if it has one
        // (Alt+Shift+arrows select a block); only the text is left out.
        QKeyEvent bare(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                       key->nativeVirtualKey(), key->nativeModifiers(), QString(),
                       key->isAutoRepeat(), ushort(key->count()));
        QCoreApplication::sendEvent(editor_, &bare);
        key->setAccepted(bare.isAccepted());
        return true;
    }
    if (!autoIndent_ || editor_->isReadOnly())
        return false;
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && typeLineBreak()) {
        key->accept();
        return true;
    }
    if (key->key() == Qt::Key_Backspace && unindent()) {
        key->accept();
        return true;
    }
    return false;
}

QByteArrayView TypingAids::beforeCaret(int position) const {
    const int lineStart = access_.offsetOfLine(access_.lineOfOffset(position));
    return access_.view().sliced(lineStart, position - lineStart);
}

bool TypingAids::typeLineBreak() {
    // Enter in the completion list picks the name.
    if (editor_->isListActive())
        return false;
    const int end = access_.selectionStart() + access_.selectionLength();
    const int line = access_.lineOfOffset(end);
    const int lineEnd =
        int(editor_->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, line));
    const QByteArray indent = newLineIndent(beforeCaret(access_.selectionStart()),
                                            access_.view().sliced(end, lineEnd - end));
    if (indent.isEmpty())
        return false;
    editor_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
    editor_->SendScintilla(QsciScintillaBase::SCI_NEWLINE);
    editor_->SendScintilla(QsciScintillaBase::SCI_ADDTEXT,
                           static_cast<unsigned long>(indent.size()), indent.constData());
    editor_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    editor_->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
    return true;
}

bool TypingAids::unindent() {
    if (access_.selectionLength() > 0)
        return false;
    const int caret = access_.caretPosition();
    const int tab = editor_->tabWidth();
    const int width = editor_->indentationWidth() > 0 ? editor_->indentationWidth() : tab;
    const int count = unindentLength(beforeCaret(caret), width, tab);
    if (count <= 1)
        return false;
    editor_->SendScintilla(QsciScintillaBase::SCI_DELETERANGE,
                           static_cast<unsigned long>(caret - count), long(count));
    return true;
}

} // namespace quaredit
