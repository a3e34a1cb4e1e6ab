#include "core/documents/FileSafety.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quaredit {

namespace {

// Every temporary file of a save is named so, followed by six random
// characters: nobody can plant the next one in advance.
const QString TemporaryMark = QStringLiteral(".quaredit-save");

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString writeError(const QString& path, const QString& reason) {
    return QStringLiteral("Cannot write the file <%1>: %2.").arg(path, reason);
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// Closes on every path out, so no early return leaks a descriptor.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int release() { return std::exchange(fd, -1); }
};

// Writes all of `bytes`, resuming after a signal; false with errno set.
bool writeAll(int fd, const char* p, qint64 left) {
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

// Flushes and closes `fd` after a complete write; false with errno set.
bool finish(int fd) {
    bool ok = ::fsync(fd) == 0;
    const int failure = errno;
    if (::close(fd) != 0 && ok)
        return false;
    errno = failure;
    return ok;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// A new temporary file beside `target`, made with O_EXCL under a name
// nobody can guess: a file or a link planted beside the target is never
// opened. Returns its descriptor, or -1 with errno set.
int makeTemporary(const QString& target, QString& temporary) {
    QByteArray name = encoded(target + TemporaryMark + QStringLiteral("-XXXXXX"));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0)
        temporary = QFile::decodeName(name);
    return fd;
}

// Gives the file `existing` a second name beside `beside`, a random one;
// false with errno set.
bool linkUnderRandomName(const QString& existing, const QString& beside, QString& made) {
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 16; ++attempt) {
        QString name = beside + TemporaryMark + QLatin1Char('-');
        for (int i = 0; i < 6; ++i)
            name += QLatin1Char(Letters[QRandomGenerator::system()->bounded(62)]);
        if (::link(encoded(existing).constData(), encoded(name).constData()) == 0) {
            made = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Removes what killed saves of `target` left beside it: only this user's
// own files, so another user's file planted there stays as it is (and is
// never in the way, the next name being random).
void removeLeftovers(const QString& target) {
    const QFileInfo info(target);
    const QByteArray folder = encoded(info.absolutePath());
    const QByteArray prefix = encoded(info.fileName() + TemporaryMark);
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.constData(), size_t(prefix.size())) != 0)
            continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if ((S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) && st.st_uid == ::geteuid())
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

QString temporaryFailure(const QString& path, const QString& target, int error) {
    if (error == EACCES || error == EPERM || error == EROFS)
        return writeError(path,
                          QStringLiteral("the folder <%1> is read-only").arg(folderOf(target)));
    return writeError(path, writeFailureReason(error));
}

// Copies the open file `sourceFd` into a new temporary file beside
// `copyPath` and renames it over `copyPath`, whatever is there (a link
// included, which is replaced, not followed). An error text, or empty.
QString copyOver(int sourceFd, mode_t mode, const QString& copyPath) {
    QString temporary;
    Fd out(makeTemporary(copyPath, temporary));
    if (out.fd < 0)
        return temporaryFailure(copyPath, copyPath, errno);
    ::fchmod(out.fd, mode);
    char buffer[65536];
    bool ok = ::lseek(sourceFd, 0, SEEK_SET) == 0;
    while (ok) {
        const ssize_t n = ::read(sourceFd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        ok = writeAll(out.fd, buffer, n);
    }
    ok = ok && finish(out.release());
    if (ok && ::rename(encoded(temporary).constData(), encoded(copyPath).constData()) == 0)
        return QString();
    const int failure = errno;
    ::unlink(encoded(temporary).constData());
    return writeError(copyPath, writeFailureReason(failure));
}

// Makes `backupPath` the old file at `target`. A file with no other name
// becomes the backup through a second name, which takes no room on the
// disk; otherwise (or where links cannot be made) the backup is a copy.
QString makeBackup(const QString& target, const struct stat& old, const QString& backupPath) {
    removeLeftovers(backupPath);
    QString linked;
    if (old.st_nlink == 1 && linkUnderRandomName(target, backupPath, linked)) {
        if (::rename(encoded(linked).constData(), encoded(backupPath).constData()) == 0)
            return QString();
        const int failure = errno;
        ::unlink(encoded(linked).constData());
        return writeError(backupPath, writeFailureReason(failure));
    }
    Fd source(::open(encoded(target).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (source.fd < 0 || ::fstat(source.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return QStringLiteral("Cannot read the file <%1>.").arg(target);
    return copyOver(source.fd, st.st_mode & 0777, backupPath);
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

FileRead readRegularFile(const QString& path, qint64 maxBytes) {
    FileRead result;
    if (path.isEmpty()) {
        result.error = ENOENT;
        return result;
    }
    // Non-blocking, so that a FIFO put in the file's place opens at once
    // and is then refused; no controlling terminal from a terminal device.
    Fd fd(::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.fd < 0) {
        result.error = errno;
        result.nature =
            (errno == ENOENT || errno == ENOTDIR) ? FileNature::Missing : FileNature::Regular;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.fd, &st) != 0) {
        result.error = errno;
        result.nature = FileNature::Regular;
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        result.nature = FileNature::Folder;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.nature = FileNature::Special;
        return result;
    }
    result.nature = FileNature::Regular;
    result.size = st.st_size;
    // The size may change while it is read: read until the end, or the most.
    const qint64 want = std::min<qint64>(maxBytes, std::max<qint64>(st.st_size, 0) + 1);
    result.bytes.resize(qsizetype(std::max<qint64>(want, 0)));
    qint64 got = 0;
    while (got < maxBytes) {
        if (got == result.bytes.size())
            result.bytes.resize(qsizetype(std::min<qint64>(maxBytes, got * 2 + 4096)));
        const ssize_t n =
            ::read(fd.fd, result.bytes.data() + got, size_t(result.bytes.size() - got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.error = errno;
            result.bytes.clear();
            return result;
        }
        got += n;
    }
    result.bytes.resize(qsizetype(got));
    return result;
}

QString writeTargetOf(const QString& path) {
    // The kernel follows the links, with its own protection of links in
    // shared folders; the opened file then tells where it is.
    Fd fd(::open(encoded(path).constData(), O_PATH | O_CLOEXEC));
    if (fd.fd >= 0) {
        char buffer[PATH_MAX + 1];
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd.fd);
        const ssize_t n = ::readlink(self.constData(), buffer, PATH_MAX);
        if (n > 0 && buffer[0] == '/')
            return QFile::decodeName(QByteArray(buffer, n));
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical;
    }
    // Nothing at the end of the links (or no right to follow them): the
    // name itself is replaced, a link included, never written through.
    return path;
}

bool isSaveTemporaryOf(const QString& target, const QString& fileName) {
    return fileName.startsWith(QFileInfo(target).fileName() + TemporaryMark);
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

WriteOutcome replaceFile(const QString& path, const QByteArray& bytes, const QString& backupPath) {
    WriteOutcome outcome;
    const QString target = writeTargetOf(path);
    const QByteArray targetName = encoded(target);
    struct stat st {};
    const bool exists = ::lstat(targetName.constData(), &st) == 0 && !S_ISLNK(st.st_mode);
    if (exists && !S_ISREG(st.st_mode)) {
        outcome.error = writeError(path, notRegularFileReason());
        return outcome;
    }
    if (exists) {
        // No write permission for anyone is read-only even for root, who
        // could replace it: the mode says the file is meant to stay so.
        if ((st.st_mode & 0222) == 0 ||
            (::access(targetName.constData(), W_OK) != 0 && errno != ENOENT)) {
            outcome.error =
                QStringLiteral("Cannot write the file <%1>: <%1> is read-only.").arg(path);
            return outcome;
        }
        // Renaming over it would make another user's file ours.
        if (::geteuid() != 0 && st.st_uid != ::geteuid()) {
            outcome.error = QStringLiteral("Cannot write the file <%1>: <%1> belongs to another "
                                           "user, and saving would make it yours.")
                                .arg(path);
            return outcome;
        }
    }
    removeLeftovers(target);
    QString temporary;
    Fd fd(makeTemporary(target, temporary));
    if (fd.fd < 0) {
        outcome.error = temporaryFailure(path, target, errno);
        return outcome;
    }
    const QByteArray temporaryName = encoded(temporary);
    if (exists) {
        ::fchmod(fd.fd, st.st_mode & 07777);
        // Root saving another user's file gives it back to its owner.
        if (::fchown(fd.fd, st.st_uid, st.st_gid) != 0 && ::geteuid() == 0)
            ::fchmod(fd.fd, st.st_mode & 0777);
    } else {
        ::fchmod(fd.fd, 0666 & ~currentUmask());
    }
    const bool written = writeAll(fd.fd, bytes.constData(), bytes.size()) && finish(fd.release());
    int failure = errno;
    // The new text is on the disk: only now does the old file become the
    // backup, so the backup never takes the room the text needs.
    if (written && exists && !backupPath.isEmpty())
        outcome.backupProblem = makeBackup(target, st, backupPath);
    if (written && ::rename(temporaryName.constData(), targetName.constData()) == 0)
        return outcome;
    if (written)
        failure = errno;
    ::unlink(temporaryName.constData());
    outcome.error = writeError(path, writeFailureReason(failure));
    return outcome;
}

std::optional<QString> copyFileAtomically(const QString& path, const QString& copyPath) {
    Fd source(::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (source.fd < 0)
        return QStringLiteral("Cannot read the file <%1>: %2.").arg(path, qt_error_string(errno));
    struct stat st {};
    if (::fstat(source.fd, &st) != 0 || !S_ISREG(st.st_mode))
        return QStringLiteral("Cannot read the file <%1>: %2.").arg(path, notRegularFileReason());
    removeLeftovers(copyPath);
    // A copy is no more readable than its source.
    const QString error = copyOver(source.fd, st.st_mode & 0777, copyPath);
    if (error.isEmpty())
        return std::nullopt;
    return error;
}

} // namespace quaredit
