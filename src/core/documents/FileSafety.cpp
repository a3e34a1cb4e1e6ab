#include "core/documents/FileSafety.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quaredit {

namespace {

// Links are followed at most this deep, as the kernel does, so a loop of
// links ends.
constexpr int MaxLinkDepth = 40;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString writeError(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write the file <%1>: %2.").arg(path, reason);
}

// Writes all of `bytes`, resuming after a signal; false with errno set.
bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

FileNature fileNature(const QString& path) {
    if (path.isEmpty())
        return FileNature::Missing;
    struct stat st {};
    if (::stat(encoded(path).constData(), &st) != 0)
        return FileNature::Missing;
    if (S_ISREG(st.st_mode))
        return FileNature::Regular;
    if (S_ISDIR(st.st_mode))
        return FileNature::Folder;
    return FileNature::Special;
}

QString notRegularFileReason() {
    return QStringLiteral("it is not a regular file");
}

QString writeTargetOf(const QString& path) {
    QString target = path;
    for (int depth = 0; depth < MaxLinkDepth; ++depth) {
        const QFileInfo info(target);
        if (!info.isSymLink())
            break;
        target = info.symLinkTarget();
    }
    return target;
}

QString saveTemporaryOf(const QString& target) {
    return target + QStringLiteral(".quaredit-save");
}

QString writeFailureReason(int errorNumber) {
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EDQUOT:
        return QStringLiteral("the disk quota is used up");
    case EFBIG:
        return QStringLiteral("the file-size limit is reached");
    default:
        return qt_error_string(errorNumber);
    }
}

namespace {

// `newMode` is the mode of a file that does not exist yet.
std::optional<QString> replaceFile(const QString& path, const QByteArray& bytes, mode_t newMode) {
    const QString target = writeTargetOf(path);
    struct stat st {};
    const bool exists = ::stat(encoded(target).constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return writeError(path, notRegularFileReason());

    const QString temporary = saveTemporaryOf(target);
    const QByteArray temporaryName = encoded(temporary);
    // What a killed save left behind goes first; creating the file afresh,
    // never through a link, keeps a planted link from redirecting the write.
    ::unlink(temporaryName.constData());
    const mode_t mode = exists ? (st.st_mode & 07777) : newMode;
    const int fd = ::open(temporaryName.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0)
        return writeError(path, writeFailureReason(errno));
    // The umask may have narrowed the mode of an existing file's copy.
    if (exists)
        ::fchmod(fd, mode);
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int failure = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        failure = errno;
    }
    if (written && ::rename(temporaryName.constData(), encoded(target).constData()) != 0) {
        written = false;
        failure = errno;
    }
    if (!written) {
        ::unlink(temporaryName.constData());
        return writeError(path, writeFailureReason(failure));
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> writeFileAtomically(const QString& path, const QByteArray& bytes) {
    return replaceFile(path, bytes, 0666);
}

std::optional<QString> copyFileAtomically(const QString& path, const QString& backupPath) {
    if (!isRegularFile(path))
        return QStringLiteral("Cannot read the file <%1>: %2.").arg(path, notRegularFileReason());
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot read the file <%1>: %2.").arg(path, source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read the file <%1>: %2.").arg(path, source.errorString());
    // A new backup is no more readable than its source.
    struct stat st {};
    const mode_t mode = ::fstat(source.handle(), &st) == 0 ? (st.st_mode & 0777) : 0600;
    return replaceFile(backupPath, bytes, mode);
}

} // namespace quaredit
