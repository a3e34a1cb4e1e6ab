#include "ui/settings/OptionsCommands.h"

#include "core/settings/Settings.h"
#include "platform/settings/XdgShellAssociation.h"
#include "ui/common/WindowServices.h"
#include "ui/settings/TCompilPathFrm.h"
#include "ui/settings/TOptionsFrm.h"
#include "ui/settings/TWelcomeFrm.h"

#include <QCoreApplication>

namespace quaredit {

OptionsCommands::OptionsCommands(OptionsContext context)
    : context_(std::move(context)), ownAssociation_(std::make_unique<XdgShellAssociation>()),
      association_(ownAssociation_.get()) {}

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
    OptionsFrm = std::make_unique<TOptionsFrm>(*context_.settings, context_.dataFolders,
                                               *context_.services, *CompilPathFrm, context_.parent);
    if (!FirstLaunchPending)
        return;
    OptionsFrm->setRestricted(true);
    MNU_Options_GeneralClick();
    OptionsFrm->setRestricted(false);
    FirstLaunchPending = false;
}

void OptionsCommands::MNU_Options_GeneralClick() {
    ReadToolchainPaths(*context_.store, OptionsFrm->toolchainPaths());
    if (context_.services->execDialog(*OptionsFrm) != QDialog::Accepted)
        return;
    if (SaveOptions(*context_.store, *context_.settings, OptionsFrm->toolchainPaths()) &&
        context_.applyEditorSettings)
        context_.applyEditorSettings();
    if (!association_->WriteShellAssociation(context_.settings->Associate,
                                             context_.settings->EditExplorator)) {
        QString text = QStringLiteral("Error while trying to save into the registry base");
        if (const QString detail = association_->failureDetail(); !detail.isEmpty())
            text += QStringLiteral("\n\n") + detail;
        context_.services->messageBox(text, QStringLiteral("Error"), MsgIcon::Error,
                                      MsgButtons::Ok);
    }
}

} // namespace quaredit
