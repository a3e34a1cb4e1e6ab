#pragma once

#include <QString>

class QLabel;

namespace quaredit {

class DocumentSet;
class EditorAccess;

// The services around the editor that other commands call: the caret
// status, inserting at the caret, scrolling a line to the top, finding the
// line of a text.
class EditorServices {
public:
    EditorServices(EditorAccess& editor, DocumentSet& documents, QLabel* caretPanel);

    void UpdateCaretStatus();
    void InsertAtCaret(const QString& text);
    void ScrollToLine(int line);

private:
    EditorAccess& editor_;
    DocumentSet& documents_;
    QLabel* caretPanel_;
};

} // namespace quaredit
