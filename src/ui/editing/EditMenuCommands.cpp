#include "ui/editing/EditMenuCommands.h"

#include "core/app/ProductName.h"
#include "core/asm/EditRules.h"
#include "core/documents/TextSearch.h"
#include "ui/common/MenuMap.h"
#include "ui/common/TInputFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorServices.h"
#include "ui/editing/FindDialog.h"
#include "ui/editor/EditNotices.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

EditMenuCommands::EditMenuCommands(CommandContext context)
    : QObject(&context.window), ctx_(std::move(context)),
      FindDialog_(new FindDialog(&ctx_.window)) {
    const MenuMap& m = ctx_.menus;
    connect(m.MNU_Edit_Undo, &QAction::triggered, this, &EditMenuCommands::MNU_Edit_UndoClick);
    connect(m.MNU_Edit_Redo, &QAction::triggered, this, &EditMenuCommands::MNU_Edit_RedoClick);
    connect(m.MNU_Edit_FindNext, &QAction::triggered, this,
            &EditMenuCommands::MNU_Edit_FindNextClick);
    connect(m.MNU_Edit_FindPrevious, &QAction::triggered, this,
            &EditMenuCommands::MNU_Edit_FindPreviousClick);
    connect(m.MNU_Edit_Comment, &QAction::triggered, this,
            &EditMenuCommands::MNU_Edit_CommentClick);
    connect(m.POPUPED_Delete, &QAction::triggered, &ctx_.editorWidget,
            &QsciScintilla::removeSelectedText);
    connect(m.PopMnuEditor, &QMenu::aboutToShow, this, &EditMenuCommands::updatePopupItems);
    // What there is to undo changes with each edit and with the document shown.
    connect(&ctx_.editor.notices(), &EditNotices::changed, this, &EditMenuCommands::updateUndoRedo);
    connect(&ctx_.documents, &DocumentSet::currentDocumentChanged, this,
            &EditMenuCommands::updateUndoRedo);
    connect(&ctx_.documents, &DocumentSet::documentLoaded, this, &EditMenuCommands::updateUndoRedo);
    updateUndoRedo();
    connect(m.MNU_Edit_Cut, &QAction::triggered, this, &EditMenuCommands::MNU_Edit_CutClick);
    connect(m.MNU_Edit_Copy, &QAction::triggered, this, &EditMenuCommands::MNU_Edit_CopyClick);
    connect(m.MNU_Edit_Paste, &QAction::triggered, this, &EditMenuCommands::MNU_Edit_PasteClick);
    connect(m.MNU_Edit_SelectAll, &QAction::triggered, this,
            &EditMenuCommands::MNU_Edit_SelectAllClick);
    connect(m.MNU_Edit_Find, &QAction::triggered, this, &EditMenuCommands::MNU_Edit_FindClick);
    connect(m.MNU_Edit_GotoLine, &QAction::triggered, this,
            &EditMenuCommands::MNU_Edit_GotoLineClick);
    connect(FindDialog_, &FindDialog::findNext, this, &EditMenuCommands::FindDialog_OnFind);

    // Keys reach the editor itself, mouse presses its viewport.
    QsciScintilla* editor = &ctx_.editorWidget;
    editor->installEventFilter(this);
    editor->viewport()->installEventFilter(this);
}

EditMenuCommands::~EditMenuCommands() = default;

void EditMenuCommands::MNU_Edit_UndoClick() {
    ctx_.editorWidget.undo();
    updateUndoRedo();
    ctx_.editorServices.UpdateCaretStatus();
}

void EditMenuCommands::MNU_Edit_RedoClick() {
    ctx_.editorWidget.redo();
    updateUndoRedo();
    ctx_.editorServices.UpdateCaretStatus();
}

void EditMenuCommands::updateUndoRedo() {
    const MenuMap& m = ctx_.menus;
    m.MNU_Edit_Undo->setEnabled(ctx_.editorWidget.isUndoAvailable());
    m.MNU_Edit_Redo->setEnabled(ctx_.editorWidget.isRedoAvailable());
}

// The pop-up offers what can be done where the user clicked.
void EditMenuCommands::updatePopupItems() {
    updateUndoRedo();
    const MenuMap& m = ctx_.menus;
    const bool selection = ctx_.editorWidget.hasSelectedText();
    m.POPUPED_Undo->setEnabled(m.MNU_Edit_Undo->isEnabled());
    m.POPUPED_Redo->setEnabled(m.MNU_Edit_Redo->isEnabled());
    m.POPUPED_Cut->setEnabled(selection);
    m.POPUPED_Copy->setEnabled(selection);
    m.POPUPED_Delete->setEnabled(selection);
    const QClipboard* clipboard = QGuiApplication::clipboard();
    m.POPUPED_Paste->setEnabled(clipboard && !clipboard->text().isEmpty());
}

void EditMenuCommands::MNU_Edit_CutClick() {
    ctx_.editorWidget.cut();
}

void EditMenuCommands::MNU_Edit_CopyClick() {
    ctx_.editorWidget.copy();
}

void EditMenuCommands::MNU_Edit_PasteClick() {
    ctx_.editorWidget.paste();
}

void EditMenuCommands::MNU_Edit_SelectAllClick() {
    ctx_.editorWidget.selectAll();
}

void EditMenuCommands::MNU_Edit_FindClick() {
    FindDialog_->present();
}

void EditMenuCommands::FindDialog_OnFind() {
    const QString needle = FindDialog_->searchText();
    const FindStep step = findNext(ctx_.editor.view(), needle, SearchStart, FindDialog_->options());
    SearchStart = step.nextStart;
    if (!step.match)
        return textNotFound();
    showMatch(*step.match, needle.size());
}

void EditMenuCommands::MNU_Edit_FindNextClick() {
    // Nothing searched yet: the find box asks what to look for.
    if (FindDialog_->searchText().isEmpty())
        return MNU_Edit_FindClick();
    FindDialog_OnFind();
}

void EditMenuCommands::MNU_Edit_FindPreviousClick() {
    const QString needle = FindDialog_->searchText();
    if (needle.isEmpty())
        return MNU_Edit_FindClick();
    const FindStep step =
        findPrevious(ctx_.editor.view(), needle, SearchStart, FindDialog_->options());
    SearchStart = step.nextStart;
    if (!step.match)
        return textNotFound();
    showMatch(*step.match, needle.size());
}

void EditMenuCommands::textNotFound() {
    ctx_.services.messageBox(QStringLiteral("Text Not Found"), QStringLiteral("Find..."),
                             MsgIcon::Information, MsgButtons::Ok);
}

void EditMenuCommands::showMatch(qsizetype at, qsizetype length) {
    ctx_.editor.setSelection(int(at), int(length));
    // The selection moved without a key or mouse press in the editor; without
    // this the status bar, and the place where the reference tools insert,
    // would still be the old caret's.
    ctx_.editorServices.UpdateCaretStatus();
}

void EditMenuCommands::MNU_Edit_CommentClick() {
    EditorAccess& editor = ctx_.editor;
    const int start = editor.selectionStart();
    const int length = editor.selectionLength();
    const int first = editor.lineOfOffset(start);
    int last = editor.lineOfOffset(start + length);
    // A selection that ends at the start of a line leaves that line out.
    if (length > 0 && last > first && editor.offsetOfLine(last) == start + length)
        --last;
    QVector<QByteArray> lines;
    for (int i = first; i <= last; ++i)
        lines.append(editor.line(i).toLatin1());
    const CommentToggle toggle = toggleLineComments(lines);
    LineEdits edits;
    for (int i = 0; i < lines.size(); ++i)
        if (toggle.lines[i] != lines[i])
            edits.append(LineEdit::replace(first + i, QString::fromLatin1(toggle.lines[i])));
    if (edits.isEmpty())
        return;
    const int caretColumn = editor.caretPosition() - editor.offsetOfLine(first);
    editor.applyLineEdits(edits);
    if (length > 0 || last > first) {
        // The lines stay selected, so that a second press takes it back.
        const int from = editor.offsetOfLine(first);
        const int to = editor.offsetOfLine(last) + int(editor.line(last).size());
        editor.setSelection(from, to - from);
    } else {
        const int shift = toggle.lines[0].size() - lines[0].size();
        const int column =
            qBound(0, caretColumn + (caretColumn > 0 ? shift : 0), int(toggle.lines[0].size()));
        editor.setSelectionStart(editor.offsetOfLine(first) + column);
    }
    ctx_.editorServices.UpdateCaretStatus();
}

void EditMenuCommands::MNU_Edit_GotoLineClick() {
    TInputFrm& input = ctx_.input();
    input.setWindowTitle(QStringLiteral("Goto Line Number"));
    input.setDigitsOnly(true);
    const int result = ctx_.services.execDialog(input);
    input.setDigitsOnly(false);
    if (result != QDialog::Accepted)
        return;

    EditorAccess& editor = ctx_.editor;
    // The editor counts an empty line after a final line break; the text's
    // lines end with their last line break.
    int lines = editor.lineCount();
    if (lines > 0 && editor.line(lines - 1).isEmpty())
        --lines;
    const GotoLineTarget target = gotoLineTarget(input.text(), lines);
    if (!target.line) {
        ctx_.services.messageBox(target.error, ProductName, MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    editor.setSelectionStart(editor.offsetOfLine(*target.line));
    ctx_.editorServices.ScrollToLine(*target.line);
}

bool EditMenuCommands::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        Editor_KeyPress();
        break;
    case QEvent::KeyRelease:
        Editor_KeyUp();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        Editor_MouseDown();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void EditMenuCommands::Editor_KeyPress() {
    updateCaretStatusAfterEvent();
}

void EditMenuCommands::Editor_KeyUp() {
    updateCaretStatusAfterEvent();
}

void EditMenuCommands::Editor_MouseDown() {
    updateCaretStatusAfterEvent();
}

void EditMenuCommands::updateCaretStatusAfterEvent() {
    // The filter sees the event before the editor has moved the caret, so the
    // status is read once the event has been handled.
    if (caretUpdatePending_)
        return;
    caretUpdatePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            caretUpdatePending_ = false;
            ctx_.editorServices.UpdateCaretStatus();
        },
        Qt::QueuedConnection);
}

} // namespace quaredit
