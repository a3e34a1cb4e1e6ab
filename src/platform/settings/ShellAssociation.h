#pragma once

#include <QString>

namespace quaredit {

// Makes ".asm" files open in this program, offers it for them, or neither.
class ShellAssociation {
public:
    virtual ~ShellAssociation() = default;
    // `associate`: the program opens .asm files by default; `editExplorator`:
    // file managers offer it for them. False when a file could not be written;
    // the settings of the program are not touched either way.
    virtual bool WriteShellAssociation(bool associate, bool editExplorator) = 0;
    // Why the last write failed, naming the file, when that is known.
    virtual QString failureDetail() const { return {}; }
};

} // namespace quaredit
