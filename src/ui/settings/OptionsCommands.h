#pragma once

#include "core/app/DataFolders.h"
#include "core/settings/Settings.h"

#include <QString>
#include <memory>

class QWidget;

namespace quaredit {

class KeyStore;
class SettingsOwner;
class ShellAssociation;
class TCompilPathFrm;
class TOptionsFrm;
class WindowServices;

// What the options commands need of the main window.
struct OptionsContext {
    KeyStore* store = nullptr;
    SettingsOwner* settings = nullptr; // stores and applies what the dialog took
    WindowServices* services = nullptr;
    ShellAssociation* association = nullptr; // the desktop's .asm association
    DataFolders dataFolders;                 // where "compil.bat" and "batch.dat" are
    QWidget* parent = nullptr;
};

// The General Options command, the options dialog with its folder picker,
// and the first-launch sequence that walks a new user through them.
class OptionsCommands {
public:
    explicit OptionsCommands(OptionsContext context);
    ~OptionsCommands();

    // Start-up, once the main window shows and the first launch is decided:
    // greets the user and leaves the options showing pending.
    void welcomeStep();
    // Creates the folder picker and the options dialog; a pending first
    // launch shows the dialog in its restricted mode at once.
    void createDialogs();

    void MNU_Options_GeneralClick();

    bool firstLaunchPending() const { return FirstLaunchPending; }

    TOptionsFrm* optionsFrm() const { return OptionsFrm.get(); }
    TCompilPathFrm* compilPathFrm() const { return CompilPathFrm.get(); }

private:
    void reportStoreError(const QString& detail);

    OptionsContext context_;
    // What the dialog edits: a copy of the live settings, taken at each
    // showing, that becomes live only once it is stored.
    Settings edited_;
    // Owned here even when parented to the main window: this object goes
    // first, and the dialog must go before the picker it refers to.
    std::unique_ptr<TCompilPathFrm> CompilPathFrm;
    std::unique_ptr<TOptionsFrm> OptionsFrm;
    bool FirstLaunchPending = false;
};

} // namespace quaredit
