#pragma once

#include "core/app/DataFolders.h"
#include "core/documents/Document.h"

#include <QString>

namespace quaredit {

// The console start of one compilation: "compil.bat" from where the data
// folders keep it, run in the source's folder with the source's base name.
struct CompileCommand {
    QString batchFile;     // the data folders' "compil.bat"
    QString argument;      // the source's name without folder and last extension
    QString workingFolder; // the source's folder, with its trailing "/"
    // The command line as the user would type it: batch, one blank, argument.
    QString commandLine() const { return batchFile + QLatin1Char(' ') + argument; }
};

// Only a program source that lives in a file can be compiled.
bool canCompile(const Document& doc);

// The source's full path without its last extension: what the compile
// command keeps while it runs.
QString compileMarkerOf(const QString& fullPath);

CompileCommand compileCommandFor(const DataFolders& folders, const QString& marker);
// `script` is the build file chosen by buildScriptIn().
CompileCommand compileCommandFor(const QString& script, const QString& marker);

// The build file the options dialog last wrote: "compil.sh" for the user's
// own script, else "compil.bat". Should both be there (a removal failed),
// the newer one; should neither be, the one the user's settings call for
// (`nativeExpected`), so that the error names the right file.
QString buildScriptIn(const DataFolders& folders, bool nativeExpected);
// Whether `script` is a native build script, run without Wine.
bool isNativeBuildScript(const QString& script);
// Whether the user's "batch.dat" in `folders` is a native script.
bool userBatchIsScript(const DataFolders& folders);

// The batch interpreter treats these characters as command syntax even in
// an argument ("a&b" runs b), and "%" expands variables, so a line or a
// folder holding one cannot be written into a batch file safely.
bool isSafeBatchText(const QString& text);

// The piece a compilation's console start lacked, and the detail line the
// "error" box shows for it, so the user knows what to install or write.
enum class ConsoleMissing {
    BatchFile,
    NotExecutable,
    UnsafeBatchPath,
    Terminal,
    Interpreter,
    StartFailed
};
QString consoleMissingDetail(ConsoleMissing missing, const QString& batchFile,
                             const QString& terminal = QString());

// The batch argument has more to fear: a ")" closes a parenthesised block
// that uses "%1", and "," ";" "=" split the argument ("a,b" arrives as "a").
bool isSafeBatchArgument(const QString& text);
// A native script gets its argument as one word of an argument vector:
// only control characters are refused.
bool isSafeScriptArgument(const QString& text);

// The characters the two rules refuse, as the messages list them.
QString batchTextRefusedCharacters();
QString batchArgumentRefusedCharacters();

// The path as the DOS-batch interpreter sees the Linux file system: drive Z:
// is the root folder.
QString dosPathOf(const QString& path);

} // namespace quaredit
