#pragma once

#include "core/documents/FileSafety.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace quaredit {

// The editor holds at most this many characters; one byte is one character.
// A file is counted as the editor holds it, every line break as a CR LF pair
// (as it is typed and saved), and a final line break is not counted, since a
// save adds one: so whatever the editor holds can be saved and opened again.
constexpr qsizetype MaxEditorChars = 1000000;

struct LoadedText {
    QByteArray bytes; // the file's text with every line break as CR LF
    QString error;    // set when the file was refused; bytes is then empty
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole text file. A file that cannot be read, is not a regular
// file, holds a NUL byte or is longer than the editor's limit is refused
// with a reason naming the file.
LoadedText loadTextFile(const QString& path);

// The text with every line break (CR LF, LF or CR) as CR LF; a text without
// a final line break still has none.
QByteArray withCrLfLineEnds(const QByteArray& text);
// How many characters `text` counts for the editor's limit (see MaxEditorChars).
qsizetype editorCharCount(const QByteArray& crLfText);

// The text as lines (a line ends at CR LF, LF or CR; a final line break does
// not start another line), each written followed by CR LF.
QByteArray toCrLfLines(const QByteArray& text);

// Writes `text` as CR LF lines through a temporary file, so a failed write
// leaves the old file whole. Returns an error naming the file, or nullopt.
std::optional<QString> saveTextFile(const QString& path, const QByteArray& text);
// The same, keeping the file as it was on disk as `backupPath` (see replaceFile).
WriteOutcome saveTextFile(const QString& path, const QByteArray& text, const QString& backupPath);

// Copies the file to `backupPath`; the old backup is replaced only by a
// complete copy. Failures are the caller's to ignore.
bool copyOverwriting(const QString& path, const QString& backupPath);

} // namespace quaredit
