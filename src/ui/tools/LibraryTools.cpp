#include "ui/tools/LibraryTools.h"

#include "core/documents/Document.h"
#include "core/project/DirectiveScan.h"
#include "core/tools/Library.h"
#include "ui/app/TInputFrm.h"
#include "ui/app/TPFrm.h"
#include "ui/app/WindowServices.h"
#include "ui/documents/DocumentSet.h"
#include "ui/documents/EditorAccess.h"
#include "ui/documents/EditorServices.h"
#include "ui/tools/TLibWindowFrm.h"
#include "ui/tools/TPrjWizardFrm.h"

#include <QAction>

namespace quaredit {

LibraryTools::LibraryTools(TPFrm& window) : QObject(&window), window_(window) {
    const MenuMap& menus = window.menus();
    // The LibWindow button and the pop-up item trigger this same menu item.
    connect(menus.MNU_Tools_LibWin, &QAction::triggered, this,
            &LibraryTools::MNU_Tools_LibWinClick);
    connect(menus.MNU_Tools_NewLibEntry, &QAction::triggered, this,
            &LibraryTools::MNU_Tools_NewLibEntryClick);
    connect(menus.MNU_File_Wizard, &QAction::triggered, this, &LibraryTools::MNU_File_WizardClick);
}

LibraryTools::~LibraryTools() = default;

void LibraryTools::createWizard() {
    wizard_ = new TPrjWizardFrm(window_.services(), window_.dataFolders(), &window_);
}

void LibraryTools::createLibWindow() {
    libWindow_ = new TLibWindowFrm(window_.services(), &window_);
}

bool LibraryTools::runLibraryWindow() {
    if (!libWindow_)
        return false;
    EditorAccess& editor = window_.editor();
    // The window lists the libraries before its event loop starts; the
    // rewrite reads the text afresh once the window has closed.
    const auto outcome = libWindow_->run(editor.view(), window_.settings().includeFolder());
    if (outcome == TLibWindowFrm::Outcome::Ok) {
        editor.applyLineEdits(
            RewriteLibraryIncludes(editor.view(), libWindow_->selectedLibraries()));
        window_.editorServices().UpdateCaretStatus();
        window_.UpdateProjectTree();
    }
    return outcome == TLibWindowFrm::Outcome::Edit;
}

void LibraryTools::MNU_Tools_LibWinClick() {
    // The menus offer the window for program sources only; a shortcut or the
    // button must not reach it for another kind either.
    if (window_.documents().current().Kind != DocumentKind::ProgramSource)
        return;
    if (runLibraryWindow())
        window_.documents().OpenDocument(libWindow_->chosenHeader());
}

void LibraryTools::MNU_Tools_NewLibEntryClick() {
    const Document& doc = window_.documents().current();
    if (doc.Kind != DocumentKind::ProgramSource || !doc.IsLibrary)
        return;
    EditorAccess& editor = window_.editor();
    const int top = editor.firstVisibleLine();

    TInputFrm& input = window_.inputFrm();
    input.setWindowTitle(QStringLiteral("Insert Library Entry :"));
    input.setDigitsOnly(false);
    if (window_.services().execDialog(input) != QDialog::Accepted)
        return;
    const QString entry = input.text();

    const int caret = editor.caretPosition();
    const int line = editor.lineOfOffset(caret);
    const LibraryEntryResult r =
        InsertLibraryEntry(editor.view(), line, caret - editor.offsetOfLine(line), entry);
    editor.applyLineEdits(r.edits);
    editor.setSelectionStart(editor.offsetOfLine(r.caretLine) + r.caretColumn);
    window_.editorServices().UpdateCaretStatus();
    window_.editorServices().ScrollToLine(top);
}

void LibraryTools::MNU_File_WizardClick() {
    if (!wizard_ || window_.services().execDialog(*wizard_) != QDialog::Accepted)
        return;
    DocumentSet& documents = window_.documents();
    if (!documents.NewDocument(UntitledName))
        return;
    EditorAccess& editor = window_.editor();
    // One edit, so the new document counts as modified: an untouched
    // "[Untitled]" would be reused, and lost, by the next Open.
    editor.applyLineEdits({LineEdit::replace(0, wizard_->documentLines().join("\r\n"))});
    editor.setSelectionStart(0);
    window_.editorServices().UpdateCaretStatus();

    Document& doc = documents.current();
    doc.Kind = DocumentKind::ProgramSource;
    doc.IsLibrary = DetectLibrary(editor.view(), doc.Kind);
    // Whatever the window returns: a header chosen with Edit is not opened here.
    runLibraryWindow();
    window_.UpdateProjectTree();
}

} // namespace quaredit
