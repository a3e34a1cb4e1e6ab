#pragma once

#include "ui/documents/CommandContext.h"

#include <QObject>

namespace quaredit {

class TLibWindowFrm;
class TPrjWizardFrm;

// The library window, Insert Library Entry and the new-program wizard, wired
// into the main window's menus. Each command reads the current document,
// lets core compute the change and applies it as one undoable edit.
class LibraryTools : public QObject {
    Q_OBJECT
public:
    explicit LibraryTools(CommandContext context);
    ~LibraryTools() override;

    // The two dialogs live as long as the main window, created with the others.
    void createWizard();
    void createLibWindow();
    TPrjWizardFrm* wizard() const { return wizard_; }
    TLibWindowFrm* libWindow() const { return libWindow_; }

    void MNU_Tools_LibWinClick();
    void MNU_Tools_NewLibEntryClick();
    void MNU_File_WizardClick();

private:
    // Shows the library window and rewrites the includes on OK; true when
    // it closed through Edit.
    bool runLibraryWindow();

    const CommandContext ctx_;
    TPrjWizardFrm* wizard_ = nullptr;
    TLibWindowFrm* libWindow_ = nullptr;
};

} // namespace quaredit
