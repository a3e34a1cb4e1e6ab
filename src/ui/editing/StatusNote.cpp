#include "ui/editing/StatusNote.h"

#include "ui/editor/EditNotices.h"
#include "ui/editor/EditorAccess.h"

#include <QLabel>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

StatusNote::StatusNote(QLabel* panel, EditorAccess& editor, QObject* parent)
    : QObject(parent), panel_(panel), editor_(editor) {
    // An edit is heard before it lands: a command's own edits come before
    // its note, so only the ones after it clear it.
    connect(&editor_.notices(), &EditNotices::aboutToChange, this, [this] {
        if (shown_)
            clear();
    });
    // The editor reports caret moves when it next updates its view, also
    // the one a command made before telling its note: only a position other
    // than the told one counts.
    connect(editor_.widget(), &QsciScintilla::cursorPositionChanged, this, &StatusNote::caretMoved);
}

void StatusNote::tell(const QString& text) {
    if (!panel_)
        return;
    panel_->setText(text);
    told_ = text;
    shown_ = !text.isEmpty();
    caret_ = editor_.caretPosition();
}

void StatusNote::clear() {
    shown_ = false;
    // Another writer of the panel (the cost of a selection) may have taken
    // it since: only the note itself is taken back.
    if (panel_ && panel_->text() == told_)
        panel_->clear();
}

void StatusNote::caretMoved() {
    if (shown_ && editor_.caretPosition() != caret_)
        clear();
}

} // namespace quaredit
