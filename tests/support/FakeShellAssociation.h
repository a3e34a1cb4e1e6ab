#pragma once

#include "platform/settings/ShellAssociation.h"

#include <QList>
#include <utility>

namespace quaredit {

// Records each request and answers with `succeeds`.
class FakeShellAssociation : public ShellAssociation {
public:
    bool WriteShellAssociation(bool associate, bool editExplorator) override {
        calls.append({associate, editExplorator});
        return succeeds;
    }

    QList<std::pair<bool, bool>> calls; // (associate, editExplorator)
    bool succeeds = true;
};

} // namespace quaredit
