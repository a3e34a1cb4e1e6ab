#pragma once

#include <QObject>

class QsciScintilla;

namespace quaredit {

class EditorAccess;

// What the keyboard does in the editor beyond what the editor does itself:
// a key held with Alt, Ctrl or Meta that no command takes types nothing,
// and, with auto-indent on, Enter starts the new line at the indent of the
// one before (one tab after a label alone) and Backspace in the blanks that
// start a line takes away one level.
class TypingAids : public QObject {
    Q_OBJECT
public:
    TypingAids(QsciScintilla* editor, EditorAccess& access, QObject* parent);

    void setAutoIndent(bool on) { autoIndent_ = on; }
    bool autoIndent() const { return autoIndent_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool typeLineBreak();
    bool unindent();
    QByteArrayView beforeCaret(int position) const;

    QsciScintilla* editor_;
    EditorAccess& access_;
    bool autoIndent_ = true;
};

} // namespace quaredit
