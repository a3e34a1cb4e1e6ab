#pragma once

#include "core/app/DataFolders.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace quaredit {

struct Settings;
class KeyStore;
class ShellAssociation;
class TCompilPathFrm;
class TOptionsFrm;
class WindowServices;

// What the options commands need of the main window.
struct OptionsContext {
    KeyStore* store = nullptr;
    Settings* settings = nullptr;
    WindowServices* services = nullptr;
    DataFolders dataFolders;                   // where "compil.bat" and "batch.dat" are
    std::function<void()> applyEditorSettings; // word wrap, font and size from the settings
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
    // Tests replace the desktop integration with a fake.
    void setShellAssociation(ShellAssociation& association) { association_ = &association; }

    TOptionsFrm* optionsFrm() const { return OptionsFrm.get(); }
    TCompilPathFrm* compilPathFrm() const { return CompilPathFrm.get(); }

private:
    OptionsContext context_;
    std::unique_ptr<ShellAssociation> ownAssociation_;
    ShellAssociation* association_ = nullptr;
    // Owned here even when parented to the main window: this object goes
    // first, and the dialog must go before the picker it refers to.
    std::unique_ptr<TCompilPathFrm> CompilPathFrm;
    std::unique_ptr<TOptionsFrm> OptionsFrm;
    bool FirstLaunchPending = false;
};

} // namespace quaredit
