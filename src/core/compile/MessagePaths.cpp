#include "core/compile/MessagePaths.h"

#include <QDir>
#include <QFileInfo>

namespace quaredit {

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool isDrivePath(const QString& path) {
    return path.size() >= 3 && path[1] == u':' && (path[2] == u'\\' || path[2] == u'/') &&
           path[0].isLetter() && path[0].unicode() < 0x80;
}

// The path as it is on disk when only the letter case differs: each missing
// part is looked up in its folder, ignoring case.
QString caseOnDisk(const QString& path) {
    if (QFileInfo::exists(path))
        return path;
    const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
    QString found = QStringLiteral("/");
    for (const QString& part : parts) {
        const QString exact = found + part;
        if (QFileInfo::exists(exact)) {
            found = exact + u'/';
            continue;
        }
        const QStringList entries =
            QDir(found).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const QString& e) {
            return e.compare(part, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.end())
            return path;
        found += *match + u'/';
    }
    found.chop(1);
    return found;
}

} // namespace

WineDrives wineDrivesIn(const QString& prefix) {
    WineDrives drives;
    const QString devices = withSlash(prefix) + QStringLiteral("dosdevices/");
    for (char16_t letter = u'a'; letter <= u'z'; ++letter) {
        const QFileInfo link(devices + QChar(letter) + u':');
        if (!link.isSymLink())
            continue;
        const QString target = link.symLinkTarget();
        if (!target.isEmpty())
            drives.insert(QChar(letter), withSlash(QDir::cleanPath(target)));
    }
    if (!drives.contains(u'z'))
        drives.insert(u'z', QStringLiteral("/"));
    return drives;
}

QString resolveMessagePath(const QString& printed, const MessagePlaces& places) {
    if (printed.isEmpty())
        return places.source;
    QString path = printed;
    bool dos = false;
    if (isDrivePath(path)) {
        const QChar letter = path[0].toLower();
        const QString root = places.drives.value(letter);
        if (!root.isEmpty()) {
            path = root + path.mid(3);
            dos = true;
        }
    }
    // A backslash can be part of a Linux name; only when no such file
    // exists is it read as DOS's separator.
    if (path.contains(u'\\') &&
        (dos || !QFileInfo::exists(QDir(places.workingFolder).absoluteFilePath(path)))) {
        path.replace(u'\\', u'/');
        dos = true;
    }
    if (!QDir::isAbsolutePath(path))
        path = withSlash(places.workingFolder) + path;
    path = QDir::cleanPath(path);
    if (places.openPaths.contains(path))
        return path;
    for (const QString& open : places.openPaths) {
        if (open.compare(path, Qt::CaseInsensitive) == 0)
            return open;
    }
    return caseOnDisk(path);
}

} // namespace quaredit
