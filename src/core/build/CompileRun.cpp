#include "core/build/CompileRun.h"

#include <QStringList>

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

namespace {

const QString LineSyntax = QStringLiteral("&|<>^%\"");
const QString ArgumentSyntax = LineSyntax + QStringLiteral("(),;=");

bool holdsNone(const QString& text, const QString& refused) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c))
            return false;
    }
    return true;
}

QString listed(const QString& characters) {
    QStringList each;
    for (const QChar c : characters)
        each << QString(c);
    return each.join(QLatin1Char(' '));
}

} // namespace

bool isSafeBatchText(const QString& text) {
    return holdsNone(text, LineSyntax);
}

bool isSafeBatchArgument(const QString& text) {
    return holdsNone(text, ArgumentSyntax);
}

QString batchTextRefusedCharacters() {
    return listed(LineSyntax);
}

QString batchArgumentRefusedCharacters() {
    return listed(ArgumentSyntax);
}

QString dosPathOf(const QString& path) {
    QString dos = path;
    dos.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return path.startsWith(QLatin1Char('/')) ? QStringLiteral("Z:") + dos : dos;
}

} // namespace quaredit
