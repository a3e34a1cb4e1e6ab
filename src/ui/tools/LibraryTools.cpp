#include "ui/tools/LibraryTools.h"

#include "core/documents/Document.h"
#include "core/settings/Settings.h"
#include "core/tools/Library.h"
#include "ui/common/MenuMap.h"
#include "ui/common/TInputFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorServices.h"
#include "ui/editor/EditorAccess.h"
#include "ui/tools/TLibWindowFrm.h"
#include "ui/tools/TPrjWizardFrm.h"

#include <QAction>

namespace quaredit {

LibraryTools::LibraryTools(CommandContext context)
    : QObject(&context.window), ctx_(std::move(context)) {
    const MenuMap& menus = ctx_.menus;
    // The LibWindow button and the pop-up item trigger this same menu item.
    connect(menus.MNU_Tools_LibWin, &QAction::triggered, this,
            &LibraryTools::MNU_Tools_LibWinClick);
    connect(menus.MNU_Tools_NewLibEntry, &QAction::triggered, this,
            &LibraryTools::MNU_Tools_NewLibEntryClick);
    connect(menus.MNU_File_Wizard, &QAction::triggered, this, &LibraryTools::MNU_File_WizardClick);
}

LibraryTools::~LibraryTools() = default;

void LibraryTools::createWizard() {
    wizard_ = new TPrjWizardFrm(ctx_.services, ctx_.dataFolders, &ctx_.window);
}

void LibraryTools::createLibWindow() {
    libWindow_ = new TLibWindowFrm(ctx_.services, &ctx_.window);
}

bool LibraryTools::runLibraryWindow() {
    if (!libWindow_)
        return false;
    EditorAccess& editor = ctx_.editor;
    // The window lists the libraries before its event loop starts; the
    // rewrite reads the text afresh once the window has closed.
    const auto outcome = libWindow_->run(editor.view(), ctx_.settings.includeFolder());
    if (outcome == TLibWindowFrm::Outcome::Ok) {
        ctx_.documents.applyLineEdits(
            RewriteLibraryIncludes(editor.view(), libWindow_->selectedLibraries()));
        ctx_.editorServices.UpdateCaretStatus();
    }
    return outcome == TLibWindowFrm::Outcome::Edit;
}

void LibraryTools::MNU_Tools_LibWinClick() {
    // The menus offer the window for program sources only; a shortcut or the
    // button must not reach it for another kind either.
    if (ctx_.documents.current().Kind != DocumentKind::ProgramSource)
        return;
    if (runLibraryWindow())
        ctx_.documents.OpenDocument(libWindow_->chosenHeader());
}

void LibraryTools::MNU_Tools_NewLibEntryClick() {
    const Document& doc = ctx_.documents.current();
    if (doc.Kind != DocumentKind::ProgramSource || !doc.IsLibrary)
        return;
    EditorAccess& editor = ctx_.editor;
    const int top = editor.firstVisibleLine();

    TInputFrm& input = ctx_.input();
    input.setWindowTitle(QStringLiteral("Insert Library Entry :"));
    input.setDigitsOnly(false);
    if (ctx_.services.execDialog(input) != QDialog::Accepted)
        return;
    const QString entry = input.text();

    const int caret = editor.caretPosition();
    const int line = editor.lineOfOffset(caret);
    const LibraryEntryResult r =
        InsertLibraryEntry(editor.view(), line, caret - editor.offsetOfLine(line), entry);
    ctx_.documents.applyLineEdits(r.edits);
    editor.setSelectionStart(editor.offsetOfLine(r.caretLine) + r.caretColumn);
    ctx_.editorServices.UpdateCaretStatus();
    ctx_.editorServices.ScrollToLine(top);
}

void LibraryTools::MNU_File_WizardClick() {
    if (!wizard_ || ctx_.services.execDialog(*wizard_) != QDialog::Accepted)
        return;
    DocumentSet& documents = ctx_.documents;
    if (!documents.NewDocument(UntitledName))
        return;
    EditorAccess& editor = ctx_.editor;
    // One edit, so the new document counts as modified: an untouched
    // "[Untitled]" would be reused, and lost, by the next Open.
    documents.applyLineEdits({LineEdit::replace(0, wizard_->documentLines().join("\r\n"))});
    editor.setSelectionStart(0);
    ctx_.editorServices.UpdateCaretStatus();
    documents.setCurrentKind(DocumentKind::ProgramSource);
    // Whatever the window returns: a header chosen with Edit is not opened here.
    runLibraryWindow();
}

} // namespace quaredit
