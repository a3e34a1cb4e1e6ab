#pragma once

#include "core/settings/Settings.h"

#include <QObject>

namespace quaredit {

class KeyStore;

// The settings while the program runs, and the one way its options change:
// the options dialog edits a copy, and apply() stores that copy and only
// then makes its options the live ones, telling whoever shows them through
// changed(). The lists (recent files, user programs, user files) are changed
// in place by their own commands, which store them at once.
class SettingsOwner : public QObject {
    Q_OBJECT
public:
    explicit SettingsOwner(KeyStore& store, QObject* parent = nullptr);

    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // Start-up: reads the tree, writing the defaults first where it is
    // missing or of another layout. `placement` holds the default window
    // placement and receives the stored one.
    void load(WindowPlacement& placement);

    // Stores the options of `edited` with the configuration rows. Only when
    // they could be stored do they become live and changed() is emitted;
    // otherwise the live settings stay as they were and this gives false.
    bool apply(const Settings& edited, const ToolchainPaths& paths);

signals:
    void changed();

private:
    KeyStore& store_;
    Settings settings_;
};

} // namespace quaredit
