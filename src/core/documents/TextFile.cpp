#include "core/documents/TextFile.h"

#include "core/documents/FileSafety.h"

#include <cstring>

namespace quaredit {

LoadedText loadTextFile(const QString& path) {
    LoadedText result;
    const QString tooLong = QStringLiteral("Cannot open the file <%1>: it holds more than the "
                                           "editor's limit of %2 characters (a line break "
                                           "counts as two).")
                                .arg(path, QString::number(MaxEditorChars));
    // A line break never counts less than its bytes on disk, and a final one
    // counts nothing: past this size, the file cannot fit. One byte more is
    // read, since the size on disk may change while it is read.
    constexpr qsizetype MostBytes = MaxEditorChars + 2;
    FileRead read = readRegularFile(path, MostBytes + 1);
    switch (read.nature) {
    case FileNature::Folder:
        result.error = QStringLiteral("Cannot open the file <%1>: it is a folder.").arg(path);
        return result;
    case FileNature::Special:
        // A FIFO would block the read, a device would never end.
        result.error =
            QStringLiteral("Cannot open the file <%1>: %2.").arg(path, notRegularFileReason());
        return result;
    case FileNature::Missing:
    case FileNature::Regular:
        break;
    }
    if (read.error != 0) {
        result.error =
            QStringLiteral("Cannot read the file <%1>: %2.").arg(path, qt_error_string(read.error));
        return result;
    }
    QByteArray bytes = std::move(read.bytes);
    if (std::memchr(bytes.constData(), 0, size_t(bytes.size())) != nullptr) {
        result.error = QStringLiteral("Cannot open the file <%1>: it contains a NUL byte, "
                                      "so it is not a text file.")
                           .arg(path);
        return result;
    }
    if (bytes.size() > MostBytes) {
        result.error = tooLong;
        return result;
    }
    bytes = withCrLfLineEnds(bytes);
    if (editorCharCount(bytes) > MaxEditorChars) {
        result.error = tooLong;
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

namespace {

// Whether every line of `text` already ends in CR LF: every LF follows a CR
// and every CR comes before an LF. memchr walks the text many bytes at a
// time, where building a copy line by line costs some twenty instructions a
// byte.
bool allLineEndsCrLf(const QByteArray& text) {
    const char* begin = text.constData();
    const char* end = begin + text.size();
    for (const char* q = begin; (q = static_cast<const char*>(std::memchr(q, '\n', end - q)));
         ++q) {
        if (q == begin || q[-1] != '\r')
            return false;
    }
    for (const char* q = begin; (q = static_cast<const char*>(std::memchr(q, '\r', end - q)));
         ++q) {
        if (q + 1 == end || q[1] != '\n')
            return false;
    }
    return true;
}

} // namespace

QByteArray withCrLfLineEnds(const QByteArray& text) {
    // Files saved by this editor, and most written for the calculators.
    if (allLineEndsCrLf(text))
        return text;
    QByteArray out;
    out.reserve(text.size() + text.size() / 16 + 2);
    const char* p = text.constData();
    const char* end = p + text.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        out.append(p, q - p);
        if (q == end)
            break;
        out.append("\r\n", 2);
        if (*q == '\r' && q + 1 < end && q[1] == '\n')
            q += 2;
        else
            ++q;
        p = q;
    }
    return out;
}

qsizetype editorCharCount(const QByteArray& crLfText) {
    return crLfText.endsWith("\r\n") ? crLfText.size() - 2 : crLfText.size();
}

QByteArray toCrLfLines(const QByteArray& text) {
    QByteArray out = withCrLfLineEnds(text);
    if (!out.isEmpty() && !out.endsWith("\r\n"))
        out.append("\r\n", 2);
    return out;
}

std::optional<QString> saveTextFile(const QString& path, const QByteArray& text) {
    return writeFileAtomically(path, toCrLfLines(text));
}

WriteOutcome saveTextFile(const QString& path, const QByteArray& text, const QString& backupPath) {
    return replaceFile(path, toCrLfLines(text), backupPath);
}

bool copyOverwriting(const QString& path, const QString& backupPath) {
    return !copyFileAtomically(path, backupPath).has_value();
}

} // namespace quaredit
