#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quaredit {

// What every reader and writer of a file asks first. A FIFO would block the
// read (and the window with it), and writing "over" a device node as root
// would replace the node with a file: only regular files, after following
// symbolic links, are ever opened.
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

// The file a write to `path` must replace: `path` itself, or, through every
// symbolic link, the file the links lead to, so that the links stay.
QString writeTargetOf(const QString& path);

// The temporary file a save of `path` writes before it replaces the file.
// One fixed name per file, so that what a crashed save left behind is
// found, and removed, by the next save of the same file.
QString saveTemporaryOf(const QString& target);

// Replaces the file at `path` (through its links) by `bytes`: written whole
// to a temporary file beside it, flushed to the disk, then renamed over it,
// so the old content stays whole until the new one is complete. The file's
// permissions are kept. Returns an error naming `path`, or nullopt.
std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes);

// Makes `backupPath` a copy of the file at `path` in the same way: the old
// backup is replaced only by a complete new one. Returns an error, or nullopt.
std::optional<QString> copyFileAtomically(const QString& path, const QString& backupPath);

// The reason for a failed write, as the user can act on it ("the disk is full").
QString writeFailureReason(int errorNumber);

} // namespace quaredit
