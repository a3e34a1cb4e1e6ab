#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quaredit {

// What every reader and writer of a file asks first. A FIFO would block the
// read (and the window with it), and writing "over" a device node as root
// would replace the node with a file: only regular files, after following
// symbolic links, are ever read or replaced.
enum class FileNature { Missing, Regular, Folder, Special };
FileNature fileNature(const QString& path);
inline bool isRegularFile(const QString& path) {
    return fileNature(path) == FileNature::Regular;
}
// True when something is there that must not be opened: a folder, a FIFO, a
// device, a socket.
inline bool isNotRegularFile(const QString& path) {
    const FileNature nature = fileNature(path);
    return nature == FileNature::Folder || nature == FileNature::Special;
}

// The reason the messages give, after the file's name: "it is not a regular file".
QString notRegularFileReason();

// A whole read of a file, judged on the opened file: what is at the path
// may change between a look and an open, what was opened may not.
struct FileRead {
    FileNature nature = FileNature::Missing; // of the opened file
    QByteArray bytes;                        // at most the bytes asked for
    qint64 size = 0;                         // the file's size when opened
    int error = 0;                           // errno of a failed open or read
    bool ok() const { return nature == FileNature::Regular && error == 0; }
};
// Opens `path` without blocking (a FIFO, a device or a folder is reported,
// never read) and reads at most `maxBytes` of it.
FileRead readRegularFile(const QString& path, qint64 maxBytes);

// The file a write to `path` must replace: `path` itself, or the file its
// symbolic links lead to, so that the links stay.
QString writeTargetOf(const QString& path);

// Whether `fileName` (a name in the target's folder) is a temporary file
// that a save of `target` writes, or that a killed save left.
bool isSaveTemporaryOf(const QString& target, const QString& fileName);

struct WriteOutcome {
    std::optional<QString> error; // the file was not replaced
    QString backupProblem;        // the file was replaced, but no backup was made
};

// Replaces the file at `path` (through its links) by `bytes`: written whole
// to a new temporary file beside it, flushed to the disk, then renamed over
// it, so the old content stays whole until the new one is complete. The
// file's permissions are kept; a file nobody may write, or one this user
// may not replace, is refused. With a `backupPath`, the old file becomes
// the backup once the new text is safely on the disk, so the backup never
// takes the room the text needs; the backup replaces whatever has its name
// (a link is replaced, never written through).
WriteOutcome replaceFile(const QString& path, const QByteArray& bytes,
                         const QString& backupPath = QString());
inline std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    return replaceFile(path, bytes).error;
}

// Makes `copyPath` a copy of the file at `path` in the same way: an old copy
// is replaced only by a complete new one, never written through a link.
// Returns an error, or nullopt.
std::optional<QString> copyFileAtomically(const QString& path, const QString& copyPath);

// The reason for a failed write, as the user can act on it ("the disk is full").
QString writeFailureReason(int errorNumber);

} // namespace quaredit
