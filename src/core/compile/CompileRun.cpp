#include "core/compile/CompileRun.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace quaredit {

bool canCompile(const Document& doc) {
    return doc.Kind == DocumentKind::ProgramSource && doc.OnDisk;
}

QString compileMarkerOf(const QString& fullPath) {
    return withoutExtension(fullPath);
}

CompileCommand compileCommandFor(const DataFolders& folders, const QString& marker) {
    return compileCommandFor(folders.path(CompileBatchFile), marker);
}

CompileCommand compileCommandFor(const QString& script, const QString& marker) {
    return {script, fileNamePart(marker), folderPart(marker)};
}

QString buildScriptIn(const DataFolders& folders, bool nativeExpected) {
    const QFileInfo script(folders.path(NativeBuildFile));
    const QFileInfo batch(folders.path(CompileBatchFile));
    if (script.exists() && batch.exists())
        return script.lastModified() >= batch.lastModified() ? script.filePath() : batch.filePath();
    if (script.exists() || (!batch.exists() && nativeExpected))
        return script.filePath();
    return batch.filePath();
}

bool isNativeBuildScript(const QString& script) {
    return fileNamePart(script) == NativeBuildFile;
}

bool userBatchIsScript(const DataFolders& folders) {
    QFile file(folders.path(UserBatchFile));
    return file.open(QIODevice::ReadOnly) && file.read(2) == "#!";
}

namespace {

const QString LineSyntax = QStringLiteral("&|<>^%\"");
const QString ArgumentSyntax = LineSyntax + QStringLiteral("(),;=");

bool holdsNone(const QString& text, const QString& refused) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c))
            return false;
    }
    return true;
}

QString listed(const QString& characters) {
    QStringList each;
    for (const QChar c : characters)
        each << QString(c);
    return each.join(QLatin1Char(' '));
}

} // namespace

bool isSafeBatchText(const QString& text) {
    return holdsNone(text, LineSyntax);
}

bool isSafeBatchArgument(const QString& text) {
    return holdsNone(text, ArgumentSyntax);
}

bool isSafeScriptArgument(const QString& text) {
    return holdsNone(text, QString());
}

QString batchTextRefusedCharacters() {
    return listed(LineSyntax);
}

QString batchArgumentRefusedCharacters() {
    return listed(ArgumentSyntax);
}

QString consoleMissingDetail(ConsoleMissing missing, const QString& batchFile,
                             const QString& terminal) {
    switch (missing) {
    case ConsoleMissing::BatchFile:
        return QStringLiteral("No %1 in %2: Options > General Options writes it.")
            .arg(fileNamePart(batchFile), folderPart(batchFile));
    case ConsoleMissing::NotExecutable:
        return QStringLiteral("%1 in %2 is not executable: Options > General Options writes it "
                              "again, runnable.")
            .arg(fileNamePart(batchFile), folderPart(batchFile));
    case ConsoleMissing::UnsafeBatchPath:
        return QStringLiteral("The path %1 holds one of the characters %2 or a control "
                              "character, which the batch interpreter reads as syntax.")
            .arg(batchFile, batchTextRefusedCharacters());
    case ConsoleMissing::Terminal:
        return QStringLiteral("No terminal emulator found: neither x-terminal-emulator nor xterm "
                              "is on PATH.");
    case ConsoleMissing::Interpreter:
        return QStringLiteral("No wine found on PATH: compil.bat runs through Wine's command "
                              "interpreter (wine cmd /c).");
    case ConsoleMissing::StartFailed:
        return QStringLiteral("The terminal %1 could not be started.").arg(terminal);
    }
    return {};
}

QString dosPathOf(const QString& path) {
    QString dos = path;
    dos.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path.startsWith(QLatin1Char('/')) ? QStringLiteral("Z:") + dos : dos;
}

} // namespace quaredit
