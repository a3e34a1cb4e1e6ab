#pragma once

#include <QString>

class QAction;
class QMainWindow;
class QMenu;

namespace quaredit {

// Every menu, item and pop-up item of the main window, created in one place
// with its caption, shortcut and hint. Items whose command lives in another
// subsystem are connected by that subsystem.
struct MenuMap {
    QMenu* MNU_File = nullptr;
    QAction* MNU_File_NewFile = nullptr;
    QAction* MNU_File_Wizard = nullptr;
    QAction* MNU_File_OpenFile = nullptr;
    QMenu* MNU_File_Reopen = nullptr;
    QAction* MNU_File_Save = nullptr;
    QAction* MNU_File_SaveAs = nullptr;
    QAction* MNU_File_Close = nullptr;
    QAction* MNU_File_CloseAll = nullptr;
    QAction* MNU_File_Exit = nullptr;

    QMenu* MNU_Edit = nullptr;
    QAction* MNU_Edit_Undo = nullptr;
    QAction* MNU_Edit_Redo = nullptr;
    QAction* MNU_Edit_Cut = nullptr;
    QAction* MNU_Edit_Copy = nullptr;
    QAction* MNU_Edit_Paste = nullptr;
    QAction* MNU_Edit_SelectAll = nullptr;
    QAction* MNU_Edit_GotoLine = nullptr;
    QAction* MNU_Edit_Find = nullptr;
    QAction* MNU_Edit_FindNext = nullptr;
    QAction* MNU_Edit_FindPrevious = nullptr;
    QAction* MNU_Edit_Replace = nullptr;
    QAction* MNU_Edit_GotoDefinition = nullptr;
    QAction* MNU_Edit_GoBack = nullptr;
    QAction* MNU_Edit_Comment = nullptr;

    QMenu* MNU_Tools = nullptr;
    QAction* MNU_Tools_TblChar = nullptr;
    QAction* MNU_Tools_ScanC = nullptr;
    QAction* MNU_Tools_LibWin = nullptr;
    QAction* MNU_Tools_LblVarWin = nullptr;
    QAction* MNU_Tools_NewSprite = nullptr;
    QAction* N13 = nullptr;
    QAction* MNU_Tools_NewLibEntry = nullptr;

    QMenu* MNU_User = nullptr;

    QMenu* MNU_Quaro = nullptr;
    QAction* MNU_Quaro_Compile = nullptr;

    QMenu* MNU_Options = nullptr;
    QAction* MNU_Options_General = nullptr;
    QAction* MNU_Options_UsrPrg = nullptr;
    QAction* MNU_Options_UsrFile = nullptr;

    QMenu* MNU_Help = nullptr;
    QAction* MNU_Help_Contents = nullptr;
    QAction* MNU_Help_About = nullptr;

    QMenu* PopMnuEditor = nullptr;
    QAction* POPUPED_Undo = nullptr;
    QAction* POPUPED_Redo = nullptr;
    QAction* POPUPED_Cut = nullptr;
    QAction* POPUPED_Copy = nullptr;
    QAction* POPUPED_Paste = nullptr;
    QAction* POPUPED_Delete = nullptr;
    QAction* POPUPED_SelectAll = nullptr;
    QAction* POPUPED_Compil = nullptr;
    QAction* N5 = nullptr;
    QAction* POPUPED_TblChar = nullptr;
    QAction* POPUPED_ScanC = nullptr;
    QAction* POPUPED_LibWin = nullptr;
    QAction* POPUPED_LabVarWin = nullptr;
    QAction* POPUPED_Close = nullptr;

    // Builds the menu bar of `window` and the editor pop-up menu.
    void build(QMainWindow* window);

    // The action whose objectName is `name`, or nullptr.
    QAction* action(const QString& name) const;

private:
    QMainWindow* window_ = nullptr;
};

} // namespace quaredit
