#include "core/compile/UserPrograms.h"

#include "core/documents/Paths.h"

#include <QFileInfo>
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

bool isExecutableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

std::optional<ProcessCommand>
userProgramCommand(const QString& cmdName, const QString& argument,
                   const std::function<bool(const QString&)>& isProgramFile) {
    ProcessCommand command;
    if (!cmdName.isEmpty() && isProgramFile(cmdName)) {
        command.program = cmdName;
    } else {
        QStringList words = QProcess::splitCommand(cmdName);
        if (words.isEmpty() || words.first().isEmpty())
            return std::nullopt;
        command = {words.takeFirst(), words};
    }
    if (!argument.isEmpty())
        command.arguments << argument;
    return command;
}

QString commandForProgramFile(const QString& path) {
    if (QProcess::splitCommand(path) == QStringList{path})
        return path;
    // Inside quotes, three quotes stand for one.
    QString quoted = path;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace quaredit
