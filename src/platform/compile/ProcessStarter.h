#pragma once

#include "core/compile/UserPrograms.h"

#include <QString>
#include <QStringList>

namespace quaredit {

// Starting outside programs, started and forgotten: nothing waits for them
// or reads their output. Everything is an argument vector; no shell ever
// parses a file name, a selection or a stored command.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;

    // A user program. False when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingFolder, ShowState show) = 0;

    // A DOS batch file (through the batch interpreter) or a native script
    // ("compil.sh", directly) in a new console window that stays open for
    // reading once it ends. False when no console or interpreter is
    // available or the start failed.
    virtual bool startConsole(const QString& batchFile, const QStringList& arguments,
                              const QString& workingFolder) = 0;
    // Why the last console start failed, in words that tell the user what
    // to install or write; empty when it did not fail or nobody knows.
    virtual QString consoleFailure() const { return {}; }
};

} // namespace quaredit
