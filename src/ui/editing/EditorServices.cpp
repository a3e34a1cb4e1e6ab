#include "ui/editing/EditorServices.h"

#include "core/documents/CaretStatus.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"

#include <QLabel>

namespace quaredit {

EditorServices::EditorServices(EditorAccess& editor, DocumentSet& documents, QLabel* caretPanel)
    : editor_(editor), documents_(documents), caretPanel_(caretPanel) {}

void EditorServices::UpdateCaretStatus() {
    const int lineStart = editor_.offsetOfLine(editor_.lineOfOffset(editor_.caretPosition()));
    const CaretPosition pos =
        caretStatus(lineStart, editor_.selectionStart(), editor_.selectionLength(),
                    [this](int offset) { return editor_.lineOfOffset(offset); });
    Document& doc = documents_.current();
    doc.CaretLine = pos.line;
    doc.CaretColumn = pos.column;
    caretPanel_->setText(caretStatusText(pos));
    if (caretListener_)
        caretListener_();
}

void EditorServices::InsertAtCaret(const QString& text) {
    const Document& doc = documents_.current();
    const int k = doc.CaretLine;
    const int c = doc.CaretColumn;
    const int selStart = editor_.selectionStart();
    if (k >= editor_.lineCount())
        return;
    QString line = editor_.line(k);
    line.insert(qMin(c, int(line.size())), text);
    editor_.replaceLine(k, line);
    editor_.setSelectionStart(selStart + int(text.size()));
    UpdateCaretStatus();
}

void EditorServices::ScrollToLine(int line) {
    editor_.scrollLines(line - editor_.firstVisibleLine());
    UpdateCaretStatus();
}

} // namespace quaredit
