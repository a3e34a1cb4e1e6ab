#include "ui/settings/OptionsCommands.h"

#include "core/settings/KeyStore.h"
#include "core/settings/SettingsOwner.h"
#include "platform/settings/ShellAssociation.h"
#include "ui/common/WindowServices.h"
#include "ui/settings/TCompilPathFrm.h"
#include "ui/settings/TOptionsFrm.h"
#include "ui/settings/TWelcomeFrm.h"

#include <QCoreApplication>

namespace quaredit {

OptionsCommands::OptionsCommands(OptionsContext context) : context_(std::move(context)) {}

OptionsCommands::~OptionsCommands() = default;

void OptionsCommands::welcomeStep() {
    {
        TWelcomeFrm welcome(context_.parent);
        context_.services->execDialog(welcome);
        // Let the welcome window disappear before the next one appears.
        QCoreApplication::processEvents();
    }
    FirstLaunchPending = true;
}

void OptionsCommands::createDialogs() {
    CompilPathFrm = std::make_unique<TCompilPathFrm>(context_.parent);
    OptionsFrm = std::make_unique<TOptionsFrm>(edited_, context_.dataFolders, *context_.services,
                                               *CompilPathFrm, context_.parent);
    if (!FirstLaunchPending)
        return;
    OptionsFrm->setRestricted(true);
    MNU_Options_GeneralClick();
    OptionsFrm->setRestricted(false);
    FirstLaunchPending = false;
}

void OptionsCommands::MNU_Options_GeneralClick() {
    edited_ = context_.settings->settings();
    ReadToolchainPaths(*context_.store, OptionsFrm->toolchainPaths());
    if (context_.services->execDialog(*OptionsFrm) != QDialog::Accepted)
        return;
    // Options that could not be stored are not taken either: the editor
    // would otherwise run on choices that the next start has forgotten, and
    // the association would follow boxes that were never stored.
    if (!context_.settings->apply(edited_, OptionsFrm->toolchainPaths())) {
        // A settings file the user was told about at start (hand-edited
        // beyond reading, not writable) needs no second box.
        if (!context_.store->refusalTold())
            reportStoreError(QString());
        return;
    }
    ShellAssociation& association = *context_.association;
    if (!association.WriteShellAssociation(edited_.Associate, edited_.EditExplorator))
        reportStoreError(association.failureDetail());
}

void OptionsCommands::reportStoreError(const QString& detail) {
    QString text = QStringLiteral("Error while trying to save into the registry base");
    if (!detail.isEmpty())
        text += QStringLiteral("\n\n") + detail;
    context_.services->messageBox(text, QStringLiteral("Error"), MsgIcon::Error, MsgButtons::Ok);
}

} // namespace quaredit
