#include "core/documents/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace quaredit {

LoadedText loadTextFile(const QString& path) {
    LoadedText result;
    QFile file(path);
    const QFileInfo info(path);
    if (info.isDir()) {
        result.error = QStringLiteral("Cannot open the file <%1>: it is a folder.").arg(path);
        return result;
    }
    if (info.exists() && info.size() > MaxEditorChars) {
        result.error = QStringLiteral("Cannot open the file <%1>: it holds %2 characters, "
                                      "more than the editor's limit of %3.")
                           .arg(path)
                           .arg(info.size())
                           .arg(MaxEditorChars);
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Cannot read the file <%1>: %2.").arg(path, file.errorString());
        return result;
    }
    // Read one byte past the limit: the size on disk may have changed, or be
    // unknown for special files.
    QByteArray bytes = file.read(MaxEditorChars + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Cannot read the file <%1>: %2.").arg(path, file.errorString());
        return result;
    }
    if (bytes.size() > MaxEditorChars) {
        result.error = QStringLiteral("Cannot open the file <%1>: it holds more than the "
                                      "editor's limit of %2 characters.")
                           .arg(path)
                           .arg(MaxEditorChars);
        return result;
    }
    if (std::memchr(bytes.constData(), 0, size_t(bytes.size())) != nullptr) {
        result.error = QStringLiteral("Cannot open the file <%1>: it contains a NUL byte, "
                                      "so it is not a text file.")
                           .arg(path);
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

QByteArray toCrLfLines(const QByteArray& text) {
    QByteArray out;
    out.reserve(text.size() + text.size() / 16 + 2);
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        out.append(p, q - p);
        out.append("\r\n", 2);
        if (q < end && *q == '\r' && q + 1 < end && q[1] == '\n')
            q += 2;
        else if (q < end)
            ++q;
        p = q;
    }
    return out;
}

std::optional<QString> saveTextFile(const QString& path, const QByteArray& text) {
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile does not notice a short write at flush
    // time (a full disk) and commits a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("Cannot write the file <%1>: %2.").arg(path, file.errorString());
    const QByteArray data = toCrLfLines(text);
    if (file.write(data) != data.size() || !file.commit())
        return QStringLiteral("Cannot write the file <%1>: %2.").arg(path, file.errorString());
    return std::nullopt;
}

bool copyOverwriting(const QString& path, const QString& backupPath) {
    if (!QFileInfo::exists(path))
        return false;
    if (QFileInfo::exists(backupPath) && !QFile::remove(backupPath))
        return false;
    return QFile::copy(path, backupPath);
}

} // namespace quaredit
