#include "ui/editing/EditMenuCommands.h"

#include "core/app/ProductName.h"
#include "core/documents/TextSearch.h"
#include "ui/common/MenuMap.h"
#include "ui/common/TInputFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/editing/EditorServices.h"
#include "ui/editing/FindDialog.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QEvent>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

EditMenuCommands::EditMenuCommands(CommandContext context)
    : QObject(&context.window), ctx_(std::move(context)),
      FindDialog_(new FindDialog(&ctx_.window)) {
    const MenuMap& m = ctx_.menus;
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
    EditorAccess& editor = ctx_.editor;
    const FindStep step = findNext(editor.view(), needle, SearchStart, FindDialog_->options());
    SearchStart = step.nextStart;
    if (!step.match) {
        ctx_.services.messageBox(QStringLiteral("Text Not Found"), QStringLiteral("Find..."),
                                 MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    editor.setSelection(int(*step.match), int(needle.size()));
    // The selection moved without a key or mouse press in the editor; without
    // this the status bar, and the place where the reference tools insert,
    // would still be the old caret's.
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
