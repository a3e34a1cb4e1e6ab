#pragma once

#include "ui/documents/CommandContext.h"

#include <QList>

class QAction;

namespace quaredit {

class ProcessStarter;
class TUserFileFrm;
class TUserPrgmFrm;

// The "&User" menu with its two lists: the commands that edit them, the
// menu built from them, and what choosing one of its commands does.
class UserMenu {
public:
    UserMenu(CommandContext context, ProcessStarter& starter);

    void createUserPrgmFrm();
    void createUserFileFrm();
    TUserPrgmFrm* userPrgmFrm() const { return UserPrgmFrm; }
    TUserFileFrm* userFileFrm() const { return UserFileFrm; }

    void MNU_Options_UsrPrgClick();
    void MNU_Options_UsrFileClick();
    void UpdateUserMenu();
    void RunUserProgram(int index);
    void OpenUserFile(int index);

    // The command made for each entry, in list order.
    const QList<QAction*>& programCommands() const { return programCommands_; }
    const QList<QAction*>& fileCommands() const { return fileCommands_; }

private:
    const CommandContext ctx_;
    ProcessStarter& starter_;
    TUserPrgmFrm* UserPrgmFrm = nullptr;
    TUserFileFrm* UserFileFrm = nullptr;
    QList<QAction*> programCommands_;
    QList<QAction*> fileCommands_;
};

} // namespace quaredit
