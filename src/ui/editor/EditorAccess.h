#pragma once

#include "core/documents/LineEdit.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaObject>
#include <QString>
#include <functional>

class QsciScintilla;

namespace quaredit {

class EditNotices;

// The editor operations the rest of the program uses, over a QsciScintilla in
// 8-bit mode: one byte is one character (Latin-1), so offsets are byte
// offsets and every byte of a file survives. Each change is an ordinary edit
// of the current document: undoable and signalled like typing.
// Line indexes out of range are ignored rather than trusted.
//
// The editor holds at most MaxEditorChars characters: a keystroke, paste or
// drop that would go past it inserts nothing (with a beep), so that every
// text typed into the editor can be opened again. Undo is never refused, and
// neither are the program's own edits (the tools' line edits), since
// refusing one would leave a broken source.
class EditorAccess {
public:
    explicit EditorAccess(QsciScintilla* editor);
    ~EditorAccess();
    EditorAccess(const EditorAccess&) = delete;
    EditorAccess& operator=(const EditorAccess&) = delete;
    QsciScintilla* widget() const { return editor_; }
    // When the text changes; it lives as long as the editor.
    EditNotices& notices() const { return *notices_; }

    QString text() const;     // whole text, line ends as stored
    QByteArray bytes() const; // same, raw
    // The whole text, raw, without a copy: the editor's own buffer. It stays
    // valid only until the next change of the text (an edit, a load, a switch
    // of document); scan it at once, and copy what must outlive a change or a
    // dialog's event loop.
    QByteArrayView view() const;
    int length() const;
    int lineCount() const;     // a text ending with a line end has an empty last line
    QString line(int i) const; // without its line end
    void replaceLine(int i, const QString& text);      // keeps the line end
    void insertLineBefore(int i, const QString& text); // i == lineCount() appends a new last line
    void deleteLine(int i); // with its line end (the last line takes the line end before it)

    int selectionStart() const; // offset of the selection's start (= caret without selection)
    int selectionLength() const;
    int caretPosition() const;                // where the caret is (start or end of a selection)
    void setSelectionStart(int offset);       // moves the caret there, nothing selected
    void setSelection(int start, int length); // anchor at start, caret at start+length
    QString selectedText() const;

    int lineOfOffset(int offset) const;
    int offsetOfLine(int line) const; // past the last line: the text's length
    int firstVisibleLine() const;
    void scrollLines(int delta);

    // Replaces [start, end) by `bytes` as one edit (one undo step). Like the
    // line edits, it is the program's own and not held to the typing limit.
    void replaceBytes(int start, int end, const QByteArray& bytes);

    void applyLineEdits(const LineEdits& edits); // as one undo step
    // Runs `edit` as one of the program's own, which the limit never
    // refuses: a loaded file has been measured by the loader already (with
    // its final line break, it may hold two characters past the limit).
    void asOwnEdit(const std::function<void()>& edit);
    void beginUndoGroup();
    void endUndoGroup();

private:
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    QByteArray range(int start, int end) const;
    void replaceRange(int start, int end, const QByteArray& bytes);
    int clampOffset(int offset) const;
    void checkInsertion(int type, int length);

    QsciScintilla* editor_;
    EditNotices* notices_;
    QMetaObject::Connection limit_;
    bool ownEdit_ = false;
};

} // namespace quaredit
