#include "platform/build/LinuxProcessStarter.h"

#include "core/build/CompileRun.h"
#include "core/documents/FileSafety.h"

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

QString findTerminal() {
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
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
                                                const QStringList& arguments) {
    const QString terminal = findTerminal();
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    const QString sh = QStandardPaths::findExecutable(QStringLiteral("sh"));
    if (terminal.isEmpty() || wine.isEmpty() || sh.isEmpty())
        return {};
    QStringList command{terminal};
    command << maximiseOption(terminal) << QStringLiteral("-e") << sh << QStringLiteral("-c")
            << HoldScript << QStringLiteral("quaredit") << wine << QStringLiteral("cmd")
            << QStringLiteral("/c") << dosPathOf(batchFile) << arguments;
    return command;
}

bool LinuxProcessStarter::startConsole(const QString& batchFile, const QStringList& arguments,
                                       const QString& workingFolder) {
    // The interpreter reads "&", "|", "%"... in its command line as syntax:
    // such a name or folder is refused rather than run.
    if (!isSafeBatchText(batchFile) || !isRegularFile(batchFile))
        return false;
    for (const QString& a : arguments) {
        if (!isSafeBatchArgument(a))
            return false;
    }
    QStringList command = consoleCommand(batchFile, arguments);
    if (command.isEmpty())
        return false;
    const QString terminal = command.takeFirst();
    return QProcess::startDetached(terminal, command, workingFolder);
}

} // namespace quaredit
