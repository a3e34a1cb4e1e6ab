#pragma once

#include <QObject>
#include <QString>

class QLabel;

namespace quaredit {

class EditorAccess;

// What a command tells in the status bar ("3 occurrences replaced"). The
// note speaks of the text and the caret as the command left them, so it
// goes away with the next edit or caret move, however made (a key, Undo, Go
// to line), and does not linger as if it spoke of the new state.
class StatusNote : public QObject {
    Q_OBJECT
public:
    StatusNote(QLabel* panel, EditorAccess& editor, QObject* parent);

    void tell(const QString& text);
    void clear();

private:
    void caretMoved();

    QLabel* panel_;
    EditorAccess& editor_;
    QString told_;
    bool shown_ = false;
    int caret_ = -1; // where the caret was when the note was told
};

} // namespace quaredit
