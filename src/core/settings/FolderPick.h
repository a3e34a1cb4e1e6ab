#pragma once

#include <QString>

namespace quaredit {

// A picked folder as the settings keep it: ending with one "/", so that a
// relative include or library folder can follow it directly. The root keeps
// its single "/".
inline QString pickedFolderText(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace quaredit
