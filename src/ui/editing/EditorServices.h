#pragma once

#include <QString>
#include <functional>

class QLabel;

namespace quaredit {

class DocumentSet;
class EditorAccess;

// What the source tools and reference tables do to the current document
// through the editor: keep the caret status current, insert a text at the
// caret as an ordinary edit, and scroll a line to the top.
class EditorServices {
public:
    EditorServices(EditorAccess& editor, DocumentSet& documents, QLabel* caretPanel);

    void UpdateCaretStatus();
    void InsertAtCaret(const QString& text);
    void ScrollToLine(int line);

    // Told after each caret status update: every caret move a key, a click
    // or a command makes ends in one.
    void setCaretListener(std::function<void()> listener) { caretListener_ = std::move(listener); }

private:
    EditorAccess& editor_;
    DocumentSet& documents_;
    QLabel* caretPanel_;
    std::function<void()> caretListener_;
};

} // namespace quaredit
