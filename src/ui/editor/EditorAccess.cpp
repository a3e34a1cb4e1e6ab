#include "ui/editor/EditorAccess.h"

#include "ui/editor/EditNotices.h"

#include "core/documents/TextFile.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace quaredit {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QByteArray toBytes(const QString& text) {
    return text.toLatin1();
}

} // namespace

EditorAccess::EditorAccess(QsciScintilla* editor)
    : editor_(editor), notices_(new EditNotices(editor)) {
    limit_ = QObject::connect(editor_, &QsciScintillaBase::SCN_MODIFIED, editor_,
                              [this](int, int type, const char*, int length, int, int, int, int,
                                     int, int) { checkInsertion(type, length); });
}

EditorAccess::~EditorAccess() {
    QObject::disconnect(limit_);
}

void EditorAccess::checkInsertion(int type, int length) {
    if (!(type & QsciScintillaBase::SC_MOD_INSERTCHECK) || ownEdit_)
        return;
    if (this->length() + qsizetype(length) <= MaxEditorChars)
        return;
    // Asked while the editor is about to insert, it takes an empty text
    // instead. (The notification does not carry the text, so a part of it
    // cannot be kept.)
    editor_->SendScintilla(QsciScintillaBase::SCI_CHANGEINSERTION, 0UL, "");
    QApplication::beep();
}

long EditorAccess::send(unsigned int message, unsigned long wParam, long lParam) const {
    return editor_->SendScintilla(message, wParam, lParam);
}

QByteArray EditorAccess::range(int start, int end) const {
    if (end <= start)
        return {};
    QByteArray buffer(end - start + 1, '\0');
    editor_->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, long(start), long(end),
                           buffer.data());
    buffer.truncate(end - start);
    return buffer;
}

void EditorAccess::asOwnEdit(const std::function<void()>& edit) {
    const QScopedValueRollback<bool> own(ownEdit_, true);
    edit();
}

void EditorAccess::replaceRange(int start, int end, const QByteArray& bytes) {
    const QScopedValueRollback<bool> own(ownEdit_, true);
    send(QsciScintillaBase::SCI_SETTARGETSTART, start);
    send(QsciScintillaBase::SCI_SETTARGETEND, end);
    editor_->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, uintptr_t(bytes.size()),
                           bytes.constData());
}

int EditorAccess::clampOffset(int offset) const {
    return std::clamp(offset, 0, length());
}

QByteArray EditorAccess::bytes() const {
    return range(0, length());
}

QByteArrayView EditorAccess::view() const {
    // Asking for the pointer closes the editor's gap, so the text is one block.
    const auto* data = static_cast<const char*>(
        editor_->SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return QByteArrayView(data, length());
}

QString EditorAccess::text() const {
    return QString::fromLatin1(bytes());
}

int EditorAccess::length() const {
    return int(send(QsciScintillaBase::SCI_GETLENGTH));
}

int EditorAccess::lineCount() const {
    return int(send(QsciScintillaBase::SCI_GETLINECOUNT));
}

QString EditorAccess::line(int i) const {
    if (i < 0 || i >= lineCount())
        return {};
    return QString::fromLatin1(
        range(offsetOfLine(i), int(send(QsciScintillaBase::SCI_GETLINEENDPOSITION, i))));
}

void EditorAccess::replaceLine(int i, const QString& text) {
    if (i < 0 || i >= lineCount())
        return;
    replaceRange(offsetOfLine(i), int(send(QsciScintillaBase::SCI_GETLINEENDPOSITION, i)),
                 toBytes(text));
}

void EditorAccess::insertLineBefore(int i, const QString& text) {
    const int count = lineCount();
    if (i < 0 || i > count)
        return;
    if (i == count) {
        const int end = length();
        replaceRange(end, end, kLineEnd + toBytes(text));
    } else {
        const int start = offsetOfLine(i);
        replaceRange(start, start, toBytes(text) + kLineEnd);
    }
}

void EditorAccess::deleteLine(int i) {
    const int count = lineCount();
    if (i < 0 || i >= count)
        return;
    if (i + 1 < count)
        replaceRange(offsetOfLine(i), offsetOfLine(i + 1), {});
    else if (i > 0)
        replaceRange(int(send(QsciScintillaBase::SCI_GETLINEENDPOSITION, i - 1)), length(), {});
    else
        replaceRange(0, length(), {});
}

int EditorAccess::selectionStart() const {
    return int(send(QsciScintillaBase::SCI_GETSELECTIONSTART));
}

int EditorAccess::selectionLength() const {
    return int(send(QsciScintillaBase::SCI_GETSELECTIONEND)) - selectionStart();
}

int EditorAccess::caretPosition() const {
    return int(send(QsciScintillaBase::SCI_GETCURRENTPOS));
}

void EditorAccess::setSelectionStart(int offset) {
    send(QsciScintillaBase::SCI_GOTOPOS, clampOffset(offset));
}

void EditorAccess::setSelection(int start, int length) {
    const int anchor = clampOffset(start);
    send(QsciScintillaBase::SCI_SETSEL, anchor, clampOffset(anchor + std::max(length, 0)));
}

QString EditorAccess::selectedText() const {
    const int start = selectionStart();
    return QString::fromLatin1(range(start, start + selectionLength()));
}

int EditorAccess::lineOfOffset(int offset) const {
    return int(send(QsciScintillaBase::SCI_LINEFROMPOSITION, clampOffset(offset)));
}

int EditorAccess::offsetOfLine(int line) const {
    if (line >= lineCount())
        return length();
    return int(send(QsciScintillaBase::SCI_POSITIONFROMLINE, std::max(line, 0)));
}

int EditorAccess::firstVisibleLine() const {
    return int(send(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE));
}

void EditorAccess::scrollLines(int delta) {
    send(QsciScintillaBase::SCI_LINESCROLL, 0, delta);
}

void EditorAccess::replaceBytes(int start, int end, const QByteArray& bytes) {
    start = clampOffset(start);
    end = std::max(start, clampOffset(end));
    replaceRange(start, end, bytes);
}

void EditorAccess::applyLineEdits(const LineEdits& edits) {
    beginUndoGroup();
    for (const LineEdit& edit : edits) {
        switch (edit.kind) {
        case LineEdit::Kind::Replace:
            replaceLine(edit.line, edit.text);
            break;
        case LineEdit::Kind::InsertBefore:
            insertLineBefore(edit.line, edit.text);
            break;
        case LineEdit::Kind::Delete:
            deleteLine(edit.line);
            break;
        }
    }
    endUndoGroup();
}

void EditorAccess::beginUndoGroup() {
    send(QsciScintillaBase::SCI_BEGINUNDOACTION);
}

void EditorAccess::endUndoGroup() {
    send(QsciScintillaBase::SCI_ENDUNDOACTION);
}

} // namespace quaredit
