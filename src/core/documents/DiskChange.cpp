#include "core/documents/DiskChange.h"

#include <QFile>
#include <sys/stat.h>

namespace quaredit {

FileStamp stampOf(const QString& path) {
    struct stat st {};
    FileStamp stamp;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    return stamp;
}

DiskChange diskChange(const FileStamp& known, const FileStamp& now) {
    if (!now.exists)
        return known.exists ? DiskChange::Deleted : DiskChange::None;
    return now == known ? DiskChange::None : DiskChange::Changed;
}

QString reloadQuestion(const QString& path, bool modified) {
    QString text =
        QStringLiteral("The file %1 was changed by another program. Reload it?").arg(path);
    if (modified)
        text += QStringLiteral("\nReloading throws away the changes made to it in this editor "
                               "since it was last saved.");
    return text;
}

} // namespace quaredit
