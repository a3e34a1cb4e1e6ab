#pragma once

#include "core/compile/CompileRun.h"
#include "platform/compile/ProcessStarter.h"

namespace quaredit {

// Starts programs with QProcess::startDetached. Batch files run in a
// terminal emulator ("x-terminal-emulator", else "xterm", both found on
// PATH) through Wine's command interpreter ("wine cmd /c").
//
// The show state of a user program cannot be handed on: X11 and Wayland
// have no start-up field for it (the program and the window manager decide
// how its first window shows), so it is accepted and left unused. The
// console asks for a maximised window where the terminal has an option.
class LinuxProcessStarter : public ProcessStarter {
public:
    // The terminal and the interpreter are looked for in `searchPath`, or
    // on PATH when it is empty.
    explicit LinuxProcessStarter(QStringList searchPath = {})
        : searchPath_(std::move(searchPath)) {}

    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder, ShowState show) override;
    bool startConsole(const QString& batchFile, const QStringList& arguments,
                      const QString& workingFolder) override;
    QString consoleFailure() const override { return failure_; }

    // The full argument vector of a console start, the terminal first; empty
    // when no terminal or no interpreter is installed.
    static QStringList consoleCommand(const QString& batchFile, const QStringList& arguments,
                                      const QStringList& searchPath = {});

    // The same for the user's native script ("compil.sh"), run directly.
    static QStringList scriptConsoleCommand(const QString& script, const QStringList& arguments,
                                            const QStringList& searchPath = {});

private:
    bool failConsole(ConsoleMissing missing, const QString& batchFile,
                     const QString& terminal = QString());

    QStringList searchPath_;
    QString failure_;
};

} // namespace quaredit
