#pragma once

#include <QString>
#include <QtGlobal>

namespace quaredit {

// What identifies one state of a file on disk: another program that writes
// it changes its time or size, and one that saves by writing a new file and
// renaming it over the old changes its inode.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path);

enum class DiskChange { None, Changed, Deleted };

// How the file went from `known` (when the editor last loaded or saved it)
// to `now`. A file that comes back after being deleted has changed.
DiskChange diskChange(const FileStamp& known, const FileStamp& now);

// The question asked before reloading; a modified document says what the
// reload would throw away.
QString reloadQuestion(const QString& path, bool modified);

} // namespace quaredit
