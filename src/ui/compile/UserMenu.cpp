#include "ui/build/UserMenu.h"

#include "core/build/UserPrograms.h"
#include "platform/build/ProcessStarter.h"
#include "ui/app/TInputFrm.h"
#include "ui/app/TPFrm.h"
#include "ui/app/WindowServices.h"
#include "ui/build/TUserFileFrm.h"
#include "ui/build/TUserPrgmFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/documents/EditorAccess.h"

#include <QAction>
#include <QMenu>

namespace quaredit {

UserMenu::UserMenu(TPFrm& window, ProcessStarter*& starter) : window_(window), starter_(starter) {
    const MenuMap& m = window_.menus();
    QObject::connect(m.MNU_Options_UsrPrg, &QAction::triggered, &window_,
                     [this] { MNU_Options_UsrPrgClick(); });
    QObject::connect(m.MNU_Options_UsrFile, &QAction::triggered, &window_,
                     [this] { MNU_Options_UsrFileClick(); });
}

void UserMenu::createUserPrgmFrm() {
    UserPrgmFrm = new TUserPrgmFrm(window_.services(), &window_);
}

void UserMenu::createUserFileFrm() {
    UserFileFrm = new TUserFileFrm(window_.services(), &window_);
}

void UserMenu::MNU_Options_UsrPrgClick() {
    UserPrgmFrm->setSource(window_.settings().UserPrograms);
    if (window_.services().execDialog(*UserPrgmFrm) != QDialog::Accepted)
        return;
    window_.settings().UserPrograms = UserPrgmFrm->edited();
    if (SaveUserPrograms(window_.store(), window_.settings().UserPrograms))
        UpdateUserMenu();
}

void UserMenu::MNU_Options_UsrFileClick() {
    UserFileFrm->setSource(window_.settings().UserFiles);
    if (window_.services().execDialog(*UserFileFrm) != QDialog::Accepted)
        return;
    window_.settings().UserFiles = UserFileFrm->edited();
    if (SaveUserFiles(window_.store(), window_.settings().UserFiles))
        UpdateUserMenu();
}

void UserMenu::UpdateUserMenu() {
    QMenu* menu = window_.menus().MNU_User;
    menu->clear();
    programCommands_.clear();
    fileCommands_.clear();
    const Settings& s = window_.settings();
    menu->menuAction()->setVisible(!s.UserPrograms.isEmpty() || !s.UserFiles.isEmpty());
    for (int i = 0; i < s.UserPrograms.size(); ++i) {
        QAction* a = menu->addAction(s.UserPrograms[i].MnuName);
        QObject::connect(a, &QAction::triggered, &window_, [this, i] { RunUserProgram(i); });
        programCommands_.append(a);
    }
    if (!s.UserPrograms.isEmpty() && !s.UserFiles.isEmpty())
        menu->addSeparator();
    for (int i = 0; i < s.UserFiles.size(); ++i) {
        QAction* a = menu->addAction(s.UserFiles[i].ShortName);
        QObject::connect(a, &QAction::triggered, &window_, [this, i] { OpenUserFile(i); });
        fileCommands_.append(a);
    }
}

void UserMenu::RunUserProgram(int index) {
    const QVector<UserProgram>& programs = window_.settings().UserPrograms;
    if (index < 0 || index >= programs.size())
        return;
    const UserProgram program = programs[index];
    ArgumentSources sources;
    if (program.Arg == ArgInline) {
        TInputFrm& input = window_.inputFrm();
        input.setWindowTitle(QStringLiteral("Inline Argument"));
        input.setDigitsOnly(false);
        if (window_.services().execDialog(input) != QDialog::Accepted)
            return;
        sources.inlineText = input.text();
    }
    sources.fullPath = window_.documents().current().FullPath;
    sources.selection = window_.editor().selectedText();
    const auto command =
        userProgramCommand(program.CmdName, userProgramArgument(program.Arg, sources));
    if (!command || !starter_->startDetached(command->program, command->arguments, QString(),
                                             showStateOf(program.WinState)))
        window_.services().messageBox(QStringLiteral("Error when trying to run the file"),
                                      QStringLiteral("Error"), MsgIcon::Error, MsgButtons::Ok);
}

void UserMenu::OpenUserFile(int index) {
    const QVector<UserFile>& files = window_.settings().UserFiles;
    if (index >= 0 && index < files.size())
        window_.documents().OpenDocument(files[index].FileName);
}

} // namespace quaredit
