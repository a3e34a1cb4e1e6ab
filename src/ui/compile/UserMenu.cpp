#include "ui/compile/UserMenu.h"

#include "core/compile/UserPrograms.h"
#include "core/settings/Settings.h"
#include "platform/compile/ProcessStarter.h"
#include "ui/common/MenuMap.h"
#include "ui/common/TInputFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/compile/TUserFileFrm.h"
#include "ui/compile/TUserPrgmFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QMenu>

namespace quaredit {

UserMenu::UserMenu(CommandContext context, ProcessStarter& starter)
    : ctx_(std::move(context)), starter_(starter) {
    const MenuMap& m = ctx_.menus;
    QObject::connect(m.MNU_Options_UsrPrg, &QAction::triggered, &ctx_.window,
                     [this] { MNU_Options_UsrPrgClick(); });
    QObject::connect(m.MNU_Options_UsrFile, &QAction::triggered, &ctx_.window,
                     [this] { MNU_Options_UsrFileClick(); });
}

void UserMenu::createUserPrgmFrm() {
    UserPrgmFrm = new TUserPrgmFrm(ctx_.services, &ctx_.window);
}

void UserMenu::createUserFileFrm() {
    UserFileFrm = new TUserFileFrm(ctx_.services, &ctx_.window);
}

void UserMenu::MNU_Options_UsrPrgClick() {
    UserPrgmFrm->setSource(ctx_.settings.UserPrograms);
    if (ctx_.services.execDialog(*UserPrgmFrm) != QDialog::Accepted)
        return;
    ctx_.settings.UserPrograms = UserPrgmFrm->edited();
    if (SaveUserPrograms(ctx_.store, ctx_.settings.UserPrograms))
        UpdateUserMenu();
}

void UserMenu::MNU_Options_UsrFileClick() {
    UserFileFrm->setSource(ctx_.settings.UserFiles);
    if (ctx_.services.execDialog(*UserFileFrm) != QDialog::Accepted)
        return;
    ctx_.settings.UserFiles = UserFileFrm->edited();
    if (SaveUserFiles(ctx_.store, ctx_.settings.UserFiles))
        UpdateUserMenu();
}

void UserMenu::UpdateUserMenu() {
    QMenu* menu = ctx_.menus.MNU_User;
    menu->clear();
    programCommands_.clear();
    fileCommands_.clear();
    const Settings& s = ctx_.settings;
    menu->menuAction()->setVisible(!s.UserPrograms.isEmpty() || !s.UserFiles.isEmpty());
    for (int i = 0; i < s.UserPrograms.size(); ++i) {
        QAction* a = menu->addAction(s.UserPrograms[i].MnuName);
        QObject::connect(a, &QAction::triggered, &ctx_.window, [this, i] { RunUserProgram(i); });
        programCommands_.append(a);
    }
    if (!s.UserPrograms.isEmpty() && !s.UserFiles.isEmpty())
        menu->addSeparator();
    for (int i = 0; i < s.UserFiles.size(); ++i) {
        QAction* a = menu->addAction(s.UserFiles[i].ShortName);
        QObject::connect(a, &QAction::triggered, &ctx_.window, [this, i] { OpenUserFile(i); });
        fileCommands_.append(a);
    }
}

void UserMenu::RunUserProgram(int index) {
    const QVector<UserProgram>& programs = ctx_.settings.UserPrograms;
    if (index < 0 || index >= programs.size())
        return;
    const UserProgram program = programs[index];
    ArgumentSources sources;
    if (program.Arg == ArgInline) {
        TInputFrm& input = ctx_.input();
        input.setWindowTitle(QStringLiteral("Inline Argument"));
        input.setDigitsOnly(false);
        if (ctx_.services.execDialog(input) != QDialog::Accepted)
            return;
        sources.inlineText = input.text();
    }
    sources.fullPath = ctx_.documents.current().FullPath;
    sources.selection = ctx_.editor.selectedText();
    const auto command =
        userProgramCommand(program.CmdName, userProgramArgument(program.Arg, sources));
    if (!command || !starter_.startDetached(command->program, command->arguments, QString(),
                                            showStateOf(program.WinState)))
        ctx_.services.messageBox(QStringLiteral("Error when trying to run the file"),
                                 QStringLiteral("Error"), MsgIcon::Error, MsgButtons::Ok);
}

void UserMenu::OpenUserFile(int index) {
    const QVector<UserFile>& files = ctx_.settings.UserFiles;
    if (index >= 0 && index < files.size())
        ctx_.documents.OpenDocument(files[index].FileName);
}

} // namespace quaredit
