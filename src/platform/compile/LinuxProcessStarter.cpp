#include "platform/compile/LinuxProcessStarter.h"

#include "core/compile/CompileRun.h"
#include "core/documents/FileSafety.h"
#include "platform/compile/BuildProcess.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace quaredit {

namespace {

// Keeps the terminal open once the batch ends, so the assembler's messages
// can be read. The script is a constant: the command to run arrives as
// positional parameters and is never parsed by the shell.
const QString HoldScript =
    QStringLiteral("\"$@\"; echo; printf '%s' 'Press Enter to close this window.'; read -r _");

QString findTerminal(const QStringList& searchPath) {
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name), searchPath);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// The option that opens the terminal maximised, for the terminals known to
// have one; x-terminal-emulator is a link to whichever terminal is chosen.
QStringList maximiseOption(const QString& terminal) {
    const QString real = QFileInfo(QFileInfo(terminal).canonicalFilePath()).fileName();
    if (real == QLatin1String("xterm") || real == QLatin1String("uxterm"))
        return {QStringLiteral("-maximized")};
    if (real.startsWith(QLatin1String("gnome-terminal")) || real == QLatin1String("konsole") ||
        real == QLatin1String("xfce4-terminal"))
        return {QStringLiteral("--maximize")};
    return {};
}

} // namespace

bool LinuxProcessStarter::startDetached(const QString& program, const QStringList& arguments,
                                        const QString& workingFolder, ShowState) {
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, workingFolder);
}

QStringList LinuxProcessStarter::consoleCommand(const QString& batchFile,
                                                const QStringList& arguments,
                                                const QStringList& searchPath) {
    const QString terminal = findTerminal(searchPath);
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"), searchPath);
    // The shell that holds the window open is the system's own, wherever
    // the tools come from.
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    if (terminal.isEmpty() || wine.isEmpty() || sh.isEmpty())
        return {};
    QStringList command{terminal};
    command << maximiseOption(terminal) << QStringLiteral("-e") << sh << QStringLiteral("-c")
            << HoldScript << QStringLiteral("quaredit") << wine << QStringLiteral("cmd")
            << QStringLiteral("/c") << dosPathOf(batchFile) << arguments;
    return command;
}

QStringList LinuxProcessStarter::scriptConsoleCommand(const QString& script,
                                                      const QStringList& arguments,
                                                      const QStringList& searchPath) {
    const QString terminal = findTerminal(searchPath);
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    if (terminal.isEmpty() || sh.isEmpty())
        return {};
    QStringList command{terminal};
    command << maximiseOption(terminal) << QStringLiteral("-e") << sh << QStringLiteral("-c")
            << HoldScript << QStringLiteral("quaredit") << script << arguments;
    return command;
}

bool LinuxProcessStarter::startConsole(const QString& batchFile, const QStringList& arguments,
                                       const QString& workingFolder) {
    failure_.clear();
    // The user's own script runs as it is, with its argument as one word:
    // no interpreter reads the name, so only the file itself is checked.
    if (isNativeBuildScript(batchFile)) {
        failure_ = buildScriptProblem(batchFile, arguments);
        if (failure_ == QLatin1String("-")) {
            failure_.clear();
            return false;
        }
        if (!failure_.isEmpty())
            return false;
        QStringList command = scriptConsoleCommand(batchFile, arguments, searchPath_);
        if (command.isEmpty())
            return failConsole(ConsoleMissing::Terminal, batchFile);
        const QString terminal = command.takeFirst();
        if (!QProcess::startDetached(terminal, command, workingFolder))
            return failConsole(ConsoleMissing::StartFailed, batchFile, terminal);
        return true;
    }
    // The interpreter reads "&", "|", "%"... in its command line as syntax:
    // such a name or folder is refused rather than run.
    if (!isSafeBatchText(batchFile))
        return failConsole(ConsoleMissing::UnsafeBatchPath, batchFile);
    if (!isRegularFile(batchFile))
        return failConsole(ConsoleMissing::BatchFile, batchFile);
    for (const QString& a : arguments) {
        if (!isSafeBatchArgument(a))
            return false; // refused by the compile command already, with its own message
    }
    if (findTerminal(searchPath_).isEmpty())
        return failConsole(ConsoleMissing::Terminal, batchFile);
    QStringList command = consoleCommand(batchFile, arguments, searchPath_);
    if (command.isEmpty())
        return failConsole(ConsoleMissing::Interpreter, batchFile);
    const QString terminal = command.takeFirst();
    if (!QProcess::startDetached(terminal, command, workingFolder))
        return failConsole(ConsoleMissing::StartFailed, batchFile, terminal);
    return true;
}

bool LinuxProcessStarter::failConsole(ConsoleMissing missing, const QString& batchFile,
                                      const QString& terminal) {
    failure_ = consoleMissingDetail(missing, batchFile, terminal);
    return false;
}

} // namespace quaredit
