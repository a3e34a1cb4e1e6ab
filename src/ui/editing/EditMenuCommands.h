#pragma once

#include "ui/documents/CommandContext.h"

#include <QObject>

namespace quaredit {

class FindDialog;

// The Edit menu's commands (undo, clipboard, find, go to line, comments)
// and the editor events that keep the caret status current. The main
// window owns one.
class EditMenuCommands : public QObject {
    Q_OBJECT
public:
    explicit EditMenuCommands(CommandContext context);
    ~EditMenuCommands() override;

    void MNU_Edit_UndoClick();
    void MNU_Edit_RedoClick();
    void MNU_Edit_CutClick();
    void MNU_Edit_CopyClick();
    void MNU_Edit_PasteClick();
    void MNU_Edit_SelectAllClick();
    void MNU_Edit_FindClick();
    void FindDialog_OnFind();
    void MNU_Edit_GotoLineClick();
    // F3 and Shift+F3: the find box's text and options, open or not.
    void MNU_Edit_FindNextClick();
    void MNU_Edit_FindPreviousClick();
    // ";" in the first column of the selected lines, or taken away.
    void MNU_Edit_CommentClick();

    // Undo and Redo are offered only when there is something to undo or redo.
    void updateUndoRedo();

    // Where the next find starts: one offset for the whole program, kept
    // across documents, edits and caret moves.
    qsizetype searchStart() const { return SearchStart; }
    FindDialog& findDialog() const { return *FindDialog_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Editor_KeyPress();
    void Editor_KeyUp();
    void Editor_MouseDown();
    void updateCaretStatusAfterEvent();
    void showMatch(qsizetype at, qsizetype length);
    void textNotFound();
    void updatePopupItems();

    const CommandContext ctx_;
    FindDialog* FindDialog_;
    qsizetype SearchStart = 0;
    bool caretUpdatePending_ = false;
};

} // namespace quaredit
