#include "ui/common/MenuMap.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quaredit {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
              const QString& hint) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    a->setStatusTip(hint);
    a->setToolTip(hint.isEmpty() ? caption : hint);
    return a;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* s = menu->addSeparator();
    s->setObjectName(QLatin1String(name));
    return s;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    return m;
}

} // namespace

void MenuMap::build(QMainWindow* window) {
    window_ = window;
    QMenuBar* bar = window->menuBar();
    const QKeySequence none;

    MNU_File = menu(bar, "MNU_File", QStringLiteral("File"));
    MNU_File_NewFile =
        item(MNU_File, "MNU_File_NewFile", QStringLiteral("&New File"),
             QKeySequence(Qt::CTRL | Qt::Key_N), QStringLiteral("Create a new file"));
    MNU_File_Wizard = item(MNU_File, "MNU_File_Wizard", QStringLiteral("New Program &Wizard"),
                           QKeySequence(Qt::CTRL | Qt::Key_W),
                           QStringLiteral("Help you to create a new program"));
    separator(MNU_File, "N1");
    MNU_File_OpenFile = item(MNU_File, "MNU_File_OpenFile", QStringLiteral("&Open File"),
                             QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("Open a file"));
    MNU_File_Reopen = MNU_File->addMenu(QStringLiteral("&Reopen"));
    MNU_File_Reopen->setObjectName(QStringLiteral("MNU_File_Reopen"));
    MNU_File_Reopen->menuAction()->setObjectName(QStringLiteral("MNU_File_Reopen"));
    MNU_File_Reopen->setEnabled(false);
    separator(MNU_File, "N2");
    MNU_File_Save = item(MNU_File, "MNU_File_Save", QStringLiteral("&Save"),
                         QKeySequence(Qt::CTRL | Qt::Key_S), QStringLiteral("Save current file"));
    MNU_File_SaveAs = item(MNU_File, "MNU_File_SaveAs", QStringLiteral("Save &As"), none,
                           QStringLiteral("Save Current file as"));
    separator(MNU_File, "N3");
    MNU_File_Close =
        item(MNU_File, "MNU_File_Close", QStringLiteral("&Close"),
             QKeySequence(Qt::CTRL | Qt::Key_Delete), QStringLiteral("Close current file"));
    MNU_File_CloseAll = item(MNU_File, "MNU_File_CloseAll", QStringLiteral("C&lose All"), none,
                             QStringLiteral("Close all the files"));
    separator(MNU_File, "N8");
    MNU_File_Exit = item(MNU_File, "MNU_File_Exit", QStringLiteral("&Exit"), none,
                         QStringLiteral("Exit Program"));

    MNU_Edit = menu(bar, "MNU_Edit", QStringLiteral("&Edit"));
    MNU_Edit_Undo =
        item(MNU_Edit, "MNU_Edit_Undo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
             QStringLiteral("Undo the last change"));
    MNU_Edit_Redo =
        item(MNU_Edit, "MNU_Edit_Redo", QStringLiteral("R&edo"), QKeySequence(Qt::CTRL | Qt::Key_Y),
             QStringLiteral("Redo the change undone"));
    MNU_Edit_Redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    separator(MNU_Edit, "N15");
    MNU_Edit_Cut = item(MNU_Edit, "MNU_Edit_Cut", QStringLiteral("&Cut"),
                        QKeySequence(Qt::CTRL | Qt::Key_X), QStringLiteral("Cut the selection"));
    MNU_Edit_Copy =
        item(MNU_Edit, "MNU_Edit_Copy", QStringLiteral("Co&py"), QKeySequence(Qt::CTRL | Qt::Key_C),
             QStringLiteral("Copy the selection to clipboard"));
    MNU_Edit_Paste =
        item(MNU_Edit, "MNU_Edit_Paste", QStringLiteral("&Paste"),
             QKeySequence(Qt::CTRL | Qt::Key_V), QStringLiteral("Paste from clipboard"));
    MNU_Edit_SelectAll =
        item(MNU_Edit, "MNU_Edit_SelectAll", QStringLiteral("&Select All"),
             QKeySequence(Qt::CTRL | Qt::Key_A), QStringLiteral("Select all the text"));
    separator(MNU_Edit, "N6");
    MNU_Edit_GotoLine = item(MNU_Edit, "MNU_Edit_GotoLine", QStringLiteral("&Goto Line Number"),
                             QKeySequence(Qt::CTRL | Qt::Key_G), QString());
    MNU_Edit_Find = item(MNU_Edit, "MNU_Edit_Find", QStringLiteral("&Find..."),
                         QKeySequence(Qt::CTRL | Qt::Key_F), QStringLiteral("Find a string"));
    MNU_Edit_FindNext =
        item(MNU_Edit, "MNU_Edit_FindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3),
             QStringLiteral("Find the next occurrence of the last string searched"));
    MNU_Edit_FindPrevious =
        item(MNU_Edit, "MNU_Edit_FindPrevious", QStringLiteral("Find Pre&vious"),
             QKeySequence(Qt::SHIFT | Qt::Key_F3),
             QStringLiteral("Find the previous occurrence of the last string searched"));
    MNU_Edit_Replace =
        item(MNU_Edit, "MNU_Edit_Replace", QStringLiteral("&Replace..."),
             QKeySequence(Qt::CTRL | Qt::Key_H), QStringLiteral("Replace a string by another"));
    separator(MNU_Edit, "N14");
    MNU_Edit_GotoDefinition =
        item(MNU_Edit, "MNU_Edit_GotoDefinition", QStringLiteral("Go to &Definition"),
             QKeySequence(Qt::Key_F12),
             QStringLiteral("Go to the line that defines the name at the caret"));
    MNU_Edit_GoBack = item(MNU_Edit, "MNU_Edit_GoBack", QStringLiteral("Go &Back"),
                           QKeySequence(Qt::ALT | Qt::Key_Left),
                           QStringLiteral("Go back to where you were before the jump"));
    separator(MNU_Edit, "N16");
    // Ctrl+/ moves the editor's caret by word parts; Ctrl+Q is free.
    MNU_Edit_Comment =
        item(MNU_Edit, "MNU_Edit_Comment", QStringLiteral("Comment/Uncomment &Lines"),
             QKeySequence(Qt::CTRL | Qt::Key_Q),
             QStringLiteral("Put a \";\" before the selected lines, or take it away"));

    MNU_Tools = menu(bar, "MNU_Tools", QStringLiteral("&Tools"));
    MNU_Tools_TblChar =
        item(MNU_Tools, "MNU_Tools_TblChar", QStringLiteral("&TI92 Char Table"),
             QKeySequence(Qt::CTRL | Qt::Key_T), QStringLiteral("Show the TI92 table of chars"));
    MNU_Tools_ScanC =
        item(MNU_Tools, "MNU_Tools_ScanC", QStringLiteral("TI92 &KeyCodes Window"),
             QKeySequence(Qt::CTRL | Qt::Key_K), QStringLiteral("Show the keycodes of a key"));
    MNU_Tools_LibWin =
        item(MNU_Tools, "MNU_Tools_LibWin", QStringLiteral("&Library Window"), none, QString());
    MNU_Tools_LblVarWin =
        item(MNU_Tools, "MNU_Tools_LblVarWin", QStringLiteral("Labels && Variables Window"), none,
             QStringLiteral("Show all the labels & variables of the file"));
    MNU_Tools_NewSprite = item(MNU_Tools, "MNU_Tools_NewSprite",
                               QStringLiteral("Insert &Sprite data"), none, QString());
    N13 = separator(MNU_Tools, "N13");
    MNU_Tools_NewLibEntry = item(MNU_Tools, "MNU_Tools_NewLibEntry",
                                 QStringLiteral("&Insert Library Entry"), none, QString());

    MNU_User = menu(bar, "MNU_User", QStringLiteral("&User"));
    MNU_User->menuAction()->setVisible(false);

    MNU_Quaro = menu(bar, "MNU_Quaro", QStringLiteral("&Compilator"));
    MNU_Quaro_Compile =
        item(MNU_Quaro, "MNU_Quaro_Compile", QStringLiteral("&Compilation"),
             QKeySequence(Qt::Key_F9), QStringLiteral("Run quaro.bat to compile the program"));
    // F9 works whatever the document is, also while the menu is hidden; the
    // command itself refuses what it cannot compile.
    MNU_Quaro_Compile->setShortcutContext(Qt::ApplicationShortcut);
    window->addAction(MNU_Quaro_Compile);

    MNU_Options = menu(bar, "MNU_Options", QStringLiteral("&Options"));
    MNU_Options_General =
        item(MNU_Options, "MNU_Options_General", QStringLiteral("&General Options"), none,
             QStringLiteral("General Options"));
    MNU_Options_UsrPrg =
        item(MNU_Options, "MNU_Options_UsrPrg", QStringLiteral("User &Programs"), none, QString());
    MNU_Options_UsrFile =
        item(MNU_Options, "MNU_Options_UsrFile", QStringLiteral("User &Files"), none, QString());

    MNU_Help = menu(bar, "MNU_Help", QStringLiteral("&?"));
    MNU_Help_Contents =
        item(MNU_Help, "MNU_Help_Contents", QStringLiteral("&Contents"), none, QString());
    separator(MNU_Help, "N7");
    MNU_Help_About = item(MNU_Help, "MNU_Help_About", QStringLiteral("&About..."), none,
                          QStringLiteral("Show the about Window"));

    PopMnuEditor = new QMenu(window);
    PopMnuEditor->setObjectName(QStringLiteral("PopMnuEditor"));
    POPUPED_Undo = item(PopMnuEditor, "POPUPED_Undo", QStringLiteral("&Undo"), none, QString());
    POPUPED_Redo = item(PopMnuEditor, "POPUPED_Redo", QStringLiteral("&Redo"), none, QString());
    separator(PopMnuEditor, "N17");
    POPUPED_Cut = item(PopMnuEditor, "POPUPED_Cut", QStringLiteral("Cu&t"), none, QString());
    POPUPED_Copy = item(PopMnuEditor, "POPUPED_Copy", QStringLiteral("Cop&y"), none, QString());
    POPUPED_Paste = item(PopMnuEditor, "POPUPED_Paste", QStringLiteral("&Paste"), none, QString());
    POPUPED_Delete =
        item(PopMnuEditor, "POPUPED_Delete", QStringLiteral("&Delete"), none, QString());
    POPUPED_SelectAll =
        item(PopMnuEditor, "POPUPED_SelectAll", QStringLiteral("Select &All"), none, QString());
    separator(PopMnuEditor, "N18");
    POPUPED_Compil =
        item(PopMnuEditor, "POPUPED_Compil", QStringLiteral("Compilation"), none, QString());
    N5 = separator(PopMnuEditor, "N5");
    POPUPED_TblChar =
        item(PopMnuEditor, "POPUPED_TblChar", QStringLiteral("TI92 Table Char"), none, QString());
    POPUPED_ScanC = item(PopMnuEditor, "POPUPED_ScanC", QStringLiteral("TI92 KeyCodes Window"),
                         none, QString());
    POPUPED_LibWin =
        item(PopMnuEditor, "POPUPED_LibWin", QStringLiteral("Library Window"), none, QString());
    POPUPED_LabVarWin = item(PopMnuEditor, "POPUPED_LabVarWin",
                             QStringLiteral("Labels && Variables Window"), none, QString());
    separator(PopMnuEditor, "N10");
    POPUPED_Close = item(PopMnuEditor, "POPUPED_Close", QStringLiteral("&Close "), none, QString());

    // The pop-up items run the same commands as their menu twins.
    const std::pair<QAction*, QAction*> twins[] = {{POPUPED_Compil, MNU_Quaro_Compile},
                                                   {POPUPED_TblChar, MNU_Tools_TblChar},
                                                   {POPUPED_ScanC, MNU_Tools_ScanC},
                                                   {POPUPED_LibWin, MNU_Tools_LibWin},
                                                   {POPUPED_LabVarWin, MNU_Tools_LblVarWin},
                                                   {POPUPED_Close, MNU_File_Close},
                                                   {POPUPED_Undo, MNU_Edit_Undo},
                                                   {POPUPED_Redo, MNU_Edit_Redo},
                                                   {POPUPED_Cut, MNU_Edit_Cut},
                                                   {POPUPED_Copy, MNU_Edit_Copy},
                                                   {POPUPED_Paste, MNU_Edit_Paste},
                                                   {POPUPED_SelectAll, MNU_Edit_SelectAll}};
    for (const auto& [popup, twin] : twins)
        QObject::connect(popup, &QAction::triggered, twin, &QAction::trigger);
}

QAction* MenuMap::action(const QString& name) const {
    if (!window_)
        return nullptr;
    const auto all = window_->findChildren<QAction*>(name);
    return all.isEmpty() ? nullptr : all.first();
}

} // namespace quaredit
