#include "core/settings/SettingsOwner.h"

#include "core/settings/MemoryKeyStore.h"

namespace quaredit {

SettingsOwner::SettingsOwner(KeyStore& store, QObject* parent) : QObject(parent), store_(store) {}

void SettingsOwner::load(WindowPlacement& placement) {
    if (ReadSettings(store_, settings_, placement))
        return;
    WriteDefaultSettings(store_, placement);
    if (ReadSettings(store_, settings_, placement))
        return;
    // The settings file cannot be written (read-only folder, full disk):
    // run this session on the defaults instead of on zeros.
    MemoryKeyStore defaults;
    WriteDefaultSettings(defaults, placement);
    ReadSettings(defaults, settings_, placement);
}

bool SettingsOwner::apply(const Settings& edited, const ToolchainPaths& paths) {
    if (!SaveOptions(store_, edited, paths))
        return false;
    copyOptions(edited, settings_);
    emit changed();
    return true;
}

} // namespace quaredit
