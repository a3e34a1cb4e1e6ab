#include "core/documents/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace quaredit {

DocumentKind kindFromExtension(const QString& extension) {
    if (extension == QLatin1String(".asm"))
        return DocumentKind::ProgramSource;
    if (extension == QLatin1String(".h"))
        return DocumentKind::IncludeFile;
    if (extension == QLatin1String(".txt"))
        return DocumentKind::TextFile;
    return DocumentKind::Other;
}

QString fileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString folderPart(const QString& path) {
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

static qsizetype extensionStart(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return dot > slash ? dot : -1;
}

QString extensionOf(const QString& path) {
    const qsizetype dot = extensionStart(path);
    return dot < 0 ? QString() : path.mid(dot);
}

QString replaceExtension(const QString& path, const QString& extension) {
    const qsizetype dot = extensionStart(path);
    return (dot < 0 ? path : path.left(dot)) + extension;
}

QString canonicalDocumentPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace quaredit
