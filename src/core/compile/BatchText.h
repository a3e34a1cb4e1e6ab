#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quaredit {

// Toolchain configuration indexes, as stored in UsePredef.
enum ToolchainIndex : int {
    ConfigNone = 0,
    ConfigQuaro2 = 1,
    ConfigPlusShell = 2,
    ConfigDoorsOS = 3
};

constexpr int ToolchainCount = 4;

inline bool isPredefinedConfig(int index) {
    return index >= ConfigQuaro2 && index <= ConfigDoorsOS;
}

// A stored index outside the known configurations (a hand-edited settings
// file) falls back to the default, Quaro II.
inline int validConfigIndex(int index) {
    return index >= ConfigNone && index <= ConfigDoorsOS ? index : int(ConfigQuaro2);
}

// The start of the line that sets the kernel's variable to the compiler
// folder ("SET QUARO="); empty for configuration 0, which has no such line.
QString batchVariablePrefix(int index);

// The line of the generated batch text that carries the compiler folder.
constexpr int BatchFolderLine = 3;

// The six lines that assemble a program with a predefined configuration's
// kernel. The folder goes in exactly as typed: the command interpreter
// copes with a doubled separator, and quoting would change what the kernel's
// own scripts see in the variable. Empty for any other index.
QStringList GenerateBatchText(int index, const QString& compilerFolder);

// The user's build text is a script for this system, not a DOS batch, when
// it starts with "#!".
bool isNativeScript(const QStringList& lines);

// A line ends at CR LF, a lone LF or a lone CR, and a final line break does
// not start another line. Batch files are 8-bit text.
QStringList batchLinesFromText(const QString& text);
QStringList batchLinesFromBytes(const QByteArray& bytes);
// The lines as an edit box shows them, each followed by a line break, so
// that reading the box back gives the same lines.
QString batchDisplayText(const QStringList& lines);
// Every line, the last included, followed by CR LF.
QByteArray batchBytesFromLines(const QStringList& lines);

} // namespace quaredit
