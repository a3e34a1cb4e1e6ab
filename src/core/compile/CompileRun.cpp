#include "core/compile/CompileRun.h"

namespace quaredit {

bool canCompile(const Document& doc) {
    return doc.Kind == DocumentKind::ProgramSource && doc.OnDisk;
}

QString compileMarkerOf(const QString& fullPath) {
    return withoutExtension(fullPath);
}

CompileCommand compileCommandFor(const QString& programFolder, const QString& marker) {
    return {programFolder + QStringLiteral("compil.bat"), fileNamePart(marker), folderPart(marker)};
}

bool isSafeBatchText(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
        if (QStringLiteral("&|<>^%\"").contains(c))
            return false;
    }
    return true;
}

QString dosPathOf(const QString& path) {
    QString dos = path;
    dos.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path.startsWith(QLatin1Char('/')) ? QStringLiteral("Z:") + dos : dos;
}

} // namespace quaredit
