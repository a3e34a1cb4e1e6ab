#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quaredit {

// The editor holds at most this many characters; one byte is one character.
constexpr qsizetype MaxEditorChars = 1000000;

struct LoadedText {
    QByteArray bytes;   // the file as it is on disk, line ends untouched
    QString error;      // set when the file was refused; bytes is then empty
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole text file. A file that cannot be read, holds a NUL byte or
// is longer than the editor's limit is refused with a reason naming the file.
LoadedText loadTextFile(const QString& path);

// The text as lines (a line ends at CR LF, LF or CR; a final line break does
// not start another line), each written followed by CR LF.
QByteArray toCrLfLines(const QByteArray& text);

// Writes `text` as CR LF lines through a temporary file, so a failed write
// leaves the old file whole. Returns an error naming the file, or nullopt.
std::optional<QString> saveTextFile(const QString& path, const QByteArray& text);

// Copies the file to `backupPath`, replacing it; failures are the caller's to ignore.
bool copyOverwriting(const QString& path, const QString& backupPath);

} // namespace quaredit
