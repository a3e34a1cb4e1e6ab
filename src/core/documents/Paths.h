#pragma once

#include <QString>

namespace quaredit {

// Kinds of documents, by exact (case-sensitive) extension.
enum class DocumentKind : int { ProgramSource = 1, IncludeFile = 2, TextFile = 5, Other = 6 };

DocumentKind kindFromExtension(const QString& extension);

// Path helpers. Paths are never case-folded: file names on this platform are
// case-sensitive. The separator is "/".
QString fileNamePart(const QString& path); // after the last "/"
QString folderPart(const QString& path);   // up to and including the last "/"; empty without one
// From the last "." of the file-name part, dot included; empty when the name has none.
QString extensionOf(const QString& path);
// The path with its extension (as extensionOf finds it) replaced by `extension`,
// which carries its dot; a name without extension gets `extension` appended.
QString replaceExtension(const QString& path, const QString& extension);
inline QString withoutExtension(const QString& path) {
    return replaceExtension(path, QString());
}

// The cleaned absolute form used to tell whether a file is already open.
QString canonicalDocumentPath(const QString& path);

} // namespace quaredit
