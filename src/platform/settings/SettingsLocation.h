#pragma once

#include <QString>

namespace quaredit {

// The per-user settings file, under the XDG config folder.
QString settingsFilePath();

} // namespace quaredit
