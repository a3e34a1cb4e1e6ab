#pragma once

#include "core/app/DataFolders.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/SettingsOwner.h"
#include "platform/settings/XdgShellAssociation.h"
#include "support/FakeShellAssociation.h"
#include "support/FakeWindowServices.h"
#include "ui/settings/OptionsCommands.h"
#include "ui/settings/TOptionsFrm.h"

#include <QDialog>
#include <QList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace quaredit {

// A settings tree as a new user has it, the options commands over it with
// their own program folder, and fakes for the window system and the desktop
// integration.
struct OptionsFixture {
    QTemporaryDir programDir;
    MemoryKeyStore store;
    SettingsOwner owner{store};
    Settings& settings = owner.settings();
    FakeWindowServices services;
    FakeShellAssociation association;
    std::unique_ptr<XdgShellAssociation> desktop; // the real one, when asked for
    QList<Settings> applied;                      // the settings each time they changed
    std::unique_ptr<OptionsCommands> commands;

    explicit OptionsFixture(bool fakeAssociation = true) {
        WindowPlacement placement;
        owner.load(placement);
        QObject::connect(&owner, &SettingsOwner::changed, [this] { applied << settings; });
        OptionsContext context;
        context.store = &store;
        context.settings = &owner;
        context.services = &services;
        context.association = &association;
        if (!fakeAssociation) {
            desktop = std::make_unique<XdgShellAssociation>();
            context.association = desktop.get();
        }
        context.dataFolders = DataFolders::beside(folder());
        commands = std::make_unique<OptionsCommands>(context);
    }

    QString folder() const { return programDir.path() + u'/'; }
    TOptionsFrm& dialog() { return *commands->optionsFrm(); }

    // Runs the General Options command with `script` driving the dialog.
    void general(const std::function<int(TOptionsFrm&)>& script) {
        services.onDialog([script](QDialog& d) { return script(static_cast<TOptionsFrm&>(d)); });
        commands->MNU_Options_GeneralClick();
    }
};

} // namespace quaredit
