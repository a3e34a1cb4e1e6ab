#include "core/compile/UserPrograms.h"

#include "core/documents/Paths.h"

#include <QProcess>

namespace quaredit {

ShowState showStateOf(qint32 winState) {
    switch (winState) {
    case 1:
        return ShowState::Minimized;
    case 2:
        return ShowState::Maximized;
    default:
        return ShowState::Normal;
    }
}

QString the92pFile(const QString& fullPath) {
    return replaceExtension(fullPath, QStringLiteral(".92p"));
}

QString userProgramArgument(qint32 arg, const ArgumentSources& sources) {
    switch (arg) {
    case ArgInline:
        return sources.inlineText;
    case ArgCurrentFile:
        return sources.fullPath;
    case Arg92pFile:
        return the92pFile(sources.fullPath);
    case ArgSelection:
        return sources.selection;
    default:
        return {};
    }
}

std::optional<ProcessCommand> userProgramCommand(const QString& cmdName, const QString& argument) {
    QStringList words = QProcess::splitCommand(cmdName);
    if (words.isEmpty() || words.first().isEmpty())
        return std::nullopt;
    ProcessCommand command{words.takeFirst(), words};
    if (!argument.isEmpty())
        command.arguments << argument;
    return command;
}

} // namespace quaredit
