#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quaredit {

// How a started program's window is asked to show, from an entry's WinState.
enum class ShowState { Normal, Minimized, Maximized };
ShowState showStateOf(qint32 winState);

// The argument modes of a user program, as stored in Arg.
enum UserArgMode : qint32 {
    ArgNone = 0,
    ArgInline = 1,
    ArgCurrentFile = 2,
    Arg92pFile = 3,
    ArgSelection = 4
};

// The calculator file the assembler makes from `fullPath`: its extension
// replaced by ".92p", or ".92p" appended when the name has none.
QString the92pFile(const QString& fullPath);

// What the editor offers an argument; `inlineText` is what the user typed
// into the "Inline Argument" prompt (asked for only in the inline mode).
struct ArgumentSources {
    QString fullPath;
    QString selection;
    QString inlineText;
};
QString userProgramArgument(qint32 arg, const ArgumentSources& sources);

// A program with its argument vector, started without a shell.
struct ProcessCommand {
    QString program;
    QStringList arguments;
    bool operator==(const ProcessCommand&) const = default;
};

// Splits the stored command into the program and its fixed arguments with
// shell-like quoting but no shell, then adds `argument` as one more argument
// when it is not empty, so a path with blanks or a selection with shell
// characters arrives whole and is never interpreted. Nothing when the
// command names no program.
// Whether `path` names an executable regular file.
bool isExecutableFile(const QString& path);

// A command that names an existing executable file as a whole runs as that
// program, blanks and all, as a path picked by Browse was stored before.
std::optional<ProcessCommand>
userProgramCommand(const QString& cmdName, const QString& argument,
                   const std::function<bool(const QString&)>& isProgramFile = isExecutableFile);

// The command that runs the program file `path` (what Browse stores): the
// path itself when splitting gives it back whole, else the path quoted.
QString commandForProgramFile(const QString& path);

} // namespace quaredit
